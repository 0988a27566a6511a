// The error routine and the validity test for records handed back by callers.

#include "plotbase_fixture.h"

#include <functional>
#include <limits>

namespace plotbase::testing {
namespace {

using ErrorRoutine = PlotbaseTest;

TEST_F(ErrorRoutine, ShowsTheMessageWithTheCallersTextBeforeOrAfterIt) {
    ReportError(env, NoSuchObject, MessageOnly, "ignored");
    ReportError(env, NoSuchDataSet, TextAfter, " - WRSetScrollGraph");
    ReportError(env, InvalidRecord, TextBefore, "WRCleanup: ");
    ReportError(env, 140, TextAfter, " (from a library)");
    ASSERT_EQ(dialogs.records.size(), 4u);
    EXPECT_EQ(dialogs.records[0].text, "plotbase error 56: No such object");
    EXPECT_EQ(dialogs.records[1].text, "plotbase error 55: No such data set - WRSetScrollGraph");
    EXPECT_EQ(dialogs.records[2].text, "plotbase error 30: WRCleanup: Invalid record");
    EXPECT_EQ(dialogs.records[3].text, "plotbase error 140: Error 140 (from a library)");
    EXPECT_EQ(dialogs.records[0].kind, platform::MessageKind::Error);
    EXPECT_EQ(env.lastError.code, 140);
}

TEST_F(ErrorRoutine, RecordsButStaysSilentWhileMessagesAreSwitchedOff) {
    env.showErrorMessages = false;
    EXPECT_EQ(WGChangeAxisRange(env, graph, xAxis, 5.0, 5.0), 0);
    EXPECT_TRUE(dialogs.records.empty());
    EXPECT_EQ(env.lastError.code, InvalidRange);
    EXPECT_EQ(env.lastError.text, "Invalid axis range");
}

TEST_F(ErrorRoutine, NeverOpensASecondBoxWhileOneIsShown) {
    dialogs.onShow = [this](const platform::DialogRecord&) { ReportError(env, NoSuchAxis, MessageOnly); };
    ReportError(env, NoSuchObject, MessageOnly);
    EXPECT_EQ(dialogs.records.size(), 1u);
    EXPECT_EQ(env.lastError.code, NoSuchAxis);
}

TEST_F(ErrorRoutine, BadRequestsAreRefusedWithTheirErrorAndChangeNothing) {
    env.showErrorMessages = false;
    const std::vector<std::pair<std::function<int()>, int>> refusals{
        {[&] { return WGChangeAxisRange(env, graph, xAxis, 10.0, 0.0); }, InvalidRange},
        {[&] { return WGChangeAxisRange(env, graph, xAxis, 0.0, std::numeric_limits<double>::infinity()); }, InvalidRange},
        {[&] { return WGChangeAxisTicks(env, graph, xAxis, 0.0, 1, 0); }, InvalidTicks},
        {[&] { return WGChangeAxisTicks(env, graph, xAxis, 1.0, 1, 2); }, InvalidTicks},
        {[&] { return WGChangeLineColor(env, graph, xAxis, 16); }, InvalidColour},
        {[&] { return WGChangeString(env, graph, xAxis, "text"); }, WrongObjectType},
        {[&] { return WGLabelAxis(env, graph, 99, -1); }, NoSuchAxis},
        {[&] { return WGLinePlot(env, graph, xAxis); }, WrongObjectType},
        {[&] { return WGChangeAxisRange(env, 999, 1, 0.0, 1.0); }, GraphNotOpen},
        {[&] { return WGSetDataCursor(env, graph, yAxis, xAxis, 10); }, NoSuchAxis},
        {[&] { return WGDefineDataSet(env, graph, "short", AllocateBlock(3), AllocateBlock(2), 3); }, DataSetTooShort},
    };
    for (std::size_t i = 0; i < refusals.size(); ++i) {
        env.lastError = {};
        EXPECT_EQ(refusals[i].first(), 0) << "request " << i;
        EXPECT_EQ(env.lastError.code, refusals[i].second) << "request " << i;
    }
    EXPECT_EQ(env.graph(graph)->objects.count(), 2);  // the two axes, nothing added

    double min = 0, max = 0;
    WGGetAxisRange(env, graph, xAxis, min, max);
    EXPECT_EQ(min, 0.0);
    EXPECT_EQ(max, 100.0);
    const auto* axis = WGGetObjectAs<Axis>(env, graph, xAxis);
    EXPECT_EQ(axis->tickSpacing, 10.0);
    EXPECT_EQ(axis->side, 0);
    EXPECT_EQ(axis->attributes.colour, 0);
}

using ValidityTest = PlotbaseTest;

TEST_F(ValidityTest, AcceptsLiveRecordsOnlyWithoutReadingThroughThePointer) {
    const int text = WGTextNorm(env, graph, "x", 0.5, 0.5, 0, 0);
    const GraphObject* record = WGGetObject(env, graph, text);
    const Graph* graphRecord = WGGetGraph(env, graph);
    EXPECT_TRUE(IsValidRecord(env, record));
    EXPECT_TRUE(IsValidRecord(env, graphRecord));

    WGDeleteObject(env, graph, text);
    EXPECT_FALSE(IsValidRecord(env, record));
    const int stranger = 0;
    EXPECT_FALSE(IsValidRecord(env, &stranger));
    EXPECT_FALSE(IsValidRecord(env, nullptr));

    // A library registers its own records with the environment.
    env.records.add(&stranger);
    EXPECT_TRUE(IsValidRecord(env, &stranger));
    env.records.remove(&stranger);

    KillGraphPage(env, page);
    EXPECT_FALSE(IsValidRecord(env, graphRecord));
    EXPECT_EQ(env.records.size(), 0u);
}

}  // namespace
}  // namespace plotbase::testing
