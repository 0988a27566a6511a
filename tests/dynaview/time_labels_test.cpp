// Time axes and time labels through the exported functions: creation and refusals, the
// link to scrolling graphs (a stand-in object that holds label slots, added to the graph as
// the frame adds any object), and the labels as drawn. The fixture's plot area spans x
// 40..360 and y 30..270 for the world 0..100 both ways.

#include "dynaview_fixture.h"

#include "dynaview/frame/object_access.h"
#include "dynaview/frame/time_label_link.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/timeaxis/time_axis_state.h"
#include "dynaview/timeaxis/time_labels.h"
#include "plotbase/graph_layout.h"
#include "plotbase/graph_widget.h"
#include "plotbase/operations_setup.h"
#include "tests/plotbase/pixel_probe.h"

#include <QImage>
#include <QTest>

#include <limits>

namespace dynaview::testing {
namespace {

using plotbase::testing::pixelsOfColour;

// Stands in for a scrolling graph: it holds the slots and nothing else.
class SlotHolder final : public DynObject {
public:
    SlotHolder() : DynObject(ScrollGraphType, 1) {}
    TimeLabelSlots* timeLabelSlots() override { return &labelSlots; }
    TimeLabelSlots labelSlots;
};

class TimeLabelsTest : public DynaviewTest {
protected:
    // A horizontal seconds axis along the bottom with a tick every 25.
    int timeAxis(int unit = Seconds, int direction = 1, double spacing = 25.0) {
        return WRDrawTimeAxis(graph, spacing, 0, 0, 0.0, direction, unit);
    }
    int clockLabels(int axis, int h, int m, int s, int format = HoursMinutesSeconds, int mode = 0, int position = 3) {
        return WRLabelTimeAxis(graph, axis, position, format, -1, h, m, s, 0.0, mode, "end");
    }
    TimeLabels& labelsAt(int index) { return *dynamic_cast<TimeLabels*>(env.graph(graph)->objects.at(index)); }
    std::vector<TimeLabels::Item> items(int index) {
        TimeLabels& labels = labelsAt(index);
        const QRectF r(0, 0, 400, 300);
        const plotbase::Scaling scaling = plotbase::detail::GraphLayout::scalingFor(*env.graph(graph), r, labels);
        const plotbase::DrawContext context{env, graph, index, scaling, {0, 0, 400, 300}, false};
        return labels.layout(context);
    }
    std::vector<std::string> texts(int index) {
        std::vector<std::string> out;
        for (const auto& item : items(index)) out.push_back(item.text.toStdString());
        return out;
    }
    int slotHolder() {
        auto holder = std::make_unique<SlotHolder>();
        holderRecord = holder.get();
        return AddDynObject(env, graph, std::move(holder));
    }
    QImage render() {
        QImage image(400, 300, QImage::Format_ARGB32);
        plotbase::RenderPage(env, page, image);
        if (qEnvironmentVariableIsSet("DYNAVIEW_SAVE_RENDERINGS"))
            image.save(QString::fromStdString("/tmp/" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".png"));
        return image;
    }
    SlotHolder* holderRecord = nullptr;
};

TEST_F(TimeLabelsTest, ATimeAxisIsAPlotbaseAxisThatKnowsItsUnitAndKeepsItsDirection) {
    const int horizontal = timeAxis(Minutes);
    const int vertical = WRDrawTimeAxis(graph, 20.0, 1, 1, 50.0, 0, Hours);
    ASSERT_GT(horizontal, 0);
    ASSERT_GT(vertical, 0);
    const auto* h = env.graph(graph)->objects.as<plotbase::Axis>(horizontal, plotbase::AxisType);
    const auto* v = env.graph(graph)->objects.as<plotbase::Axis>(vertical, plotbase::AxisType);
    EXPECT_EQ(h->subtype, TimeAxisSubtype);
    EXPECT_TRUE(v->vertical());
    EXPECT_EQ(TimeAxisUnit(env, graph, horizontal), Minutes);
    EXPECT_EQ(TimeAxisUnit(env, graph, vertical), Hours);
    EXPECT_EQ(TimeAxisUnit(env, graph, xAxis), std::nullopt);
    EXPECT_EQ(v->intercept, 50.0);
    EXPECT_EQ(v->tickSpacing, 20.0);
    // An axis put at the index of a deleted time axis is not taken for it.
    plotbase::WGDeleteObject(env, graph, horizontal);
    EXPECT_EQ(TimeAxisUnit(env, graph, horizontal), std::nullopt);

    EXPECT_EQ(WRDrawTimeAxis(graph, 10.0, 0, 0, 0.0, 1, 3), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::InvalidArgument);
    EXPECT_EQ(WRDrawTimeAxis(graph + 100, 10.0, 0, 0, 0.0, 1, 0), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::GraphNotOpen);
}

TEST_F(TimeLabelsTest, LabelsOfAMinutesAxisStepInMinutes) {
    const int vertical = WRDrawTimeAxis(graph, 25.0, 0, 0, 0.0, 0, Minutes);
    const int labels = clockLabels(vertical, 6, 0, 0, HoursMinutes, 0, 1);
    EXPECT_EQ(texts(labels), (std::vector<std::string>{"06:00", "06:25", "06:50", "07:15", "07:40"}));
}

TEST_F(TimeLabelsTest, LabelsStandAtTheTicksFromTheStartAndRollOverMidnight) {
    const int labels = clockLabels(timeAxis(Seconds, 1, 10.0), 23, 59, 50);
    ASSERT_GT(labels, 0);
    const std::vector<std::string> shown = texts(labels);
    ASSERT_EQ(shown.size(), 11u);
    EXPECT_EQ(shown[0], "23:59:50");
    EXPECT_EQ(shown[1], "00:00:00");
    EXPECT_EQ(shown[2], "00:00:10");
    EXPECT_EQ(shown[10], "00:01:30");
}

TEST_F(TimeLabelsTest, CreationStartsAtReducedTimesAndTheFormatsShowTheirFields) {
    EXPECT_EQ(texts(clockLabels(timeAxis(), 25, 75, 0))[0], "01:15:00");
    EXPECT_EQ(texts(clockLabels(timeAxis(), 8, 30, 0, HoursMinutes))[0], "08:30");
    EXPECT_EQ(texts(clockLabels(timeAxis(), 8, 30, 0, MinutesSeconds))[0], "30:00");
    const int none = clockLabels(timeAxis(), 8, 30, 0, 3);
    ASSERT_GT(none, 0);
    EXPECT_TRUE(items(none).empty());
}

TEST_F(TimeLabelsTest, LastLabelModeOneLeavesTheLastOfFourTicksBlank) {
    const int labels = clockLabels(timeAxis(Seconds, 1, 33.0), 0, 0, 0, MinutesSeconds, 1);  // ticks 0, 33, 66, 99
    EXPECT_EQ(texts(labels), (std::vector<std::string>{"00:00", "00:33", "01:06"}));
    const int fixed = clockLabels(timeAxis(Seconds, 1, 33.0), 0, 0, 0, MinutesSeconds, 2);
    const auto shown = items(fixed);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[3].text, "end");
    // The fixed text ends at the end of the axis.
    EXPECT_NEAR(shown[3].rect.right(), 40 + 0.99 * 320, 1.0);
}

TEST_F(TimeLabelsTest, RefusalsNameTheirOperation) {
    EXPECT_EQ(clockLabels(env.graph(graph)->objects.size() + 1, 0, 0, 0), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::NoSuchAxis);
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
    const int lines = WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(clockLabels(lines, 0, 0, 0), 0);
    EXPECT_EQ(env.lastError.text, "Invalid record - WRLabelTimeAxis");
    EXPECT_EQ(clockLabels(xAxis, 0, 0, 0, 1, 0, 1), 0);  // a vertical position on a horizontal axis
    EXPECT_EQ(lastErrorCode(), plotbase::InvalidArgument);
    EXPECT_EQ(WRLabelTimeAxis(graph, xAxis, 0, 0, 12, 0, 0, 0, 0.0, 0, nullptr), 0);  // 12 decimals
    EXPECT_EQ(WRLabelTimeAxis(graph, xAxis, 0, 0, 2, 0, 0, 0, 0.0, 7, nullptr), 0);   // no mode 7

    // Any object that is not a time-labels object is refused with error 30, a missing one too.
    EXPECT_EQ(WRUpdateTimeLabels(graph, xAxis, 1.0), 0);
    EXPECT_EQ(env.lastError.text, "Invalid record - WRUpdateTimeLabels");
    EXPECT_EQ(WRResetTimeLabels(graph, lines, 1.0), 0);
    EXPECT_EQ(env.lastError.text, "Invalid record - WRResetTimeLabels");
    EXPECT_EQ(WRChangeTimeLabelsFormat(graph, 99, 1), 0);
    EXPECT_EQ(env.lastError.text, "Invalid record - WRChangeTimeLAbelsFormat");
    const int labels = clockLabels(xAxis, 0, 0, 0);
    EXPECT_EQ(WRUpdateTimeLabels(graph, labels, std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::InvalidArgument);
    EXPECT_EQ(WRChangeTimeLabelsFormat(graph, labels, HoursMinutes), 1);
}

TEST_F(TimeLabelsTest, UpdateAndResetMoveTheStartInTheAxisUnit) {
    const int labels = clockLabels(timeAxis(Minutes), 10, 0, 0, HoursMinutes);
    ASSERT_EQ(texts(labels)[0], "10:00");
    EXPECT_EQ(texts(labels)[1], "10:25");
    EXPECT_EQ(WRUpdateTimeLabels(graph, labels, 5.0), 1);
    EXPECT_EQ(texts(labels)[0], "10:05");
    EXPECT_EQ(WRResetTimeLabels(graph, labels, 60.0), 1);
    EXPECT_EQ(texts(labels)[0], "01:00");
}

TEST_F(TimeLabelsTest, AScrollingGraphHoldsThreeLabelsAndMovesThemOnWithEachJump) {
    const int axis = timeAxis();
    std::vector<int> labels;
    for (int i = 0; i < 4; ++i) labels.push_back(clockLabels(axis, 12, 0, 10 * i, MinutesSeconds));
    const int scroll = slotHolder();
    ASSERT_GT(scroll, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(WRStartTimeLabelsUpdate(graph, labels[i], scroll), 1);
    EXPECT_EQ(WRStartTimeLabelsUpdate(graph, labels[3], scroll), 0);
    EXPECT_EQ(holderRecord->labelSlots.indices(), (std::array<int, 3>{labels[0], labels[1], labels[2]}));
    // Attaching again changes nothing: the labels would move twice per jump.
    EXPECT_EQ(WRStartTimeLabelsUpdate(graph, labels[1], scroll), 1);
    EXPECT_EQ(holderRecord->labelSlots.indices(), (std::array<int, 3>{labels[0], labels[1], labels[2]}));

    // A jump of 30 samples, one second each.
    MoveTimeLabels(ObjectPlace{env, graph, scroll}, holderRecord->labelSlots, 30.0);
    EXPECT_EQ(texts(labels[0])[0], "00:30");
    EXPECT_EQ(texts(labels[2])[0], "00:50");
    EXPECT_EQ(texts(labels[3])[0], "00:30");  // not attached: where it was

    EXPECT_EQ(WRStopTimeLabelsUpdate(graph, labels[0], scroll), 1);
    EXPECT_EQ(WRStopTimeLabelsUpdate(graph, labels[0], scroll), 0);
    EXPECT_EQ(holderRecord->labelSlots.indices(), (std::array<int, 3>{labels[1], labels[2], 0}));
    EXPECT_EQ(WRStartTimeLabelsUpdate(graph, labels[3], scroll), 1);

    // Labels deleted while attached are passed over.
    WRDeleteRTObject(graph, labels[1]);
    MoveTimeLabels(ObjectPlace{env, graph, scroll}, holderRecord->labelSlots, 30.0);
    EXPECT_EQ(texts(labels[2])[0], "01:20");
}

TEST_F(TimeLabelsTest, LabelsMadeAtTheIndexOfDeletedAttachedLabelsAreNotMovedAndTheSlotIsFreed) {
    const int axis = timeAxis();
    const int scroll = slotHolder();
    std::vector<int> labels;
    for (int i = 0; i < 3; ++i) labels.push_back(clockLabels(axis, 12, 0, 0, MinutesSeconds));
    for (int labelsIndex : labels) ASSERT_EQ(WRStartTimeLabelsUpdate(graph, labelsIndex, scroll), 1);
    // The first labels go; new ones take their index.
    ASSERT_EQ(WRDeleteRTObject(graph, labels[0]), 1);
    const int stranger = clockLabels(axis, 12, 0, 0, MinutesSeconds);
    ASSERT_EQ(stranger, labels[0]);
    MoveTimeLabels(ObjectPlace{env, graph, scroll}, holderRecord->labelSlots, 30.0);
    EXPECT_EQ(texts(stranger)[0], "00:00");
    EXPECT_EQ(texts(labels[1])[0], "00:30");
    // Neither attached nor able to be stopped; attaching it takes the freed slot.
    EXPECT_EQ(WRStopTimeLabelsUpdate(graph, stranger, scroll), 0);
    EXPECT_EQ(WRStartTimeLabelsUpdate(graph, stranger, scroll), 1);
    EXPECT_EQ(holderRecord->labelSlots.indices(), (std::array<int, 3>{labels[1], labels[2], stranger}));
    MoveTimeLabels(ObjectPlace{env, graph, scroll}, holderRecord->labelSlots, 30.0);
    EXPECT_EQ(texts(stranger)[0], "00:30");
}

TEST_F(TimeLabelsTest, AttachingNeedsBothObjectsAndAnObjectThatHoldsLabels) {
    const int labels = clockLabels(timeAxis(), 0, 0, 0);
    const int scroll = slotHolder();
    EXPECT_EQ(WRStartTimeLabelsUpdate(graph, labels, 77), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::NoSuchObject);
    EXPECT_EQ(WRStopTimeLabelsUpdate(graph, 77, scroll), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::NoSuchObject);
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
    const int lines = WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(WRStartTimeLabelsUpdate(graph, labels, lines), 0);
    EXPECT_EQ(env.lastError.text, "Invalid record - WRStartTimeLabelsUpdate");
    EXPECT_EQ(WRStopTimeLabelsUpdate(graph, lines, scroll), 0);
    EXPECT_EQ(env.lastError.text, "Invalid record - WRStopTimeLabelsUpdate");
}

TEST_F(TimeLabelsTest, LabelsAreDrawnCentredUnderTheirTicksBelowTheAxis) {
    const int labels = clockLabels(timeAxis(), 9, 0, 0, HoursMinutesSeconds, 0, 0);
    const auto shown = items(labels);
    ASSERT_EQ(shown.size(), 5u);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const double tick = 40 + 80.0 * static_cast<double>(i);
        // Centred on the tick, kept inside the graph at its ends.
        if (i > 0 && i < 4) {
            EXPECT_NEAR(shown[i].rect.center().x(), tick, 1.0) << i;
        }
        EXPECT_GE(shown[i].rect.top(), 270 + 5);  // below the axis and its ticks
        EXPECT_LT(shown[i].rect.top(), 270 + 12);
    }
    const QImage image = render();
    const QColor ink = QColor(0, 0, 0);
    for (const auto& item : shown) EXPECT_GT(pixelsOfColour(image, item.rect.toAlignedRect(), ink), 5) << item.text.toStdString();
    // Nothing between the labels.
    EXPECT_EQ(pixelsOfColour(image, QRect(static_cast<int>(shown[1].rect.right()) + 2, 276, 8, 10), ink), 0);
}

TEST_F(TimeLabelsTest, LabelsOfAVerticalAxisAlignTowardsIt) {
    const int axis = WRDrawTimeAxis(graph, 50.0, 0, 0, 50.0, 0, Seconds);  // through the middle, ticks right
    const int left = clockLabels(axis, 0, 0, 0, MinutesSeconds, 0, 1);
    const int right = clockLabels(axis, 0, 0, 0, MinutesSeconds, 0, 2);
    const int outside = clockLabels(axis, 0, 0, 0, MinutesSeconds, 0, 9);
    const auto l = items(left), r = items(right), o = items(outside);
    ASSERT_EQ(l.size(), 3u);
    ASSERT_EQ(r.size(), 3u);
    ASSERT_EQ(o.size(), 3u);
    EXPECT_NEAR(l[1].rect.right(), 200 - 2, 0.5);
    EXPECT_NEAR(r[1].rect.left(), 200 + 5 + 2, 0.5);
    EXPECT_NEAR(o[1].rect.left(), 360 + 2, 0.5);
    EXPECT_NEAR(l[1].rect.center().y(), 150, 0.5);
    // Picking finds the labels by their place.
    plotbase::WGSelectObject(env, graph, 0);
    const plotbase::Scaling scaling = plotbase::detail::GraphLayout::scalingFor(*env.graph(graph), QRectF(0, 0, 400, 300), labelsAt(left));
    const plotbase::DrawContext context{env, graph, left, scaling, {0, 0, 400, 300}, false};
    render();
    EXPECT_TRUE(labelsAt(left).hitTest(context, l[1].rect.center().x(), l[1].rect.center().y()));
    EXPECT_FALSE(labelsAt(left).hitTest(context, 300, 100));
}

TEST_F(TimeLabelsTest, AMoveRedrawsOnlyTheLabelsInTheWindow) {
    const int labels = clockLabels(timeAxis(), 9, 0, 0, HoursMinutesSeconds, 0, 0);
    auto* window = static_cast<plotbase::GraphWidget*>(plotbase::WGGetGraphWindow(env, graph));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    window->repaint();
    const QImage before = window->picture().copy();
    const int fullPaints = window->fullPaintCount();
    EXPECT_EQ(WRUpdateTimeLabels(graph, labels, 3600.0), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->fullPaintCount(), fullPaints);
    const QImage after = window->picture();
    // The plot area is untouched; the labels' row changed.
    EXPECT_EQ(before.copy(40, 30, 321, 241), after.copy(40, 30, 321, 241));
    EXPECT_NE(before.copy(0, 275, 400, 25), after.copy(0, 275, 400, 25));
    EXPECT_EQ(texts(labels)[0], "10:00:00");
    // Labels over the plot area need the full paint.
    const int above = clockLabels(timeAxis(), 9, 0, 0, HoursMinutesSeconds, 0, 4);
    window->repaint();
    const int full = window->fullPaintCount();
    WRUpdateTimeLabels(graph, above, 60.0);
    window->repaint();
    EXPECT_EQ(window->fullPaintCount(), full + 1);
}

}  // namespace
}  // namespace dynaview::testing
