// Controls in a graph: real widgets in the graph's window, placed over their world
// rectangle and following it, driven by mouse and keys, telling the application's graph
// procedure what the user did, and gone with their object or at clean-up.

#include "dynaview_fixture.h"

#include "dynaview/controls/control_specs.h"
#include "plotbase/drawing_tools.h"
#include "plotbase/operations_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>
#include <limits>

namespace dynaview::testing {
namespace {

struct ControlMessage {
    int graph;
    int object;
    double value;
    int item;
    bool operator==(const ControlMessage&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ControlMessage& m) {
    return out << "{graph " << m.graph << ", object " << m.object << ", value " << m.value << ", item " << m.item << "}";
}

class Controls : public DynaviewTest {
protected:
    Controls() {
        env.showErrorMessages = false;
        env.graphProcedure = [this](plotbase::Environment&, int g, const plotbase::WindowMessage& m) {
            if (static_cast<int>(m.kind) != DV_MSG_CONTROL) return;
            messages.push_back({g, m.button, m.x, static_cast<int>(m.y)});
            if (onMessage) onMessage(m.button);
        };
        settle();
    }

    QWidget* graphWindow() const { return plotbase::WGGetGraphWindow(env, graph); }
    template <typename T>
    T* windowOf(int object) {
        return qobject_cast<T*>(static_cast<QWidget*>(WRGetButtonWindow(graph, object)));
    }
    // Where a world rectangle lies in the graph window now.
    QRect expected(double left, double top, double width, double height) const {
        const plotbase::Scaling s = *plotbase::WGGetScaling(env, graph);
        return QRect(QPoint(static_cast<int>(std::lround(s.deviceX(left))), static_cast<int>(std::lround(s.deviceY(top)))),
                     QSize(static_cast<int>(std::lround(s.deviceX(left + width) - s.deviceX(left))),
                           static_cast<int>(std::lround(s.deviceY(top - height) - s.deviceY(top)))));
    }
    // Paints and runs what the paint queued.
    void settle() {
        for (int i = 0; i < 3; ++i) {
            if (QWidget* w = graphWindow()) w->repaint();
            QCoreApplication::processEvents();
        }
    }
    int controlWidgets() const { return static_cast<int>(host.findChildren<QAbstractButton*>().size() + host.findChildren<QScrollBar*>().size()); }

    std::vector<ControlMessage> messages;
    std::function<void(int object)> onMessage;
};

// --- what the creators and change functions accept ---

TEST(ControlSpecs, GroupTextsSplitAtBarsAndMustMatchTheCount) {
    EXPECT_EQ(GroupTexts("Manual|Auto|Cascade", 3), (std::vector<std::string>{"Manual", "Auto", "Cascade"}));
    EXPECT_EQ(GroupTexts("||", 3), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(GroupTexts(nullptr, 2), (std::vector<std::string>{"1", "2"}));
    EXPECT_FALSE(GroupTexts("a|b", 3));
    EXPECT_FALSE(GroupTexts("a|b|c|d", 3));
    EXPECT_FALSE(GroupTexts(nullptr, 0));
    EXPECT_FALSE(GroupTexts(nullptr, MaxGroupItems + 1));
    const std::string longText(100, 'x');
    EXPECT_EQ(GroupTexts(longText.c_str(), 1)->front().size(), ControlTextLength);
}

TEST(ControlSpecs, BoxesRangesStylesAndColours) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(WorldBoxOk({10, 90, 80, 10}));
    EXPECT_FALSE(WorldBoxOk({10, 90, 0, 10}));
    EXPECT_FALSE(WorldBoxOk({10, 90, 80, -1}));
    EXPECT_FALSE(WorldBoxOk({nan, 90, 80, 10}));
    EXPECT_FALSE(WorldBoxOk({10, 90, inf, 10}));
    EXPECT_FALSE(WorldBoxOk({1e308, 90, 1e308, 10}));  // its right edge is beyond doubles
    EXPECT_TRUE(ScrollRangeOk(0, 100, 0));
    EXPECT_TRUE(ScrollRangeOk(0, 100, 100));
    EXPECT_FALSE(ScrollRangeOk(0, 100, 101));
    EXPECT_FALSE(ScrollRangeOk(5, 5, 5));
    EXPECT_FALSE(ScrollRangeOk(std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), 0));
    EXPECT_TRUE(ButtonStyleOk(LatchStyle));
    EXPECT_FALSE(ButtonStyleOk(3));
    EXPECT_TRUE(GroupStyleOk(GroupVertical | GroupRadio));
    EXPECT_FALSE(GroupStyleOk(4));
    EXPECT_TRUE(ControlColourOk(DefaultColour));
    EXPECT_FALSE(ControlColourOk(16));
    EXPECT_FALSE(ControlColourOk(-2));
}

// --- placing ---

TEST_F(Controls, EachControlIsAWidgetOfTheGraphWindowOverItsWorldRectangle) {
    const int bar = WRSetScrBarControl(graph, 10, 90, 80, 10, 0, 0, 100, 40);
    const int button = WRSetButtonControl(graph, "&Start", 10, 70, 20, 10, DV_BUTTON_PUSH, DV_DEFAULT_COLOUR);
    const int group = WRSetButtonGroup(graph, 3, "Manual|Auto|Cascade", 40, 70, 50, 10, 0);
    const int led = WRSetLEDControl(graph, 50, 40, 10, 4, 8);
    ASSERT_GT(bar, 0);
    ASSERT_GT(button, 0);
    ASSERT_GT(group, 0);
    ASSERT_GT(led, 0);
    EXPECT_EQ(env.graph(graph)->objects.at(bar)->type, DV_TYPE_CONTROL);
    EXPECT_EQ(env.graph(graph)->objects.at(group)->subtype, 5);

    auto* scroll = windowOf<QScrollBar>(bar);
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->parentWidget(), graphWindow());
    EXPECT_EQ(scroll->orientation(), Qt::Horizontal);
    EXPECT_EQ(scroll->geometry(), expected(10, 90, 80, 10));
    EXPECT_TRUE(scroll->isVisible());
    EXPECT_EQ(scroll->objectName(), QString("ScrBarControl_%1").arg(bar));
    auto* start = windowOf<QPushButton>(button);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->text(), "&Start");
    EXPECT_EQ(start->accessibleName(), "Start");
    EXPECT_EQ(start->geometry(), expected(10, 70, 20, 10));
    EXPECT_EQ(static_cast<QWidget*>(WRGetButtonWindow(graph, group))->geometry(), expected(40, 70, 50, 10));
    // The lamp is round: its diameter is measured along x, centred on its point.
    const QRect lamp = static_cast<QWidget*>(WRGetButtonWindow(graph, led))->geometry();
    EXPECT_EQ(lamp.width(), lamp.height());
    EXPECT_EQ(lamp.width(), expected(45, 45, 10, 10).width());
    EXPECT_NEAR(lamp.center().x(), expected(50, 40, 1, 1).left(), 1);
    EXPECT_NEAR(lamp.center().y(), expected(50, 40, 1, 1).top(), 1);
}

TEST_F(Controls, FollowTheGraphWhenTheWindowIsResizedOrTheGraphRescaled) {
    const int bar = WRSetScrBarControl(graph, 10, 90, 80, 10, 1, 0, 10, 0);
    const int led = WRSetLEDControl(graph, 50, 50, 10, DV_DEFAULT_COLOUR, DV_DEFAULT_COLOUR);
    auto* scroll = windowOf<QScrollBar>(bar);
    QWidget* lamp = static_cast<QWidget*>(WRGetButtonWindow(graph, led));
    const QRect before = scroll->geometry();

    host.resize(800, 600);
    settle();
    EXPECT_EQ(scroll->geometry(), expected(10, 90, 80, 10));
    EXPECT_NEAR(scroll->width(), 2 * before.width(), 2);
    EXPECT_EQ(lamp->width(), expected(45, 55, 10, 10).width());

    // Twice the world range: half the pixels.
    plotbase::WGScalePlotArea(env, graph, 0.0, 0.0, 200.0, 200.0);
    settle();
    EXPECT_EQ(scroll->geometry(), expected(10, 90, 80, 10));
    EXPECT_NEAR(scroll->width(), before.width(), 2);
}

// --- what the user does ---

TEST_F(Controls, ScrollBarReportsTheUsersMovesButNotTheApplications) {
    const int bar = WRSetScrBarControl(graph, 10, 90, 80, 10, 0, -50, 50, 0);
    auto* scroll = windowOf<QScrollBar>(bar);
    // Two clicks on the arrow at its right end.
    const QPoint arrow(scroll->width() - 3, scroll->height() / 2);
    QTest::mouseClick(scroll, Qt::LeftButton, {}, arrow);
    QTest::mouseClick(scroll, Qt::LeftButton, {}, arrow);
    EXPECT_EQ(WRGetScrollPos(graph, bar), 2);
    QTest::keyClick(scroll, Qt::Key_PageDown);
    EXPECT_EQ(WRGetScrollPos(graph, bar), 12);  // a page is a tenth of the range
    QTest::keyClick(scroll, Qt::Key_End);
    EXPECT_EQ(WRGetScrollPos(graph, bar), 50);
    EXPECT_EQ(messages, (std::vector<ControlMessage>{{graph, bar, 1, 0}, {graph, bar, 2, 0}, {graph, bar, 12, 0}, {graph, bar, 50, 0}}));

    messages.clear();
    EXPECT_EQ(WRSetScrollPos(graph, bar, -20), 1);
    EXPECT_EQ(scroll->value(), -20);
    EXPECT_EQ(WRChangeScrBar(graph, bar, 0, 1000, 500), 1);
    int minimum = 0, maximum = 0, position = 0;
    EXPECT_EQ(WRGetScrBar(graph, bar, &minimum, &maximum, &position), 1);
    EXPECT_EQ(std::tuple(minimum, maximum, position), std::tuple(0, 1000, 500));
    EXPECT_EQ(std::tuple(scroll->minimum(), scroll->maximum(), scroll->value(), scroll->pageStep()), std::tuple(0, 1000, 500, 100));
    EXPECT_EQ(WRGetScrBar(graph, bar, nullptr, nullptr, nullptr), 1);
    EXPECT_TRUE(messages.empty());

    // Outside the range: refused, nothing moves.
    EXPECT_EQ(WRSetScrollPos(graph, bar, 1001), 0);
    EXPECT_EQ(lastErrorCode(), 18);
    EXPECT_EQ(WRChangeScrBar(graph, bar, 10, 10, 10), 0);
    EXPECT_EQ(WRGetScrollPos(graph, bar), 500);
    EXPECT_EQ(scroll->maximum(), 1000);
}

TEST_F(Controls, PushToggleAndLatchingButtons) {
    const int push = WRSetButtonControl(graph, "Start", 10, 90, 20, 10, DV_BUTTON_PUSH, 10);
    const int toggle = WRSetButtonControl(graph, "Heater", 40, 90, 20, 10, DV_BUTTON_TOGGLE, DV_DEFAULT_COLOUR);
    const int latch = WRSetButtonControl(graph, "Drain", 70, 90, 20, 10, DV_BUTTON_LATCH, 4);

    QTest::mouseClick(windowOf<QPushButton>(push), Qt::LeftButton);
    EXPECT_EQ(WRGetButtonState(graph, push, 0), 0);  // up again after the click
    QTest::mouseClick(windowOf<QPushButton>(toggle), Qt::LeftButton);
    EXPECT_EQ(WRGetButtonState(graph, toggle, 0), 1);
    QTest::mouseClick(windowOf<QPushButton>(toggle), Qt::LeftButton);
    EXPECT_EQ(WRGetButtonState(graph, toggle, 0), 0);
    EXPECT_EQ(messages, (std::vector<ControlMessage>{{graph, push, 1, 0}, {graph, toggle, 1, 0}, {graph, toggle, 0, 0}}));

    // A latching button stays down, deaf to clicks, until the application lets it up.
    messages.clear();
    auto* drain = windowOf<QPushButton>(latch);
    QTest::mouseClick(drain, Qt::LeftButton);
    QTest::mouseClick(drain, Qt::LeftButton);
    EXPECT_EQ(WRGetButtonState(graph, latch, 0), 1);
    EXPECT_TRUE(drain->isChecked());
    EXPECT_EQ(messages, (std::vector<ControlMessage>{{graph, latch, 1, 0}}));
    EXPECT_EQ(ButtonDelayEnd(graph, latch), 1);
    EXPECT_EQ(WRGetButtonState(graph, latch, 0), 0);
    QTest::mouseClick(drain, Qt::LeftButton);
    EXPECT_EQ(messages.size(), 2u);

    // Set by the application: not reported; a push button has no state to set.
    messages.clear();
    EXPECT_EQ(WRChangeButtonState(graph, toggle, 0, 1), 1);
    EXPECT_TRUE(windowOf<QPushButton>(toggle)->isChecked());
    EXPECT_EQ(WRChangeButtonState(graph, push, 0, 1), 0);
    EXPECT_EQ(lastErrorCode(), 18);
    EXPECT_EQ(WRChangeButtonState(graph, toggle, 2, 1), 0);
    EXPECT_EQ(lastErrorCode(), 30);
    EXPECT_TRUE(messages.empty());

    // Colours: the face takes the palette colour, with readable text.
    EXPECT_EQ(WRGetButtonColor(graph, push), 10);
    EXPECT_EQ(WRChangeButtonColor(graph, toggle, 1), 1);
    EXPECT_EQ(WRGetButtonColor(graph, toggle), 1);
    EXPECT_EQ(windowOf<QPushButton>(toggle)->palette().color(QPalette::Button), plotbase::detail::colourOf(1));
    EXPECT_EQ(windowOf<QPushButton>(toggle)->palette().color(QPalette::ButtonText), QColor(Qt::white));
    EXPECT_EQ(WRChangeButtonColor(graph, toggle, 16), 0);
    EXPECT_EQ(WRGetButtonColor(graph, toggle), 1);
}

TEST_F(Controls, ButtonGroupKeepsOneItemSelected) {
    const int group = WRSetButtonGroup(graph, 3, "Manual|Auto|Cascade", 10, 90, 80, 10, 0);
    QWidget* frame = static_cast<QWidget*>(WRGetButtonWindow(graph, group));
    const auto items = frame->findChildren<QPushButton*>();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[2]->text(), "Cascade");
    EXPECT_EQ(WRGetButtonState(graph, group, 0), 1);  // starts with its first item

    QTest::mouseClick(items[2], Qt::LeftButton);
    EXPECT_EQ(WRGetButtonState(graph, group, 0), 3);
    EXPECT_EQ(WRGetButtonState(graph, group, 3), 1);
    EXPECT_EQ(WRGetButtonState(graph, group, 1), 0);
    QTest::mouseClick(items[2], Qt::LeftButton);  // clicking the selected item keeps it
    EXPECT_EQ(WRGetButtonState(graph, group, 0), 3);
    EXPECT_EQ(messages, (std::vector<ControlMessage>{{graph, group, 3, 3}, {graph, group, 3, 3}}));

    messages.clear();
    EXPECT_EQ(WRChangeButtonState(graph, group, 2, 1), 1);
    EXPECT_EQ(WRGetButtonState(graph, group, 0), 2);
    EXPECT_EQ(WRChangeButtonState(graph, group, 3, 0), 1);  // not the selected one: nothing
    EXPECT_EQ(WRGetButtonState(graph, group, 0), 2);
    EXPECT_EQ(WRChangeButtonState(graph, group, 2, 0), 1);
    EXPECT_EQ(WRGetButtonState(graph, group, 0), 0);
    EXPECT_EQ(WRChangeButtonState(graph, group, 0, 1), 1);
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_EQ(WRChangeButtonState(graph, group, 0, 4), 0);
    EXPECT_EQ(lastErrorCode(), 18);
    EXPECT_EQ(WRGetButtonState(graph, group, 4), 0);
    EXPECT_EQ(lastErrorCode(), 30);
    EXPECT_TRUE(messages.empty());

    const int radios = WRSetButtonGroup(graph, 2, nullptr, 10, 50, 20, 30, DV_GROUP_RADIO | DV_GROUP_VERTICAL);
    const auto round = static_cast<QWidget*>(WRGetButtonWindow(graph, radios))->findChildren<QRadioButton*>();
    ASSERT_EQ(round.size(), 2);
    EXPECT_EQ(round[1]->text(), "2");
    EXPECT_LT(round[0]->geometry().bottom(), round[1]->geometry().top());  // one above the other
}

TEST_F(Controls, LampShowsItsStateInPicturesOfThePageToo) {
    const int led = WRSetLEDControl(graph, 50, 50, 20, 4, 8);
    QWidget* lamp = static_cast<QWidget*>(WRGetButtonWindow(graph, led));
    EXPECT_EQ(lamp->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(WRGetButtonState(graph, led, 0), 0);
    EXPECT_EQ(WRChangeButtonState(graph, led, 0, 1), 1);
    EXPECT_EQ(WRGetButtonState(graph, led, 1), 1);
    EXPECT_EQ(WRGetButtonColor(graph, led), 4);

    // A picture of the page holds the lit lamp: reddish at its rim, where no highlight is.
    QImage image(400, 300, QImage::Format_ARGB32);
    image.fill(Qt::white);
    ASSERT_EQ(plotbase::RenderPage(env, page, image), 1);
    const plotbase::Scaling s = *plotbase::WGGetScaling(env, graph);
    const QColor lit = image.pixelColor(static_cast<int>(s.deviceX(50)), static_cast<int>(s.deviceY(50) + s.deviceX(58) - s.deviceX(50)));
    EXPECT_GT(lit.red(), 150) << lit.name().toStdString();
    EXPECT_LT(lit.green(), 120) << lit.name().toStdString();

    EXPECT_EQ(WRChangeButtonState(graph, led, 0, 0), 1);
    image.fill(Qt::white);
    plotbase::RenderPage(env, page, image);
    const QColor dark = image.pixelColor(static_cast<int>(s.deviceX(50)), static_cast<int>(s.deviceY(50) + s.deviceX(58) - s.deviceX(50)));
    EXPECT_LT(std::abs(dark.red() - dark.green()), 20) << dark.name().toStdString();  // grey

    // A lamp only shows: the user cannot work it.
    EXPECT_EQ(DVChildControlProc(lamp, DV_MSG_CONTROL, 0, 1), 0);
    EXPECT_EQ(WRGetButtonState(graph, led, 0), 0);
}

TEST_F(Controls, MessageProcedureWorksTheControlAsTheUserWould) {
    const int bar = WRSetScrBarControl(graph, 10, 90, 80, 10, 0, 0, 100, 0);
    const int toggle = WRSetButtonControl(graph, "Heater", 10, 70, 20, 10, DV_BUTTON_TOGGLE, DV_DEFAULT_COLOUR);
    const int group = WRSetButtonGroup(graph, 3, nullptr, 40, 70, 50, 10, 0);
    EXPECT_EQ(DVChildControlProc(WRGetButtonWindow(graph, bar), DV_MSG_CONTROL, 0, 75), 1);
    EXPECT_EQ(DVChildControlProc(WRGetButtonWindow(graph, bar), DV_MSG_CONTROL, 0, 101), 0);
    EXPECT_EQ(DVChildControlProc(WRGetButtonWindow(graph, toggle), DV_MSG_KEY, Qt::Key_Space, 0), 1);
    EXPECT_EQ(DVChildControlProc(WRGetButtonWindow(graph, group), DV_MSG_CONTROL, 2, 0), 1);
    EXPECT_EQ(DVChildControlProc(WRGetButtonWindow(graph, group), DV_MSG_CONTROL, 4, 0), 0);
    EXPECT_EQ(DVChildControlProc(WRGetButtonWindow(graph, group), DV_MSG_MOVE, 0, 0), 0);  // not one it takes
    EXPECT_EQ(messages, (std::vector<ControlMessage>{{graph, bar, 75, 0}, {graph, toggle, 1, 0}, {graph, group, 2, 2}}));

    // Only the windows of controls are taken.
    env.lastError = {};
    EXPECT_EQ(DVChildControlProc(&host, DV_MSG_CONTROL, 0, 0), 0);
    EXPECT_EQ(lastErrorCode(), 18);
    EXPECT_EQ(DVChildControlProc(nullptr, DV_MSG_CONTROL, 0, 0), 0);
    EXPECT_EQ(DVChildControlProc(reinterpret_cast<DVWindow>(0x1234), DV_MSG_KEY, 0, 0), 0);
}

// --- going away ---

TEST_F(Controls, DeletingTheObjectOrTheGraphOrCleaningUpLeavesNoWidget) {
    const int bar = WRSetScrBarControl(graph, 10, 90, 80, 10, 0, 0, 100, 0);
    const int button = WRSetButtonControl(graph, "Start", 10, 70, 20, 10, DV_BUTTON_PUSH, DV_DEFAULT_COLOUR);
    WRSetButtonGroup(graph, 2, "A|B", 40, 70, 50, 10, 0);
    WRSetLEDControl(graph, 50, 40, 10, 4, 8);
    EXPECT_EQ(controlWidgets(), 4);  // bar, button and the group's two items
    EXPECT_EQ(WRDeleteRTObject(graph, bar), 1);
    EXPECT_EQ(host.findChildren<QScrollBar*>().size(), 0);
    EXPECT_EQ(WRGetScrollPos(graph, bar), 0);
    EXPECT_EQ(lastErrorCode(), 56);
    env.lastError = {};
    EXPECT_EQ(WRGetButtonState(graph, button, 0), 0);
    EXPECT_EQ(lastErrorCode(), 0) << "the other controls stay";

    const int objects = env.graph(graph)->objects.count();
    EXPECT_EQ(RTCleanup(handle), 1);
    EXPECT_EQ(controlWidgets(), 0);
    EXPECT_EQ(graphWindow()->findChildren<QWidget*>().size(), 0);
    EXPECT_EQ(env.graph(graph)->objects.count(), objects - 3);  // the axes stay
}

TEST_F(Controls, AControlMayBeDeletedByTheProcedureItReportsTo) {
    const int button = WRSetButtonControl(graph, "Stop", 10, 70, 20, 10, DV_BUTTON_PUSH, DV_DEFAULT_COLOUR);
    onMessage = [&](int object) { WRDeleteRTObject(graph, object); };
    QTest::mouseClick(windowOf<QPushButton>(button), Qt::LeftButton);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(env.graph(graph)->objects.at(button), nullptr);
    EXPECT_EQ(host.findChildren<QPushButton*>().size(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto tops = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::none_of(tops.begin(), tops.end(), [](QWidget* w) { return qobject_cast<QPushButton*>(w) != nullptr; }));

    // The whole page from inside a report.
    const int bar = WRSetScrBarControl(graph, 10, 90, 80, 10, 0, 0, 100, 0);
    onMessage = [&](int) { KillRTPage(page); };
    QTest::keyClick(windowOf<QScrollBar>(bar), Qt::Key_End);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(env.page(page), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(host.findChildren<QScrollBar*>().size(), 0);
}

// --- refusals ---

TEST_F(Controls, EachBadArgumentGetsItsError) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const int bar = WRSetScrBarControl(graph, 10, 90, 80, 10, 0, 0, 100, 0);
    const int button = WRSetButtonControl(graph, "Start", 10, 70, 20, 10, DV_BUTTON_PUSH, DV_DEFAULT_COLOUR);
    const int led = WRSetLEDControl(graph, 50, 40, 10, 4, 8);
    const int objects = env.graph(graph)->objects.count();
    const std::vector<std::pair<std::function<int()>, int>> refusals{
        {[&] { return WRSetScrBarControl(4711, 10, 90, 80, 10, 0, 0, 100, 0); }, 32},
        {[&] { return WRSetScrBarControl(graph, nan, 90, 80, 10, 0, 0, 100, 0); }, 18},
        {[&] { return WRSetScrBarControl(graph, 10, 90, 0, 10, 0, 0, 100, 0); }, 18},
        {[&] { return WRSetScrBarControl(graph, 10, 90, 80, 10, 2, 0, 100, 0); }, 18},
        {[&] { return WRSetScrBarControl(graph, 10, 90, 80, 10, 0, 100, 0, 50); }, 18},
        {[&] { return WRSetScrBarControl(graph, 10, 90, 80, 10, 0, 0, 100, -1); }, 18},
        {[&] { return WRSetButtonControl(graph, "x", 10, 90, 80, -10, 0, 0); }, 18},
        {[&] { return WRSetButtonControl(graph, "x", 10, 90, 80, 10, 3, 0); }, 18},
        {[&] { return WRSetButtonControl(graph, "x", 10, 90, 80, 10, 0, 16); }, 18},
        {[&] { return WRSetButtonGroup(graph, 0, nullptr, 10, 90, 80, 10, 0); }, 18},
        {[&] { return WRSetButtonGroup(graph, 17, nullptr, 10, 90, 80, 10, 0); }, 18},
        {[&] { return WRSetButtonGroup(graph, 3, "a|b", 10, 90, 80, 10, 0); }, 18},
        {[&] { return WRSetButtonGroup(graph, 2, "a|b", 10, 90, 80, 10, 4); }, 18},
        {[&] { return WRSetLEDControl(graph, 50, 50, 0, 4, 8); }, 18},
        {[&] { return WRSetLEDControl(graph, 50, nan, 5, 4, 8); }, 18},
        {[&] { return WRSetLEDControl(graph, 50, 50, 5, 4, -2); }, 18},
        {[&] { return WRSetLEDControl(4711, 50, 50, 5, 4, 8); }, 32},
        {[&] { return WRGetScrollPos(graph, button); }, 29},
        {[&] { return WRGetScrollPos(graph, xAxis); }, 29},
        {[&] { return WRGetScrollPos(graph, 99); }, 56},
        {[&] { return WRSetScrollPos(4711, bar, 1); }, 32},
        {[&] { return WRGetScrBar(graph, led, nullptr, nullptr, nullptr); }, 29},
        {[&] { return WRChangeScrBar(graph, bar, 0, 100, 200); }, 18},
        {[&] { return WRGetButtonState(graph, bar, 0); }, 29},
        {[&] { return WRGetButtonState(graph, button, 2); }, 30},
        {[&] { return WRGetButtonState(graph, button, -1); }, 30},
        {[&] { return WRChangeButtonState(graph, led, 0, 2); }, 18},
        {[&] { return WRChangeButtonColor(graph, bar, 1); }, 29},
        {[&] { return WRChangeButtonColor(graph, led, 99); }, 18},
        {[&] { return WRGetButtonColor(graph, 0); }, 56},
        {[&] { return ButtonDelayEnd(graph, led); }, 29},
        {[&] { return ButtonDelayEnd(graph, yAxis); }, 29},
        {[&] { return WRGetButtonWindow(graph, 99) ? 1 : 0; }, 56},
        {[&] { return WRGetButtonWindow(graph, xAxis) ? 1 : 0; }, 29},
    };
    for (std::size_t i = 0; i < refusals.size(); ++i) {
        env.lastError = {};
        EXPECT_EQ(refusals[i].first(), 0) << "refusal " << i;
        EXPECT_EQ(lastErrorCode(), refusals[i].second) << "refusal " << i << ": " << env.lastError.text;
    }
    EXPECT_EQ(env.graph(graph)->objects.count(), objects);
    EXPECT_EQ(WRGetScrollPos(graph, bar), 0);
    EXPECT_EQ(WRGetButtonColor(graph, led), 4);
}

TEST_F(Controls, NothingIsCreatedWhileTheStopFlagIsSet) {
    env.stop = true;
    env.lastError = {};
    EXPECT_EQ(WRSetScrBarControl(graph, 10, 90, 80, 10, 0, 0, 100, 0), 0);
    EXPECT_EQ(WRSetButtonControl(graph, "x", 10, 70, 20, 10, 0, 0), 0);
    EXPECT_EQ(WRSetButtonGroup(graph, 2, nullptr, 10, 70, 20, 10, 0), 0);
    EXPECT_EQ(WRSetLEDControl(graph, 50, 50, 5, 4, 8), 0);
    EXPECT_EQ(lastErrorCode(), 0);
    EXPECT_EQ(graphWindow()->findChildren<QWidget*>().size(), 0);
}

}  // namespace
}  // namespace dynaview::testing
