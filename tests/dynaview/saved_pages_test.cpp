// dynaview's objects in plotbase's page files: the records they leave, byte for byte as
// written by hand from the record tables, and the page they load back as.

#include "saved_pages_fixture.h"

#include "dynaview/alarms/alarm_displays.h"
#include "dynaview/scroll/scroll_graph.h"

#include <cstdio>
#include <cstring>

namespace dynaview::testing {
namespace {

// Lines 0 and 1 shown: two widths, two colours, two patterns.
const std::string twoLines = bytes({
    44, 0, 100, 0, 0, 0,                                         // length, type, subtype
    1, 0, 0, 0,                                                  // data set 1
    1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // enables
    0, 0, 0, 0,                                                  // refresh period
    1, 0, 0, 0,                                                  // direction
    2, 0, 0, 0,                                                  // n
    0, 0,                                                        // not written
    2, 0, 0, 0, 3, 0, 0, 0,                                      // widths
    10, 0, 0, 0, 4, 0, 0, 0,                                     // colours
    0, 0, 0, 0, 1, 0, 0, 0,                                      // patterns
});

TEST_F(SavedPages, AlarmLinesWithTwoShownLinesLeaveTheirRecordByteForByte) {
    const int enables[5] = {1, 1, 0, 0, 0}, patterns[5] = {0, 1, 2, 2, 2}, widths[5] = {2, 3, 4, 4, 4}, colours[5] = {10, 4, 1, 12, 9};
    const int lines = WRSetAlarmLines(graph, set, 0, 1, enables, patterns, widths, colours);
    ASSERT_NE(lines, 0);
    const std::string record = recordOf(lines);
    EXPECT_EQ(record.size(), 44u + 3 * 8);
    EXPECT_EQ(record, twoLines);
}

TEST_F(SavedPages, AlarmMarksAndAlarmTextLeaveTheirRecordsByteForByte) {
    ASSERT_EQ(yAxis, 2);
    const int enables[5] = {0, 1, 0, 1, 0}, colours[5] = {2, 5, 1, 13, 9};
    const int marks = WRSetAlarmMarks(graph, set, yAxis, 1, 10, enables, 2, colours, nullptr);
    EXPECT_EQ(recordOf(marks), bytes({
        109, 0, 101, 0, 0, 0,                                        // length, type, subtype
        1, 0, 0, 0,                                                  // data set
        0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0,  // enables
        2, 0, 0, 0,                                                  // n
        2, 0, 0, 0,                                                  // line width
        2, 0,                                                        // axis object
        1, 0, 0, 0,                                                  // position
        10, 0, 0, 0,                                                 // mark size
        'S', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                        // names
        'H', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                        //
        'L', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                        //
        'H', 'H', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                      //
        'L', 'L', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                      //
        0,                                                           // not written
        5, 0, 0, 0, 13, 0, 0, 0,                                     // colours of marks 1 and 3
    }));

    const int textColours[8] = {4, 14, 12, 5, 15, 6, 8, 2};
    const int text = WRSetAlarmText(graph, set, 0, 10.0, 35.0, 30.0, 8.0, 2, 1, 7, 1, "All fine", textColours, 3, 12);
    const std::string record = recordOf(text);
    EXPECT_EQ(record.size(), 100u + 32);
    EXPECT_EQ(record, bytes({
        100, 0, 107, 0, 6, 0,                    // length, type, subtype
        1, 0, 0, 0,                              // data set
        0, 0, 0, 0,                              // channel
        0, 0, 0, 0, 0, 0, 0x24, 0x40,            // left 10
        0, 0, 0, 0, 0, 0x80, 0x41, 0x40,         // top 35
        0, 0, 0, 0, 0, 0, 0x3e, 0x40,            // width 30
        0, 0, 0, 0, 0, 0, 0x20, 0x40,            // height 8
        2, 0, 0, 0,                              // border pattern
        1, 0, 0, 0,                              // border width
        7, 0, 0, 0,                              // background
        1, 0, 0, 0,                              // layout
        12, 0, 0, 0,                             // the last creation argument (text size)
        0, 0, 0, 0,                              // precision: not written
        0xff, 0xff,                              // no colour source: -1
        0, 0, 0, 0, 0, 0, 0, 0,                  // margin style, n: not written
        'A', 'l', 'l', ' ', 'f', 'i', 'n', 'e', 0, 0, 0, 0, 0, 0,  // Normal message
        3, 0, 0, 0,                              // text attributes
        0, 0,                                    // not written
        4, 0, 0, 0, 14, 0, 0, 0, 12, 0, 0, 0, 5, 0, 0, 0,  // colours per alarm kind
        15, 0, 0, 0, 6, 0, 0, 0, 8, 0, 0, 0, 2, 0, 0, 0,
    }));
}

TEST_F(SavedPages, AnObjectWithoutASavedFormLeavesNoRecordAndIsNotRestored) {
    const int meter = AddDynObject(env, graph, std::make_unique<FakeMeter>());
    const int lines = WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_GT(lines, meter);
    EXPECT_EQ(recordOf(meter), "");
    write(pageBytes(page));
    const int restored = open();
    ASSERT_NE(restored, 0);
    const int g = firstGraph(restored);
    EXPECT_EQ(plotbase::WGGetObject(env, g, meter), nullptr);
    EXPECT_NE(objectAt<AlarmLines>(g, lines), nullptr);  // at its own index still
}

TEST_F(SavedPages, SaveRestoreAndSaveAgainGiveTheSameBytes) {
    const int enables[5] = {0, 1, 0, 1, 1}, colours[5] = {3, 5, 6, 13, 15}, widths[5] = {1, 2, 3, 4, 5};
    const int lines = WRSetAlarmLines(graph, set, 5, 0, enables, nullptr, widths, colours);
    char names[60] = "SP";
    std::memcpy(names + 12, "HIGH", 4);
    const int marks = WRSetAlarmMarks(graph, set, yAxis, 0, 9, enables, 3, colours, names);
    WRSetAlarmText(graph, set, 0, 5.0, 5.0, 25.0, 10.0, -1, 0, -1, 2, "Calm", nullptr, 0, 0);
    const int restored = savedAndOpened();
    ASSERT_NE(restored, 0) << env.lastError.text;

    // The stored entries are back on the lines and marks they were saved from.
    const int g = firstGraph(restored);
    const auto* l = objectAt<AlarmLines>(g, lines);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->colours[1], 5);
    EXPECT_EQ(l->colours[3], 13);
    EXPECT_EQ(l->widths[4], 5);
    EXPECT_EQ(l->period, 5);
    const auto* m = objectAt<AlarmMarks>(g, marks);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->names[1], "HIGH");
    EXPECT_EQ(m->colours[4], 15);
    EXPECT_EQ(m->axis(), yAxis);
}

TEST_F(SavedPages, AScrollingBarGraphWritesOnlyItsFixedPart) {
    const int bars = WRSetScrollBargraph(graph, set, 0, 0.5, 0.25, 1, 2.0, 3, 4);
    ASSERT_NE(bars, 0) << env.lastError.text;
    EXPECT_EQ(recordOf(bars), bytes({
        52, 0, 103, 0, 2, 0,                     // length, type, subtype
        1, 0, 0, 0,                              // data set
        0, 0, 0, 0, 0, 0, 0xe0, 0x3f,            // sample interval 0.5
        0, 0, 0x80, 0x3e,                        // relative reset 0.25
        1, 0,                                    // direction
        0, 0,                                    // scroll style
        1, 0,                                    // traces
        0, 0,                                    // the channel (third creation argument)
        0, 0, 0, 0, 0, 0, 0, 0x40,               // bar width 2
        3, 0, 0, 0,                              // hatch style (eighth creation argument)
        4, 0, 0, 0,                              // bar colour
        0, 0, 0, 0,                              // sweep only: not written
        0, 0,                                    // not written
    }));
}

TEST_F(SavedPages, EveryScrollingGraphComesBackAsWhatItWas) {
    const int pair = WRDefineDynDataSet("Pair", 2, nullptr, nullptr, 0);
    const int patterns[2] = {1, 2}, widths[2] = {2, 3}, colours[2] = {5, 9};
    const int lines = WRSetScrollGraph(graph, pair, 1.0, 0.5, 1, 1, patterns, widths, colours);
    const int sweep = WRSetSweepGraph(graph, pair, 0.5, 0, 0, 12, patterns, widths, colours);
    const int logic = WRSetLogicGraph(graph, pair, 2.0, 0.25, 1, 2, nullptr, nullptr, nullptr);
    const int variable = WRSetVarScroll(graph, pair, 0.5, 1, 0, patterns, widths, colours);
    const int stacked = WRSetStackedGraph(graph, pair, 1.0, 0.0, 1, 0, patterns, widths, colours);
    const int bars = WRSetScrollBargraph(graph, pair, 1, 1.0, 0.5, 1, 0.75, -1, 6);
    for (int index : {lines, sweep, logic, variable, stacked, bars}) ASSERT_NE(index, 0) << env.lastError.text;
    EXPECT_EQ(recordOf(lines).size(), 52u + 3 * 2 * 4);
    EXPECT_EQ(recordOf(variable).size(), 52u + 3 * 1 * 4);  // the last channel is the time step

    const int restored = savedAndOpened();
    ASSERT_NE(restored, 0) << env.lastError.text;
    const int g = firstGraph(restored);
    const std::pair<int, int> expected[] = {{lines, 1}, {sweep, 3}, {logic, 4}, {variable, 5}, {stacked, 7}, {bars, 2}};
    for (auto [index, subtype] : expected) {
        const auto* s = objectAt<scroll::ScrollGraph>(g, index);
        ASSERT_NE(s, nullptr) << index;
        EXPECT_EQ(s->type, ScrollGraphType);
        EXPECT_EQ(s->subtype, subtype);
        EXPECT_EQ(s->links[0], xAxis);  // scaled by the same axes
    }
    const auto* s = objectAt<scroll::ScrollGraph>(g, sweep);
    EXPECT_EQ(s->params.sweepLineColour, 12);
    EXPECT_EQ(s->params.colours[1], 9);
    EXPECT_EQ(s->params.widths[1], 3);
    EXPECT_EQ(objectAt<scroll::ScrollGraph>(g, bars)->params.barChannel, 1);
}

TEST_F(SavedPages, ATruncatedOrDamagedRecordRefusesTheWholePageAndCreatesNothing) {
    const int enables[5] = {1, 1, 0, 0, 0}, patterns[5] = {0, 1, 2, 2, 2}, widths[5] = {2, 3, 4, 4, 4}, colours[5] = {10, 4, 1, 12, 9};
    const int lines = WRSetAlarmLines(graph, set, 0, 1, enables, patterns, widths, colours);
    const std::string marks = recordOf(WRSetAlarmMarks(graph, set, yAxis, 0, 8, nullptr, 1, nullptr, nullptr));
    const std::string good = pageBytes(page);
    auto refused = [&](const std::string& contents, const std::string& reason) {
        write(contents);
        const int pagesBefore = env.openPages;
        const int referencesBefore = dataSet(set).referenceCount;
        env.lastError = {};
        EXPECT_EQ(open(), 0) << reason;
        EXPECT_EQ(env.lastError.code, plotbase::PageFileRead) << reason;
        EXPECT_NE(env.lastError.text.find(reason), std::string::npos) << env.lastError.text;
        EXPECT_EQ(env.openPages, pagesBefore);
        EXPECT_EQ(dataSet(set).referenceCount, referencesBefore);
    };
    refused(replaced(good, twoLines, twoLines.substr(0, twoLines.size() - 4)), "the alarm lines record is cut short");
    refused(replaced(good, twoLines, twoLines.substr(0, 30)), "the alarm lines record is cut short");
    refused(replaced(good, twoLines, twoLines + "\x01\x02"), "unexpected bytes after the alarm lines record");
    std::string lying = twoLines;
    lying[38] = 1;  // n
    refused(replaced(good, twoLines, lying), "damaged alarm lines record");
    std::string noSet = twoLines;
    noSet[6] = static_cast<char>(200);
    refused(replaced(good, twoLines, noSet), "data set 200");
    // The second record damaged: the first is not created either.
    std::string notAnAxis = marks;
    notAnAxis[38] = static_cast<char>(lines);
    refused(replaced(good, marks, notAnAxis), "is not an axis");

    write(good);
    EXPECT_NE(open(), 0);
}

TEST_F(SavedPages, ARecordWhoseDataSetIsGoneRestoresToNothingAndTheRestLoads) {
    const int other = WRDefineDynDataSet("Other", 1, nullptr, nullptr, 0);
    const int gone = WRSetAlarmLines(graph, other, 0, 1, nullptr, nullptr, nullptr, nullptr);
    const int kept = WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr);
    write(pageBytes(page));
    KillRTPage(page);
    ASSERT_EQ(WRFreeDynDataSet(other), 1);
    const int restored = open();
    ASSERT_NE(restored, 0);
    EXPECT_EQ(lastErrorCode(), plotbase::NoSuchDataSet);
    const int g = firstGraph(restored);
    EXPECT_EQ(plotbase::WGGetObject(env, g, gone), nullptr);
    EXPECT_NE(objectAt<AlarmLines>(g, kept), nullptr);
}

TEST_F(SavedPages, OneRecordGoesThroughACStreamAndComesBack) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    const int enables[5] = {1, 1, 0, 0, 0}, patterns[5] = {0, 1, 2, 2, 2}, widths[5] = {2, 3, 4, 4, 4}, colours[5] = {10, 4, 1, 12, 9};
    const int lines = WRSetAlarmLines(graph, set, 0, 1, enables, patterns, widths, colours);
    const int meter = AddDynObject(env, graph, std::make_unique<FakeMeter>());
    EXPECT_EQ(SaveDynObject(file, graph, lines), 1);
    EXPECT_EQ(SaveDynObject(file, graph, meter), 0);  // nothing written
    EXPECT_EQ(SaveDynObject(nullptr, graph, lines), 0);
    EXPECT_EQ(SaveDynObject(file, graph, 99), 0);
    std::rewind(file);
    std::string written(80, '\0');
    written.resize(std::fread(written.data(), 1, written.size(), file));
    EXPECT_EQ(written, twoLines);

    std::rewind(file);
    unsigned char head[4];
    ASSERT_EQ(std::fread(head, 1, 4, file), 4u);
    const int restored = RestoreDynObject(file, graph, head[2] | head[3] << 8, head[0] | head[1] << 8);
    ASSERT_NE(restored, 0);
    const auto* l = objectAt<AlarmLines>(graph, restored);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->widths, (LineInts{2, 3, 1, 1, 1}));  // lines not shown take the defaults

    std::rewind(file);
    std::fread(head, 1, 4, file);
    EXPECT_EQ(RestoreDynObject(file, graph, 100, 40), 0);  // the length of another format
    EXPECT_EQ(lastErrorCode(), plotbase::PageFileRead);
    EXPECT_EQ(RestoreDynObject(file, graph, 110, 40), 0);
    EXPECT_EQ(RestoreDynObject(nullptr, graph, 100, 44), 0);
    std::fclose(file);
}

}  // namespace
}  // namespace dynaview::testing
