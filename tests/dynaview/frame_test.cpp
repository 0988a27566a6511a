// Start and clean-up, deleting objects, graphs and pages, picking, editing, rescaling.

#include "dynaview_fixture.h"

#include "dynaview/frame/library.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/trig_tables.h"
#include "dynaview/frame/type_sizes.h"

#include <QApplication>
#include <QTest>

#include <thread>

namespace dynaview::testing {
namespace {

using Frame = DynaviewTest;

TEST_F(Frame, InitialisingTwiceKeepsTheExtensionAndItsDataSets) {
    RTTop* first = TopOf(env);
    const int set = WRDefineDynDataSet("kept", 1, nullptr, nullptr, 0);
    EXPECT_EQ(InitRTDll(handle), 1);
    EXPECT_EQ(TopOf(env), first);
    EXPECT_NE(first->dataSets.at(set), nullptr);
    EXPECT_EQ(InitRTTop(handle), 1);
    EXPECT_EQ(TopOf(env), first);
}

TEST_F(Frame, APlotbaseOlderThan250IsRefusedWithTheCriticalBox) {
    int ended = 0;
    UseProgramEnd([&] { ++ended; });
    env.showErrorMessages = false;  // a critical error is shown all the same
    for (const auto& [version, accepted] : std::vector<std::pair<plotbase::Version, bool>>{
             {{2, 49}, false}, {{1, 99}, false}, {{2, 50}, true}, {{2, 57}, true}, {{3, 0}, true}}) {
        RTCleanup(handle);
        UsePlotbaseVersion([v = version] { return v; });
        dialogs.clear();
        EXPECT_EQ(InitRTDll(handle), accepted ? 1 : 0) << version.major << "." << version.minor;
        EXPECT_EQ(TopOf(env) != nullptr, accepted);
        if (accepted) continue;
        ASSERT_EQ(dialogs.records.size(), 1u);
        EXPECT_EQ(dialogs.records[0].title, "CRITICAL ERROR");
        EXPECT_EQ(dialogs.records[0].text, "Old version of the Plotbase!\nYour program will terminate !");
        EXPECT_EQ(dialogs.records[0].type, platform::DialogRecord::Type::Message);
    }
    EXPECT_EQ(ended, 2);
}

TEST_F(Frame, CleanUpFreesTheDataSetsAndTheExtension) {
    const int set = WRDefineDynDataSet("bound", 1, nullptr, nullptr, 0);
    const int lines = WRSetAlarmLines(graph, set, 5, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_GT(lines, 0);
    EXPECT_EQ(RTCleanup(handle), 1);
    EXPECT_EQ(env.extension, nullptr);
    EXPECT_TRUE(Library::instance().timers.empty());
    // The objects left in the graph draw nothing and are still deleted cleanly.
    QImage image(400, 300, QImage::Format_ARGB32);
    plotbase::RenderPage(env, page, image);
    EXPECT_EQ(WRDeleteRTObject(graph, lines), 1);
    EXPECT_EQ(WRDefineDynDataSet("after", 1, nullptr, nullptr, 0), 0);
    // An environment dynaview was not handed is refused.
    plotbase::Environment stranger(dialogs, numbers);
    EXPECT_EQ(RTCleanup(reinterpret_cast<DVEnvironment*>(&stranger)), 0);
    EXPECT_EQ(InitRTDll(reinterpret_cast<DVEnvironment*>(&stranger)), 0);
}

TEST_F(Frame, DeletingAGraphOrAPageTakesItsObjectsWithThem) {
    const int set = WRDefineDynDataSet("s", 1, nullptr, nullptr, 0);
    WRSetAlarmLines(graph, set, 1, 1, nullptr, nullptr, nullptr, nullptr);
    WRSetAlarmMarks(graph, set, yAxis, 0, 8, nullptr, 1, nullptr, nullptr);
    EXPECT_EQ(dataSet(set).referenceCount, 2);
    const int second = plotbase::InitGraph(env, page, 0.5, 0.0, 1.0, 1.0, 0, 0, 0, nullptr);
    WRSetAlarmText(second, set, 0, 10, 10, 50, 20, 0, 1, 7, 0, nullptr, nullptr, 0, 0);
    EXPECT_EQ(WRDeleteRTGraph(graph), 1);
    EXPECT_EQ(dataSet(set).referenceCount, 1);
    EXPECT_TRUE(Library::instance().timers.empty());
    EXPECT_FALSE(plotbase::WGIsGraphDescValid(env, graph));
    EXPECT_EQ(env.page(page)->graphCount, 1);
    EXPECT_EQ(KillRTPage(page), 1);
    EXPECT_EQ(dataSet(set).referenceCount, 0);
    EXPECT_EQ(env.openPages, 0);
    EXPECT_EQ(KillRTPage(page), 0);
    EXPECT_EQ(KillRTPage(61), 0);
    EXPECT_EQ(WRFreeDynDataSet(set), 1);
}

TEST_F(Frame, AGraphsObjectTableGrowsByTwentyAtATime) {
    const int set = WRDefineDynDataSet("s", 1, nullptr, nullptr, 0);
    EXPECT_EQ(env.graph(graph)->objects.capacity(), 20);
    int last = 0;
    for (int i = 0; i < 19; ++i) last = WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(last, 21);  // after the two axes
    EXPECT_EQ(env.graph(graph)->objects.capacity(), 40);
    EXPECT_EQ(plotbase::WGGetSelObject(env, graph), 0);
    EXPECT_EQ(env.graph(graph)->currentObject, last);
}

TEST_F(Frame, WithTheStopFlagSetNothingIsCreatedAndNothingShown) {
    const int set = WRDefineDynDataSet("s", 1, nullptr, nullptr, 0);
    env.stop = true;
    EXPECT_EQ(WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(WRSetAlarmMarks(graph, set, yAxis, 0, 8, nullptr, 1, nullptr, nullptr), 0);
    EXPECT_EQ(WRSetAlarmText(graph, set, 0, 10, 10, 20, 10, 0, 1, 7, 0, nullptr, nullptr, 0, 0), 0);
    EXPECT_EQ(WRSetAlarmLines(graph, 99, 0, 1, nullptr, nullptr, nullptr, nullptr), 0);  // no data set: not said either
    EXPECT_TRUE(dialogs.records.empty());
    EXPECT_EQ(dataSet(set).referenceCount, 0);
    EXPECT_EQ(env.graph(graph)->objects.count(), 2);  // the two axes
}

TEST_F(Frame, EditingWithNothingSelectedShowsTheQuestionCursor) {
    std::optional<Qt::CursorShape> during;
    auto probe = clock.createTimer(platform::TimerKind::SingleShot, [&] {
        if (const QCursor* cursor = QGuiApplication::overrideCursor()) during = cursor->shape();
    });
    probe->start(150);
    const std::uint64_t before = clock.elapsed();
    EXPECT_EQ(rtDefEditObject(nullptr, graph), 2);
    EXPECT_EQ(clock.elapsed() - before, 300u);
    EXPECT_EQ(during, Qt::WhatsThisCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Frame, FindsDynamicObjectsBeforeAndThinLinesAfterPlotbasesOwn) {
    const int set = WRDefineDynDataSet("s", 1, nullptr, nullptr, 0);
    WRSetSetpoint(set, 50.0);
    const int lines = WRSetAlarmLines(graph, set, 0, 0, nullptr, nullptr, nullptr, nullptr);  // vertical: the setpoint at x = 50
    const int text = WRSetAlarmText(graph, set, 0, 40, 0, 20, 8, 0, 1, 7, 0, nullptr, nullptr, 0, 0);
    QWidget* window = plotbase::WGGetGraphWindow(env, graph);
    auto pickAt = [&](QPoint at) {
        QTest::mouseClick(window, Qt::LeftButton, {}, at);
        return rtObjFind(window);
    };
    EXPECT_EQ(pickAt({200, 12}), text);   // the box at 40..60 % across, 0..8 % down
    EXPECT_EQ(pickAt({200, 150}), lines);  // on the line, nothing of plotbase's there
    EXPECT_EQ(pickAt({200, 270}), xAxis);  // where the line meets the axis, the axis wins
    EXPECT_EQ(pickAt({100, 150}), 0);
    EXPECT_EQ(rtObjFind(nullptr), 0);
    EXPECT_EQ(rtObjFind(&host), 0);  // not a graph window
    int onStack = 0;
    EXPECT_EQ(rtObjFind(&onStack), 0);
}

// An object that refuses ranges wider than 50 (as a scrolling graph refuses too many points).
struct Narrow final : DynObject {
    Narrow() : DynObject(ScrollGraphType, 1) {}
    bool acceptsRange(double range) const override { return range <= 50.0; }
    void rescaled(const ObjectPlace&) override { ++rebuilt; }
    int rebuilt = 0;
};

TEST_F(Frame, ARescaleThatAnObjectCannotTakeIsUndone) {
    auto object = std::make_unique<Narrow>();
    Narrow& narrow = *object;
    const int index = AddDynObject(env, graph, std::move(object));
    narrow.links = {static_cast<std::uint16_t>(xAxis), static_cast<std::uint16_t>(yAxis)};
    narrow.xRange = {0.0, 40.0};
    ASSERT_EQ(plotbase::WGChangeAxisRange(env, graph, xAxis, 10.0, 50.0), 1);
    EXPECT_EQ(narrow.rebuilt, 1);
    EXPECT_EQ(narrow.xRange.min, 10.0);
    plotbase::WGChangeAxisRange(env, graph, xAxis, 0.0, 100.0);
    double min = 0, max = 0;
    plotbase::WGGetAxisRange(env, graph, xAxis, min, max);
    EXPECT_EQ(min, 10.0);  // put back
    EXPECT_EQ(max, 50.0);
    EXPECT_EQ(lastErrorCode(), 135);
    EXPECT_EQ(narrow.rebuilt, 1);
    // Called by the application for one object of the axis.
    EXPECT_EQ(RescaleDynObj(graph, xAxis, index), 1);
    EXPECT_EQ(narrow.rebuilt, 2);
    EXPECT_EQ(RescaleDynObj(graph, yAxis + 10, 0), 0);
}

TEST_F(Frame, RecordSizesAreThoseOfTheInterface) {
    const std::vector<std::pair<int, int>> sizes{{100, 348}, {101, 448}, {102, 72},  {103, 1050}, {104, 1050}, {105, 224},
                                                 {106, 756}, {107, 242}, {108, 579}, {109, 526},  {110, 543},  {111, 254}};
    for (const auto& [type, size] : sizes) EXPECT_EQ(WRGetDynTypeSize(type), size) << type;
    EXPECT_EQ(WRGetDynTypeSize(99), 0);
    EXPECT_EQ(WRGetDynTypeSize(112), 0);
}

TEST_F(Frame, TheSineAndCosineTablesAreExactAtTheirEnds) {
    EXPECT_EQ(SineTable()[0], 0.0f);
    EXPECT_EQ(SineTable()[90], 1.0f);
    EXPECT_EQ(CosineTable()[0], 1.0f);
    EXPECT_EQ(CosineTable()[90], 0.0f);
    EXPECT_FLOAT_EQ(SineTable()[30], 0.5f);
    EXPECT_FLOAT_EQ(CosineTable()[60], 0.5f);
}

TEST_F(Frame, CallsFromAnotherThreadAreRefused) {
    const int set = WRDefineDynDataSet("s", 1, nullptr, nullptr, 4);
    int result = -1, defined = -1;
    std::thread worker([&] {
        const double value = 5.0;
        result = WRUpdateData(set, &value, 0);
        defined = WRDefineDynDataSet("t", 1, nullptr, nullptr, 0);
    });
    worker.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(defined, 0);
    EXPECT_EQ(dataSet(set).history.stored(), 0);
}

}  // namespace
}  // namespace dynaview::testing
