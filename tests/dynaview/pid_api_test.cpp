// The PID loops through the C interface: the loop table, publishing to the data sets, the
// get and change functions, deletion and clean-up.

#include "dynaview/bars/bar_graph.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/pid/pid_table.h"
#include "dynaview_fixture.h"

namespace dynaview::testing {
namespace {

class PidApi : public DynaviewTest {
protected:
    PidApi() {
        input = WRDefineDynDataSet("PV", 3, "degC", nullptr, 0);
        output = WRDefineDynDataSet("Out", 2, "%", nullptr, 0);
    }
    // Proportional loop 0..100 onto 0..100, setpoint 60, bias 10.
    int define(int in, int out, double integral = 0.0) {
        return WRDefinePID(in, out, "Tank", 60.0, 1.0, integral, 0.0, 10.0, 100.0, 0.0, 0.0, 100.0, 100.0, 0.0, 1000.0, 1.0, 0.0, 0);
    }
    double step(int loop, double pv) {
        double u = -1.0;
        EXPECT_EQ(WRCalcPID(loop, pv, &u), 1);
        return u;
    }
    int input = 0;
    int output = 0;
};

TEST_F(PidApi, DefinitionTakesFreeSlotsAndRefusesThe128thLoop) {
    EXPECT_EQ(define(0, 0), 1);
    EXPECT_EQ(define(0, 0), 2);
    EXPECT_EQ(WRDeletePID(1, 0), 1);
    EXPECT_EQ(define(0, 0), 1);
    for (int n = 3; n <= 127; ++n) ASSERT_EQ(define(0, 0), n);
    EXPECT_EQ(define(0, 0), 0);
    EXPECT_EQ(lastErrorCode(), 53);
}

TEST_F(PidApi, LoopNumbersOutsideTheTableAreRefusedAndEmptySlotsGiveZero) {
    double v = 0.0;
    for (int bad : {0, -1, 128, 100000}) {
        env.lastError.code = 0;
        EXPECT_EQ(WRCalcPID(bad, 1.0, &v), 0);
        EXPECT_EQ(lastErrorCode(), 18);
        EXPECT_EQ(WRGetPIDSetp(bad, &v), 0);
        EXPECT_EQ(WRChangePIDOut(bad, 1.0), 0);
        EXPECT_EQ(WRDeletePID(bad, 1), 0);
    }
    env.lastError.code = 0;
    EXPECT_EQ(WRCalcPID(5, 1.0, &v), 0);
    EXPECT_EQ(WRGetPIDAutoState(5), 0);
    EXPECT_EQ(WRChangePIDConstants(5, 1, 1, 1), 0);
    EXPECT_EQ(WRDeletePID(5, 0), 0);
    EXPECT_EQ(lastErrorCode(), 0);
}

TEST_F(PidApi, BadArgumentsAreRefused) {
    EXPECT_EQ(WRDefinePID(0, 0, "x", 50, 1, 0, 0, 0, 100, 0, 0, 100, 100, 0, 1, 0.0, 0, 0), 0);  // dt 0
    EXPECT_EQ(lastErrorCode(), 18);
    EXPECT_EQ(WRDefinePID(0, 0, "x", 50, 1, 0, 0, 0, 50, 50, 0, 100, 100, 0, 1, 1.0, 0, 0), 0);  // no process span
    const int loop = define(0, 0);
    EXPECT_EQ(WRCalcPID(loop, 1.0, nullptr), 0);
    double u = 0;
    EXPECT_EQ(WRCalcPID(loop, NAN, &u), 0);
    EXPECT_EQ(WRChangePIDSetp(loop, INFINITY), 0);
    EXPECT_EQ(WRGetPIDSetp(loop, nullptr), 0);
    EXPECT_EQ(WRChangePIDConstants(loop, 1.0, NAN, 0.0), 0);
    EXPECT_EQ(define(0, 0), 2);  // a null name is an empty one
    EXPECT_EQ(WRDefinePID(0, 0, nullptr, 50, 1, 0, 0, 0, 100, 0, 0, 100, 100, 0, 1, 1.0, 0, 0), 3);
}

TEST_F(PidApi, StepPublishesProcessValueSetpointOutputAndModeWord) {
    const int loop = define(input, output);
    EXPECT_EQ(dataSet(input).channels, 2);
    EXPECT_EQ(dataSet(output).channels, 1);
    EXPECT_EQ(dataSet(output).binary, 1u);
    EXPECT_DOUBLE_EQ(step(loop, 50.0), 20.0);
    double values[2]{};
    WRGetLastData(input, values, nullptr);
    EXPECT_EQ(values[0], 50.0);
    EXPECT_EQ(values[1], 60.0);
    EXPECT_EQ(dataSet(input).alarm.setpoint, 60.0);
    WRGetLastData(output, values, nullptr);
    EXPECT_EQ(values[0], 20.0);
    EXPECT_EQ(dataSet(output).binary, 1u);
    EXPECT_EQ(WRChangePIDAutoState(loop, 0), 1);
    EXPECT_EQ(WRGetPIDAutoState(loop), 0);
    step(loop, 50.0);
    EXPECT_EQ(dataSet(output).binary, 2u);
    EXPECT_EQ(WRChangePIDAutoState(loop, 1), 1);
    step(loop, 50.0);
    EXPECT_EQ(dataSet(output).binary, 1u);
}

TEST_F(PidApi, SetpointAndOutputChanges) {
    const int loop = define(input, 0);
    double sp = 0;
    EXPECT_EQ(WRChangePIDSetp(loop, 120.0), 1);
    EXPECT_EQ(WRGetPIDSetp(loop, &sp), 1);
    EXPECT_EQ(sp, 100.0);
    EXPECT_EQ(WRChangePIDSetp(loop, -5.0), 1);
    WRGetPIDSetp(loop, &sp);
    EXPECT_EQ(sp, 0.0);
    EXPECT_EQ(WRChangePIDOut(loop, 33.0), 0);  // only by hand
    WRChangePIDAutoState(loop, 0);
    EXPECT_EQ(WRChangePIDOut(loop, 33.0), 1);
    EXPECT_EQ(step(loop, 10.0), 33.0);
    EXPECT_EQ(step(loop, 90.0), 33.0);
}

TEST_F(PidApi, ConstantsRoundTripAndSteadyStateRebalances) {
    const int loop = define(0, 0, 0.1);
    EXPECT_EQ(WRChangePIDConstants(loop, 2.0, 0.25, 4.0), 1);
    double g = 0, i = 0, d = 0;
    EXPECT_EQ(WRGetPIDConstants(loop, &g, &i, &d), 1);
    EXPECT_DOUBLE_EQ(g, 2.0);
    EXPECT_DOUBLE_EQ(i, 0.25);
    EXPECT_DOUBLE_EQ(d, 4.0);
    EXPECT_EQ(WRGetPIDConstants(loop, nullptr, nullptr, nullptr), 1);
    WRChangePIDConstants(loop, 1.0, 0.1, 0.0);
    step(loop, 50.0);
    const double before = step(loop, 50.0);
    EXPECT_EQ(WRChangePIDSteadyState(loop, 40.0), 1);
    EXPECT_NEAR(step(loop, 50.0), before + 0.1 * 10.0, 1e-9);  // no jump by the new bias
}

TEST_F(PidApi, DeleteWithDataSetsFreesThem) {
    const int loop = define(input, output);
    EXPECT_EQ(WRDeletePID(loop, 1), 1);
    EXPECT_EQ(top().dataSets.at(input), nullptr);
    EXPECT_EQ(top().dataSets.at(output), nullptr);
    EXPECT_EQ(WRGetPIDAutoState(loop), 0);
    const int kept = define(WRDefineDynDataSet("a", 2, nullptr, nullptr, 0), 0);
    EXPECT_EQ(WRDeletePID(kept, 0), 1);
    EXPECT_NE(top().dataSets.at(1), nullptr);
}

TEST_F(PidApi, FreedDataSetsAreNoLongerWrittenTo) {
    const int loop = define(input, output);
    ASSERT_EQ(WRFreeDynDataSet(input), 1);
    ASSERT_EQ(WRFreeDynDataSet(output), 1);
    EXPECT_DOUBLE_EQ(step(loop, 50.0), 20.0);
    EXPECT_EQ(WRDeletePID(loop, 1), 1);
}

TEST_F(PidApi, AlarmProcedureMayDeleteTheLoopWhileItPublishes) {
    const int loop = define(input, output);
    WRSetAlarm(input, HighAlarm, 40.0, "Hot");
    SetAlarmProcedure([&](int, int, int, double, int) { WRDeletePID(loop, 0); });
    double u = 0;
    EXPECT_EQ(WRCalcPID(loop, 50.0, &u), 1);
    EXPECT_DOUBLE_EQ(u, 20.0);
    EXPECT_EQ(WRGetPIDAutoState(loop), 0);
    double out = -1;
    WRGetLastData(output, &out, nullptr);
    EXPECT_EQ(out, 0.0);  // the deleted loop published nothing more
}

TEST_F(PidApi, CleanupDeletesEveryLoopWithItsDataSets) {
    define(input, output);
    define(0, 0);
    EXPECT_EQ(RTCleanup(handle), 1);
    EXPECT_EQ(InitRTDll(handle), 1);
    EXPECT_EQ(WRGetPIDAutoState(1), 0);
    EXPECT_EQ(define(0, 0), 1);
}

TEST_F(PidApi, BarGraphPairFollowsTheLoop) {
    const int loop = define(input, output);
    EXPECT_EQ(WRSetPIDBargraph(graph, 0), 0);
    EXPECT_EQ(lastErrorCode(), 18);
    EXPECT_EQ(WRSetPIDBargraph(graph, 9), 0);
    EXPECT_EQ(lastErrorCode(), 30);
    const int bare = define(0, 0);
    EXPECT_EQ(WRSetPIDBargraph(graph, bare), 0);
    EXPECT_EQ(lastErrorCode(), 55);
    const int first = WRSetPIDBargraph2(graph, loop, 1);
    ASSERT_GT(first, 0);
    std::vector<BarGraph*> pair;
    for (int i = first; i <= first + 12; ++i)
        if (auto* d = dynamic_cast<BarGraph*>(FindDynObject(env, graph, i))) pair.push_back(d);
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_EQ(pair[0]->barCount, 2);
    EXPECT_EQ(pair[1]->barCount, 1);
    step(loop, 50.0);
    EXPECT_EQ(pair[0]->shown[0], 50.0);
    EXPECT_EQ(pair[0]->shown[1], 60.0);
    EXPECT_EQ(pair[1]->shown[0], 20.0);
    EXPECT_EQ(dataSet(input).referenceCount, 1);
    EXPECT_EQ(dataSet(output).referenceCount, 1);
}

}  // namespace
}  // namespace dynaview::testing
