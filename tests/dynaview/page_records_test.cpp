// Record formats of saved pages, without objects: the fixed parts and arrays read back
// as written, and a record cut anywhere or contradicting itself is refused with a reason.

#include "dynaview/saverestore/page_records.h"

#include <gtest/gtest.h>

namespace dynaview::testing {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

// Alarm marks 0 and 3 shown; marks 1, 2 and 4 keep what is not stored.
const std::string marksRecord = bytes({
    109, 0, 101, 0, 0, 0,                                         // length, type, subtype
    7, 0, 0, 0,                                                   // data set 7
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0,  // enables
    2, 0, 0, 0,                                                   // n
    3, 0, 0, 0,                                                   // line width
    4, 0,                                                         // axis object 4
    0, 0, 0, 0,                                                   // position
    8, 0, 0, 0,                                                   // mark size
    'S', 'P', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                       // names
    'H', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                         //
    'L', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                         //
    'T', 'O', 'P', 0, 0, 0, 0, 0, 0, 0, 0, 0,                     //
    'L', 'L', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                       //
    0,                                                            // not written
    11, 0, 0, 0, 13, 0, 0, 0,                                     // colours of marks 0 and 3
});

// A sweep graph of two traces: 0.5 s a sample, reset 0.25.
const std::string sweepRecord = bytes({
    52, 0, 103, 0, 3, 0,                     // length, type, subtype
    2, 0, 0, 0,                              // data set
    0, 0, 0, 0, 0, 0, 0xe0, 0x3f,            // sample interval 0.5
    0, 0, 0x80, 0x3e,                        // relative reset 0.25
    1, 0, 0, 0, 2, 0,                        // direction, scroll style, traces
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // scrolling bars only
    12, 0, 0, 0,                             // sweep-line colour
    0, 0,                                    // not written
    4, 0, 0, 0, 14, 0, 0, 0,                 // colours
    0, 0, 0, 0, 2, 0, 0, 0,                  // patterns
    1, 0, 0, 0, 3, 0, 0, 0,                  // widths
});

const std::string gridRecord = bytes({
    38, 0, 102, 0,
    2, 0,                                    // axis object 2
    5, 0,                                    // period
    1, 0, 0, 0, 0, 0, 0, 0,                  // first grid only
    2, 0, 1, 0, 0, 0, 3, 0, 0, 0,            // its line: dotted, width 1, colour 3
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,            // second grid's line
    0, 0,                                    // not written
});

TEST(PageRecords, MarksAreReadBackOnTheMarksTheyCameFrom) {
    std::string why;
    const auto record = DecodeRecord(101, marksRecord, why);
    ASSERT_TRUE(record) << why;
    const auto& marks = std::get<AlarmMarksRecord>(*record);
    EXPECT_EQ(marks.dataSet, 7);
    EXPECT_EQ(marks.enables, (records::Entries{1, 0, 0, 9, 0}));
    EXPECT_EQ(marks.colours, (records::Entries{11, 4, 1, 13, 9}));  // stored on 0 and 3, defaults elsewhere
    EXPECT_EQ(marks.axis, 4);
    EXPECT_EQ(marks.names[0], "SP");
    EXPECT_EQ(marks.names[3], "TOP");
    EXPECT_EQ(EncodeRecord(*record), marksRecord);
}

TEST(PageRecords, ScrollAndGridRecordsReadBackWhole) {
    std::string why;
    const auto sweep = DecodeRecord(103, sweepRecord, why);
    ASSERT_TRUE(sweep) << why;
    const auto& s = std::get<ScrollRecord>(*sweep);
    EXPECT_EQ(s.sampleInterval, 0.5);
    EXPECT_EQ(s.relativeReset, 0.25f);
    EXPECT_EQ(s.sweepColour, 12);
    EXPECT_EQ(s.colours, (std::vector<std::int32_t>{4, 14}));
    EXPECT_EQ(s.widths, (std::vector<std::int32_t>{1, 3}));
    EXPECT_EQ(EncodeRecord(*sweep), sweepRecord);

    const auto grid = DecodeRecord(102, gridRecord, why);
    ASSERT_TRUE(grid) << why;
    EXPECT_EQ(std::get<DynamicGridRecord>(*grid).first, (GridLine{2, 1, 3}));
    EXPECT_EQ(EncodeRecord(*grid), gridRecord);
}

TEST(PageRecords, FieldsThatDoNotApplyAreWrittenAsZero) {
    ScrollRecord scroll;
    scroll.subtype = records::ScrollingGraph;
    scroll.dataSet = 1;
    scroll.barWidth = 3.5;  // not a scrolling bar graph: not written
    scroll.sweepColour = 9;
    const std::string written = EncodeRecord(scroll);
    ASSERT_EQ(written.size(), 52u);
    EXPECT_EQ(written.substr(28, 24), std::string(24, '\0'));

    TextRecord alarmText;
    alarmText.dataSet = 1;
    alarmText.precision = 3;  // dynamic text only
    alarmText.colours.assign(8, 1);
    const std::string text = EncodeRecord(alarmText);
    ASSERT_EQ(text.size(), 132u);
    EXPECT_EQ(text.substr(66, 4), std::string(4, '\0'));
}

TEST(PageRecords, ARecordCutAnywhereIsRefused) {
    for (const auto& [type, record] : {std::pair{101, marksRecord}, std::pair{103, sweepRecord}, std::pair{102, gridRecord}}) {
        for (std::size_t cut = 0; cut < record.size(); ++cut) {
            std::string why;
            EXPECT_FALSE(DecodeRecord(type, record.substr(0, cut), why)) << type << " cut at " << cut;
            EXPECT_NE(why.find("cut short"), std::string::npos) << why;
        }
        std::string why;
        EXPECT_FALSE(DecodeRecord(type, record + "x", why));
        EXPECT_NE(why.find("unexpected bytes"), std::string::npos) << why;
    }
}

TEST(PageRecords, ARecordContradictingItselfIsRefusedWithTheReason) {
    auto refused = [](int type, std::string record, std::size_t offset, int value, const std::string& reason) {
        record[offset] = static_cast<char>(value);
        std::string why;
        EXPECT_FALSE(DecodeRecord(type, record, why)) << reason;
        EXPECT_NE(why.find(reason), std::string::npos) << why;
    };
    refused(101, marksRecord, 0, 108, "gives its length as 108, not 109");
    refused(101, marksRecord, 2, 100, "says it is of type 100");
    refused(101, marksRecord, 30, 3, "3 entries stored for 2 shown");
    refused(101, marksRecord, 14, 1, "2 entries stored for 3 shown");  // mark 1 enabled without its colour
    refused(101, marksRecord, 6, 0, "data set 0");
    refused(101, marksRecord, 38, 0, "no axis object");
    std::string unterminated = marksRecord;
    for (std::size_t i = 48 + 24; i < 48 + 36; ++i) unterminated[i] = 'x';
    refused(101, unterminated, 48, 'S', "a mark name without its end");
    refused(103, sweepRecord, 4, 6, "unknown subtype 6");
    refused(103, sweepRecord, 26, 33, "33 traces");
    std::string infinite = sweepRecord;
    infinite[16] = static_cast<char>(0xf0);  // the sample interval's exponent all ones
    refused(103, infinite, 17, 0x7f, "not finite");
    std::string why;
    EXPECT_FALSE(DecodeRecord(110, gridRecord, why));
    EXPECT_NE(why.find("no saved form"), std::string::npos);
}

TEST(PageRecords, AnyRecordThatDecodesEncodesToOneThatDecodesTheSame) {
    // The bytes the writer leaves out may hold anything in a file from elsewhere.
    std::string noisy = marksRecord;
    noisy[108] = 0x5a;
    std::string why;
    const auto record = DecodeRecord(101, noisy, why);
    ASSERT_TRUE(record) << why;
    EXPECT_EQ(EncodeRecord(*record), marksRecord);
}

}  // namespace
}  // namespace dynaview::testing
