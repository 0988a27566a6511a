// Alarm lines, marks and text as drawn: rendered offscreen and checked by their pixels at
// the positions the graph's scale gives. The plot area spans x 40..360 and y 30..270 for
// the world 0..100 both ways.

#include "dynaview_fixture.h"

#include "plotbase/graph_widget.h"
#include "tests/plotbase/pixel_probe.h"

#include <QImage>
#include <QTest>

namespace dynaview::testing {
namespace {

using plotbase::testing::lineCentreInColumn;
using plotbase::testing::lineCentreInRow;
using plotbase::testing::pixelsOfColour;

QColor palette(int index) {
    const plotbase::Rgb c = plotbase::Palette[static_cast<std::size_t>(index)];
    return QColor(c.red, c.green, c.blue);
}

double deviceY(double value) { return 270.0 - value / 100.0 * 240.0; }
double deviceX(double value) { return 40.0 + value / 100.0 * 320.0; }

class Drawing : public DynaviewTest {
protected:
    Drawing() {
        set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
        WRSetSetpoint(set, 50.0);
        WRSetAlarm(set, HighAlarm, 80.0, "Hot");
        WRSetAlarm(set, LowAlarm, 20.0, "Cold");
    }
    QImage render() {
        QImage image(400, 300, QImage::Format_ARGB32);
        plotbase::RenderPage(env, page, image);
        if (qEnvironmentVariableIsSet("DYNAVIEW_SAVE_RENDERINGS"))
            image.save(QString::fromStdString("/tmp/" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".png"));
        return image;
    }
    int set = 0;
};

TEST_F(Drawing, AlarmLinesLieAtTheSetpointAndLimits) {
    WRSetAlarm(set, HighHighAlarm, 90.0, "Very hot");
    WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr);
    const QImage image = render();
    // Default colours: setpoint 2, High 4, Low 1; High-high is off unless enabled.
    for (const auto& [value, colour] : std::vector<std::pair<double, int>>{{50.0, 2}, {80.0, 4}, {20.0, 1}}) {
        for (int column : {100, 250, 350}) {
            const auto centre = lineCentreInColumn(image, column, palette(colour), 31, 269);
            ASSERT_TRUE(centre) << value << " at column " << column;
            EXPECT_NEAR(*centre, deviceY(value) + 0.5, 0.75) << value;
        }
    }
    EXPECT_EQ(pixelsOfColour(image, QRect(41, 31, 318, 238), palette(12)), 0);
}

TEST_F(Drawing, AlarmLinesShowOnlyDefinedLimitsAndFollowThemWhenTheyChange) {
    const int enables[5] = {1, 1, 1, 1, 1};
    const int colours[5] = {2, 4, 1, 12, 9};
    const int widths[5] = {1, 3, 1, 1, 1};
    const int lines = WRSetAlarmLines(graph, set, 0, 0, enables, nullptr, widths, colours);  // vertical
    EXPECT_EQ(WRGetAlarmLineState(graph, lines, 3), 0);  // High-high is not defined
    EXPECT_EQ(WRGetAlarmLineState(graph, lines, 1), 1);
    WRChangeAlarm(set, HighAlarm, 60.0, 1, "Hot");
    const QImage image = render();
    const auto high = lineCentreInRow(image, 150, palette(4), 41, 359);
    ASSERT_TRUE(high);
    EXPECT_NEAR(*high, deviceX(60.0) + 0.5, 0.75);
    EXPECT_GE(pixelsOfColour(image, QRect(static_cast<int>(deviceX(60.0)) - 2, 100, 5, 1), palette(4)), 3);  // 3 wide
    WREnableAlarmLine(graph, lines, 1, 0);
    EXPECT_EQ(pixelsOfColour(render(), QRect(41, 31, 318, 238), palette(4)), 0);
    EXPECT_EQ(WRGetAlarmLineState(graph, lines, 5), 0);
    EXPECT_EQ(env.lastError.text, "Invalid record - WRGetAlmLineState");
}

TEST_F(Drawing, AlarmMarksPointAtTheirValuesBesideTheAxis) {
    const int marks = WRSetAlarmMarks(graph, set, yAxis, 0, 9, nullptr, 1, nullptr, nullptr);
    ASSERT_GT(marks, 0);
    const QImage image = render();
    // The y axis is at x = 40; marks are triangles 12 pixels deep inside the plot.
    for (const auto& [value, colour] : std::vector<std::pair<double, int>>{{50.0, 2}, {80.0, 4}, {20.0, 1}}) {
        const int y = static_cast<int>(deviceY(value));
        const auto centre = lineCentreInColumn(image, 48, palette(colour), y - 15, y + 15);
        ASSERT_TRUE(centre) << value;
        EXPECT_NEAR(*centre, deviceY(value), 1.0) << value;
    }
    EXPECT_EQ(pixelsOfColour(image, QRect(0, 0, 39, 300), palette(4)), 0);  // nothing outside
    // Outside the plot, on the other side of the axis.
    WRChangeAlarmMarks(graph, marks, 1, -1, nullptr, -1, nullptr, nullptr);
    EXPECT_GT(pixelsOfColour(render(), QRect(20, static_cast<int>(deviceY(80.0)) - 2, 18, 5), palette(4)), 10);
    int position = -1, size = 0;
    char read[60];
    WRGetAlarmMarks(graph, marks, &position, &size, nullptr, nullptr, nullptr, read);
    EXPECT_EQ(position, 1);
    EXPECT_EQ(size, 9);
    EXPECT_STREQ(read + 12, "H");
}

TEST_F(Drawing, AlarmTextShowsTheStateOfItsChannelInItsColour) {
    const int colours[8] = {4, 14, 12, 5, 15, 6, 8, 2};
    // On the graph's white, where the pixel probe tells colours apart.
    const int text = WRSetAlarmText(graph, set, 0, 25, 40, 50, 20, 0, 1, -1, 0, "All well", colours, 1, 12);
    ASSERT_GT(text, 0);
    const QRect box(104, 124, 192, 52);  // inside the border
    EXPECT_GT(pixelsOfColour(render(), box, palette(2)), 20);
    push(set, 85.0);
    const QImage hot = render();
    EXPECT_GT(pixelsOfColour(hot, box, palette(4)), 20);
    EXPECT_EQ(pixelsOfColour(hot, box, palette(2)), 0);
}

TEST_F(Drawing, AnAlarmTextTooWideForItsBoxShowsItsBeginning) {
    const int colours[8] = {2, 2, 2, 2, 2, 2, 2, 2};
    // Tall bars, then dashes: centred and cut at both sides, only dashes would show.
    const std::string message = std::string(3, '|') + std::string(28, '-');
    const int text = WRSetAlarmText(graph, set, 0, 45, 40, 10, 20, -1, 0, -1, 0, message.c_str(), colours, 1, 12);
    ASSERT_GT(text, 0);
    const QImage image = render();
    EXPECT_GT(pixelsOfColour(image, QRect(180, 120, 40, 60), palette(2)), 10);
    EXPECT_GT(pixelsOfColour(image, QRect(180, 120, 40, 30), palette(2)), 5);  // above the dashes
}

TEST_F(Drawing, AnAlarmTextUpdateRepaintsOnlyItsBox) {
    const int text = WRSetAlarmText(graph, set, 0, 25, 40, 50, 20, 0, 1, 7, 0, "All well", nullptr, 1, 12);
    ASSERT_GT(text, 0);
    auto* window = static_cast<plotbase::GraphWidget*>(plotbase::WGGetGraphWindow(env, graph));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    window->repaint();
    const int fullPaints = window->fullPaintCount();
    push(set, 85.0);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->fullPaintCount(), fullPaints);
    const QImage shown = window->picture();
    EXPECT_GT(pixelsOfColour(shown, QRect(100, 120, 200, 60), palette(4)), 20);
    // An update that changes nothing draws nothing.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    window->installEventFilter(&counter);
    push(set, 86.0);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    window->removeEventFilter(&counter);
    // A see-through box cannot be drawn alone: the graph is drawn again.
    const int clear = WRSetAlarmText(graph, set, 0, 0, 0, 20, 10, -1, 0, -1, 0, nullptr, nullptr, 0, 0);
    ASSERT_GT(clear, 0);
    window->repaint();
    const int before = window->fullPaintCount();
    push(set, 10.0);
    window->repaint();
    EXPECT_EQ(window->fullPaintCount(), before + 1);
}

}  // namespace
}  // namespace dynaview::testing
