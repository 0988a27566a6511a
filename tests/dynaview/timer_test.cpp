// The one-second update timer: which objects it updates when, and its table.

#include "dynaview_fixture.h"

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/library.h"

#include <QTest>

namespace dynaview::testing {
namespace {

// Second 99.5 at the start, so that the timer, once started, ticks at x.5 seconds.
class UpdateTimer : public DynaviewTest {
protected:
    explicit UpdateTimer(std::uint32_t startTick = 99'500) : DynaviewTest(startTick) {
        set = WRDefineDynDataSet("s", 1, nullptr, nullptr, 0);
    }
    // Alarm lines whose updates are counted by the repaints they ask for.
    int lines() { return WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr); }
    DynObject& object(int index) { return *static_cast<DynObject*>(env.graph(graph)->objects.at(index)); }
    const TimerTable& table() { return Library::instance().timers; }
    bool timerRunning() {
        const auto& timer = Library::instance().updateTimer;
        return timer && timer->isActive();
    }
    // The seconds (tick count / 1000) at which the object was updated during `ms`.
    std::vector<std::uint32_t> updatesDuring(int index, std::uint64_t ms) {
        std::vector<std::uint32_t> seconds;
        std::uint32_t last = object(index).lastUpdate;
        for (std::uint64_t t = 0; t < ms; t += 100) {
            clock.advance(100);
            if (object(index).lastUpdate != last) seconds.push_back(last = object(index).lastUpdate);
        }
        return seconds;
    }
    int set = 0;
};

TEST_F(UpdateTimer, UpdatesAnObjectAtTheFirstTickThenEveryPeriod) {
    const int other = lines();
    SetObjTimeUpdate(graph, other, 60);  // starts the timer: ticks at 100.5 s, 101.5 s ...
    clock.advance(500);                   // second 100
    const int index = lines();
    SetObjTimeUpdate(graph, index, 5);
    EXPECT_EQ(updatesDuring(index, 11'000), (std::vector<std::uint32_t>{100, 105, 110}));
}

class WrappingTimer : public UpdateTimer {
protected:
    WrappingTimer() : UpdateTimer(0xFFFFFFFFu - 2'600) {}
};

TEST_F(WrappingTimer, UpdatesAtTheNextTickWhenTheTickCountWraps) {
    const int index = lines();
    SetObjTimeUpdate(graph, index, 30);
    const std::vector<std::uint32_t> seconds = updatesDuring(index, 5'000);
    // At the first tick, then right after the wrap (second 0) although 30 s have not passed.
    ASSERT_EQ(seconds.size(), 2u);
    EXPECT_EQ(seconds[0], (0xFFFFFFFFu - 2'600 + 1'000) / 1000);
    EXPECT_EQ(seconds[1], 0u);
}

TEST_F(UpdateTimer, KeepsOneEntryPerObjectAndStopsWhenEmpty) {
    const int a = lines(), b = lines(), c = lines();
    SetObjTimeUpdate(graph, a, 1);
    SetObjTimeUpdate(graph, a, 1);
    EXPECT_EQ(table().size(), 1);
    EXPECT_TRUE(timerRunning());
    WRStopObjTimeUpdate(graph, a);
    EXPECT_EQ(table().size(), 0);
    EXPECT_FALSE(timerRunning());

    for (int index : {a, b, c}) SetObjTimeUpdate(graph, index, 1);
    WRStopObjTimeUpdate(graph, b);
    ASSERT_EQ(table().size(), 2);
    EXPECT_EQ(table().entries()[0].object, a);
    EXPECT_EQ(table().entries()[1].object, c);
    // Deleting an object takes its entry too.
    WRDeleteRTObject(graph, a);
    ASSERT_EQ(table().size(), 1);
    EXPECT_EQ(table().entries()[0].object, c);
}

TEST_F(UpdateTimer, RegistersAlarmLinesWithARefreshPeriodAtCreation) {
    const int index = WRSetAlarmLines(graph, set, 2, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(table().size(), 1);
    EXPECT_EQ(object(index).period, 2);
    EXPECT_EQ(table().entries()[0].key, env.applicationKey);
}

TEST_F(UpdateTimer, RefusesObjectsThatDoNotRefreshOnTheTimer) {
    const int text = WRSetAlarmText(graph, set, 0, 10, 10, 20, 10, 0, 1, 7, 0, nullptr, nullptr, 0, 0);
    EXPECT_EQ(SetObjTimeUpdate(graph, text, 5), 0);
    EXPECT_EQ(lastErrorCode(), 29);
    EXPECT_EQ(SetObjTimeUpdate(graph, xAxis, 5), 0);
    EXPECT_EQ(lastErrorCode(), 29);
    EXPECT_EQ(SetObjTimeUpdate(graph, 40, 5), 0);
    EXPECT_EQ(lastErrorCode(), 56);
    EXPECT_EQ(SetObjTimeUpdate(graph, lines(), 70000), 0);
    EXPECT_EQ(lastErrorCode(), 18);
    env.lastError = {};
    EXPECT_EQ(SetObjTimeUpdate(0, 1, 5), 0);
    EXPECT_EQ(lastErrorCode(), 0);
    EXPECT_TRUE(table().empty());
}

TEST_F(UpdateTimer, SaysOnceThatTheTableIsFull) {
    for (int i = 0; i < TimerTable::Capacity + 3; ++i) SetObjTimeUpdate(graph, lines(), 1);
    EXPECT_EQ(table().size(), TimerTable::Capacity);
    ASSERT_EQ(boxTexts().size(), 1u);
    EXPECT_NE(boxTexts()[0].find("No free timers"), std::string::npos);
    // Said again only after the table has had room in between.
    WRStopObjTimeUpdate(graph, table().entries()[0].object);
    SetObjTimeUpdate(graph, lines(), 1);
    SetObjTimeUpdate(graph, lines(), 1);
    EXPECT_EQ(boxTexts().size(), 2u);
}

TEST_F(UpdateTimer, ASwitchedOffObjectIsNotUpdated) {
    const int index = lines();
    SetObjTimeUpdate(graph, index, 1);
    object(index).enabled = false;
    QWidget* window = plotbase::WGGetGraphWindow(env, graph);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    window->repaint();
    clock.advance(3'000);
    EXPECT_TRUE(plotbase::WGWindowPictureCurrent(env, graph));  // no repaint asked for
    object(index).enabled = true;
    clock.advance(1'000);
    EXPECT_FALSE(plotbase::WGWindowPictureCurrent(env, graph));
}

}  // namespace
}  // namespace dynaview::testing
