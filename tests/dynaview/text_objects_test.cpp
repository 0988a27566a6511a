// Message objects, dynamic text and annunciators: which message a word selects, what the
// creators refuse, what is drawn and what an update leaves alone.

#include "dynaview_fixture.h"

#include "dynaview/alarms/alarm_displays.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/text/annunciator.h"
#include "dynaview/text/dynamic_text.h"
#include "dynaview/text/message_object.h"
#include "dynaview/text/text_geometry.h"
#include "plotbase/graph_widget.h"
#include "tests/plotbase/pixel_probe.h"

#include <QImage>
#include <QTest>

#include <cstring>

namespace dynaview::testing {
namespace {

using plotbase::testing::pixelsOfColour;

QColor palette(int index) {
    const plotbase::Rgb c = plotbase::Palette[static_cast<std::size_t>(index)];
    return QColor(c.red, c.green, c.blue);
}

// Counts the paints a window gets.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

class TextObjects : public DynaviewTest {
protected:
    template <typename T>
    T* object(int index) {
        return dynamic_cast<T*>(env.graph(graph)->objects.at(index));
    }
    QImage render() {
        QImage image(400, 300, QImage::Format_ARGB32);
        plotbase::RenderPage(env, page, image);
        return image;
    }
    plotbase::GraphWidget* window() { return static_cast<plotbase::GraphWidget*>(plotbase::WGGetGraphWindow(env, graph)); }
    // Four messages of 42 bytes each.
    static std::vector<char> messageTable(const std::vector<std::string>& texts) {
        std::vector<char> table(42 * texts.size(), '\0');
        for (std::size_t i = 0; i < texts.size(); ++i) std::memcpy(table.data() + 42 * i, texts[i].data(), std::min<std::size_t>(texts[i].size(), 42));
        return table;
    }
};

TEST(TextGeometry, TheLowestSetBitInRangeSelectsTheMessage) {
    EXPECT_EQ(SelectedMessage(0x0018, 2, 4), 1);   // bits 3 and 4: bit 3 is message 1
    EXPECT_EQ(SelectedMessage(0x0003, 2, 4), -1);  // below the range
    EXPECT_EQ(SelectedMessage(0x0040, 2, 4), -1);  // above it
    EXPECT_EQ(SelectedMessage(0x0020, 2, 4), 3);
    EXPECT_EQ(SelectedMessage(0x8000, 15, 8), 0);  // the range may run past the word
    EXPECT_EQ(SelectedMessage(0xFFFF, 2, 0), -1);
}

TEST(TextGeometry, RowsAreRightAlignedOnTheirBaselinesAndColumnsCentred) {
    const Box box{10, 20, 100, 60};
    const std::vector<TextCell> rows = TextCells(box, Margins{5, 3}, 3, 0, 13.0);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_DOUBLE_EQ(rows[1].cell.top, 23.0 + 18.0);  // (60 - 6) / 3 per row
    EXPECT_DOUBLE_EQ(rows[1].baseline, 41.0 + 5.0 + 9.0);
    EXPECT_DOUBLE_EQ(rows[1].x, 105.0);
    EXPECT_FALSE(rows[1].centred);
    const std::vector<TextCell> columns = TextCells(box, Margins{5, 3}, 2, 1, 13.0);
    EXPECT_DOUBLE_EQ(columns[1].x, 15.0 + 45.0 + 22.5);
    EXPECT_DOUBLE_EQ(columns[1].baseline, 23.0 + 27.0 + 5.0);
    EXPECT_TRUE(columns[1].centred);
}

TEST(TextGeometry, MarginStylesAndTheMessageBox) {
    EXPECT_DOUBLE_EQ(MarginsOf(3, 2, 13, 1, 1).horizontal, 4.0);
    EXPECT_DOUBLE_EQ(MarginsOf(4, 2, 13, 1, 1).vertical, 4.0);
    EXPECT_DOUBLE_EQ(MarginsOf(5, 1, 13, 3, 2).horizontal, 10.0);
    EXPECT_DOUBLE_EQ(MarginsOf(2, 1, 12, 0, 1).horizontal, 6.0);
    const Box plain = MessageBox(0, 0, 60, 12, false, 2, 1);
    EXPECT_DOUBLE_EQ(plain.width, 72.0);
    EXPECT_DOUBLE_EQ(plain.height, 16.0);
    const Box framed = MessageBox(0, 0, 60, 12, true, 2, 1);
    EXPECT_DOUBLE_EQ(framed.width, 76.0);
    EXPECT_DOUBLE_EQ(MessageInside(framed, true, 2, 1).left, 3.0);
    EXPECT_DOUBLE_EQ(MessageBaseline(plain, 13, 1), 8.0 + 5.0 - 1.0);
}

TEST_F(TextObjects, AMessageFollowsTheLowestSetBitAndKeepsItsMessageWithoutOne) {
    const int set = WRDefineDynDataSet("Mode", 1, nullptr, nullptr, 0);
    const auto table = messageTable({"Manual", "Automatic", "Cascade", "Off"});
    const int colours[4] = {2, 4, 10, 14};
    const int index = WRSetMessage(graph, set, 2, 30, 40, 0, 1, -1, 4, table.data(), colours);
    ASSERT_GT(index, 0);
    MessageObject* message = object<MessageObject>(index);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->shown(), -1);
    WRUpdateBinaryData(set, 0x0018, 0);
    EXPECT_EQ(message->shown(), 1);
    WRUpdateBinaryData(set, 0x0003, 0);
    EXPECT_EQ(message->shown(), 1);
    WRSetBitExclusive(set, 5, 0);
    EXPECT_EQ(message->shown(), 3);
    EXPECT_EQ(message->previouslyShown(), 1);
    // Drawn in message 3's colour, not in message 1's.
    const QImage image = render();
    EXPECT_GT(pixelsOfColour(image, QRect(110, 115, 120, 30), palette(14)), 10);
    EXPECT_EQ(pixelsOfColour(image, QRect(110, 115, 120, 30), palette(4)), 0);
}

TEST_F(TextObjects, MessageNumbersAboveSevenAndMissingObjectsAreRefused) {
    const int set = WRDefineDynDataSet("Mode", 1, nullptr, nullptr, 0);
    const auto table = messageTable({"Manual", "Automatic"});
    const int index = WRSetMessage(graph, set, 0, 10, 10, -1, 0, 7, 2, table.data(), nullptr);
    ASSERT_GT(index, 0);
    EXPECT_EQ(WRChangeMessage(graph, index, "Eight", 1, 8), 0);
    EXPECT_EQ(lastErrorCode(), 30);
    EXPECT_EQ(env.lastError.text, "Invalid record - WRGetMessage");
    EXPECT_EQ(WRGetMessageParams(graph, index, nullptr, nullptr, -1), 0);
    EXPECT_EQ(lastErrorCode(), 30);
    EXPECT_EQ(WRGetMessageParams(graph, index + 5, nullptr, nullptr, 0), 0);
    EXPECT_EQ(lastErrorCode(), 56);
    EXPECT_EQ(env.lastError.text.find(" - WRGetMessage") != std::string::npos, true);
    EXPECT_EQ(WRSetMessage(graph, 77, 0, 10, 10, -1, 0, 7, 2, table.data(), nullptr), 0);
    EXPECT_EQ(lastErrorCode(), 55);
    EXPECT_NE(env.lastError.text.find(" - WRSetMessage"), std::string::npos);
    EXPECT_EQ(WRSetMessage(graph, set, 0, 10, 10, -1, 0, 7, 2, nullptr, nullptr), 0);
    EXPECT_EQ(lastErrorCode(), 18);
}

TEST_F(TextObjects, ChangingAMessageCutsOurCopyAndLeavesTheCallersString) {
    const int set = WRDefineDynDataSet("Mode", 1, nullptr, nullptr, 0);
    // Twelve messages: the count is taken as eight; entries need no terminating NUL.
    std::vector<char> table(42 * 12, 'x');
    const int index = WRSetMessage(graph, set, 0, 10, 10, 0, 1, 7, 12, table.data(), nullptr);
    ASSERT_GT(index, 0);
    EXPECT_EQ(object<MessageObject>(index)->count, 8);
    const char* text = nullptr;
    int colour = -1;
    ASSERT_EQ(WRGetMessageParams(graph, index, &text, &colour, 7), 1);
    EXPECT_EQ(std::string(text), std::string(41, 'x'));
    const std::string longText(60, 'y');
    EXPECT_EQ(WRChangeMessage(graph, index, longText.c_str(), 12, 7), 1);
    EXPECT_EQ(longText, std::string(60, 'y'));
    ASSERT_EQ(WRGetMessageParams(graph, index, &text, &colour, 7), 1);
    EXPECT_EQ(std::string(text), std::string(41, 'y'));
    EXPECT_EQ(colour, 12);
    EXPECT_EQ(WRChangeMessage(graph, index, "Fine", 16, 0), 0);  // not a palette colour
}

TEST_F(TextObjects, DynamicTextRefusesAChannelTheDataSetDoesNotHave) {
    const int set = WRDefineDynDataSet("Tank", 3, nullptr, nullptr, 0);
    EXPECT_EQ(WRSetDynText(graph, set, 3, 10, 10, 20, 10, 0, 1, nullptr, 7, 0, 0, 1, 0, 0), 0);
    EXPECT_EQ(lastErrorCode(), 30);
    EXPECT_EQ(env.lastError.text, "Invalid record - WRSetDynText");
    EXPECT_EQ(WRSetDynText(graph, 42, 0, 10, 10, 20, 10, 0, 1, nullptr, 7, 0, 0, 1, 0, 0), 0);
    EXPECT_EQ(lastErrorCode(), 55);
    EXPECT_NE(env.lastError.text.find(" - WRSetDynText"), std::string::npos);
    EXPECT_EQ(WRSetDynText(graph, set, 0, 10, 10, 20, 10, 0, 1, nullptr, 7, 0, 0, 1, 30, 0), 0);  // no colour source there
    EXPECT_EQ(lastErrorCode(), 56);
    EXPECT_EQ(WRSetDynText(graph, set, 0, 10, 10, 20, 10, 0, 1, nullptr, 7, 0, 0, 1, xAxis, 0), 0);  // an axis has no colours
    EXPECT_EQ(lastErrorCode(), 29);
    EXPECT_EQ(WRSetDynText(graph, set, 0, 10, 10, 20, 10, 0, 1, nullptr, 7, 0, 0, 1, 0, 6), 0);  // margin style
    EXPECT_EQ(lastErrorCode(), 18);
    EXPECT_GT(WRSetDynText(graph, set, 2, 10, 10, 20, 10, 0, 1, nullptr, 7, 0, 0, 1, 0, 0), 0);
}

TEST_F(TextObjects, EveryChannelIsWrittenOnItsOwnRowInItsColour) {
    const int set = WRDefineDynDataSet("Tank", 3, nullptr, nullptr, 0);
    const int colours[3] = {4, 2, 14};
    // 100..300 x 60..180: rows of 40 pixels less the margins.
    const int text = WRSetDynText(graph, set, -1, 25, 20, 50, 40, 0, 1, colours, -1, 0, 8, 1, 0, 3);
    ASSERT_GT(text, 0);
    const double values[3] = {12.5, 250.25, -3.0};
    WRUpdateData(set, values, 0);
    const QImage image = render();
    const int rowColours[3] = {4, 2, 14};
    for (int row = 0; row < 3; ++row) {
        const QRect band(102, 62 + 39 * row, 196, 36);
        const int own = pixelsOfColour(image, band, palette(rowColours[row]));
        EXPECT_GT(own, 10) << row;
        // Antialiased edges of one colour may pass for another here and there.
        for (int other = 0; other < 3; ++other)
            if (other != row) {
                EXPECT_LT(3 * pixelsOfColour(image, band, palette(rowColours[other])), own) << row << " " << other;
            }
    }
    // Right-aligned: the right quarter of each row is written, the left quarter is not.
    EXPECT_GT(pixelsOfColour(image, QRect(240, 62, 56, 36), palette(4)), 10);
    EXPECT_EQ(pixelsOfColour(image, QRect(102, 62, 50, 36), palette(4)), 0);
    int colour = -1;
    EXPECT_EQ(WRGetDynTextColor(graph, text, 1, &colour), 1);
    EXPECT_EQ(colour, 2);
    EXPECT_EQ(WRChangeDynTextColor(graph, text, 1, 5), 1);
    EXPECT_EQ(WRGetDynTextColor(graph, text, 1, &colour), 1);
    EXPECT_EQ(colour, 5);
    EXPECT_EQ(WRGetDynTextColor(graph, text, 3, &colour), 0);
    EXPECT_EQ(env.lastError.text, "Invalid record - WRGetDynTextColor");
}

TEST_F(TextObjects, AnUnchangedValueIsNotRedrawnAndAChangedOneOnlyInItsCell) {
    const int set = WRDefineDynDataSet("Tank", 2, nullptr, nullptr, 0);
    const int text = WRSetDynText(graph, set, -1, 25, 20, 50, 40, 0, 1, nullptr, 7, 0, 8, 1, 0, 3);
    ASSERT_GT(text, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    window()->repaint();
    const int fullPaints = window()->fullPaintCount();
    PaintCounter counter;
    window()->installEventFilter(&counter);
    const double same[2] = {0.0, 0.0};
    WRUpdateData(set, same, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    // Channel 1 changes: its row is drawn into the picture, nothing drawn afresh.
    const double changed[2] = {0.0, 77.0};
    WRUpdateData(set, changed, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(window()->fullPaintCount(), fullPaints);
    EXPECT_GE(counter.paints, 1);
    window()->removeEventFilter(&counter);
    EXPECT_EQ(object<DynamicText>(text)->rows(&dataSet(set)), 2);
}

// An object that shows its channels in colours of its own, as a meter's needles do.
class ColouredNeedles final : public DynObject {
public:
    ColouredNeedles() : DynObject(MeterType, 0) {}
    int channelColour(int channel) const override { return channel == 1 ? 12 : 10; }
};

TEST_F(TextObjects, TextTakesItsColoursFromAColourSource) {
    const int set = WRDefineDynDataSet("Tank", 2, nullptr, nullptr, 0);
    const int source = AddDynObject(env, graph, std::make_unique<ColouredNeedles>());
    ASSERT_GT(source, 0);
    const int own[2] = {4, 4};
    const int text = WRSetDynText(graph, set, 1, 25, 20, 50, 20, -1, 0, own, -1, 0, 8, 0, source, 0);
    ASSERT_GT(text, 0);
    int colour = -1;
    EXPECT_EQ(WRGetDynTextColor(graph, text, 1, &colour), 1);
    EXPECT_EQ(colour, 12);
    EXPECT_EQ(WRGetDynTextColor(graph, text, 0, &colour), 0);  // channel 0 is not shown
    const double values[2] = {1.0, 2.0};
    WRUpdateData(set, values, 0);
    EXPECT_GT(pixelsOfColour(render(), QRect(100, 60, 200, 60), palette(12)), 10);
}

TEST_F(TextObjects, AnAnnunciatorNamesItsItems) {
    char tags[3 * 16] = "Inlet";
    std::strcpy(tags + 16, "Core");
    std::strcpy(tags + 32, "Outlet");
    const int set = WRDefineDynDataSet("Tank", 3, "degC", tags, 0);
    WRSetAlarm(set, HighAlarm, 80.0, "Too hot");
    const int panel = WRSetAnnun(graph, set, "Temperatures", 10, 10, 80, 60, 1);
    ASSERT_GT(panel, 0);
    const int title = WRGetAnnTitle(graph, panel);
    ASSERT_GT(title, 0);
    EXPECT_EQ(env.graph(graph)->objects.at(title)->type, plotbase::TextType);
    const int value = WRGetAnnVal(graph, panel, 2);
    ASSERT_NE(object<DynamicText>(value), nullptr);
    EXPECT_EQ(object<DynamicText>(value)->channel, 2);
    ASSERT_NE(object<AlarmText>(WRGetAnnAlm(graph, panel, 1)), nullptr);
    EXPECT_EQ(static_cast<plotbase::TextObject*>(env.graph(graph)->objects.at(WRGetAnnTag(graph, panel, 1)))->text, "Core");
    EXPECT_EQ(static_cast<plotbase::TextObject*>(env.graph(graph)->objects.at(WRGetAnnUnits(graph, panel, 0)))->text, "degC");
    EXPECT_EQ(WRGetAnnVal(graph, panel, 3), 0);
    EXPECT_EQ(lastErrorCode(), 30);
    EXPECT_EQ(WRGetAnnTitle(graph, value), 0);  // a dynamic text is not an annunciator
    EXPECT_EQ(lastErrorCode(), 29);
    EXPECT_EQ(WRGetAnnTag(graph, 99, 0), 0);
    EXPECT_EQ(lastErrorCode(), 56);
    // One channel only, and the refusals of the creator.
    const int single = WRSetAnnun2(graph, set, "Core", 10, 70, 80, 25, 1, 1);
    ASSERT_GT(single, 0);
    EXPECT_GT(WRGetAnnVal(graph, single, 1), 0);
    EXPECT_EQ(WRGetAnnVal(graph, single, 0), 0);
    EXPECT_EQ(WRSetAnnun2(graph, set, "Bad", 10, 10, 80, 60, 1, 3), 0);
    EXPECT_EQ(env.lastError.text, "Invalid record - WRSetAnnun");
    EXPECT_EQ(WRSetAnnun(graph, 50, "None", 10, 10, 80, 60, 1), 0);
    EXPECT_EQ(lastErrorCode(), 55);
    // Alarm text follows the channel.
    const double values[3] = {20.0, 85.0, 20.0};
    WRUpdateData(set, values, 0);
    EXPECT_EQ(object<AlarmText>(WRGetAnnAlm(graph, panel, 1))->shownText(&dataSet(set)), "Too hot");
}

TEST_F(TextObjects, AnAutomaticPanelHandsBackItsValueTexts) {
    const int set = WRDefineDynDataSet("Tank", 2, "m", nullptr, 0);
    std::int16_t values[2] = {0, 0};
    const int panel = WRSetAutoText(graph, set, 10, 10, 50, 30, 2, values);
    ASSERT_GT(panel, 0);
    ASSERT_NE(object<DynamicText>(values[0]), nullptr);
    EXPECT_EQ(object<DynamicText>(values[1])->channel, 1);
    EXPECT_EQ(WRGetAnnTitle(graph, panel), 0);
    EXPECT_EQ(WRGetAnnVal(graph, panel, 1), values[1]);
}

TEST_F(TextObjects, NothingIsCreatedWhileTheStopFlagIsSet) {
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
    env.stop = true;
    const auto table = messageTable({"A"});
    EXPECT_EQ(WRSetMessage(graph, set, 0, 10, 10, 0, 1, 7, 1, table.data(), nullptr), 0);
    EXPECT_EQ(WRSetDynText(graph, set, 0, 10, 10, 20, 10, 0, 1, nullptr, 7, 0, 0, 1, 0, 0), 0);
    EXPECT_EQ(WRSetAnnun(graph, set, "T", 10, 10, 80, 60, 1), 0);
    EXPECT_EQ(lastErrorCode(), 0);
}

}  // namespace
}  // namespace dynaview::testing
