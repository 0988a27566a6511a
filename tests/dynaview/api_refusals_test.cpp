// Bad arguments at the C interface: each is refused with its error, and nothing changes.

#include "dynaview_fixture.h"

#include <cmath>
#include <functional>
#include <limits>

namespace dynaview::testing {
namespace {

class Refusals : public DynaviewTest {
protected:
    Refusals() {
        env.showErrorMessages = false;
        set = WRDefineDynDataSet("s", 2, nullptr, nullptr, 4);
        lines = WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr);
        marks = WRSetAlarmMarks(graph, set, yAxis, 0, 8, nullptr, 1, nullptr, nullptr);
    }
    int set = 0, lines = 0, marks = 0;
};

TEST_F(Refusals, EachBadArgumentGetsItsError) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const int badColours[5] = {0, 1, 2, 3, 16};
    const int badWidths[5] = {1, 1, 1, 1, -1};
    const int badTextColours[8] = {0, 0, 0, 0, 0, 0, 0, 99};
    const double values[2] = {1, 2};
    const std::vector<std::pair<std::function<int()>, int>> refusals{
        {[&] { return WRUpdateData(150, values, 0); }, 55},
        {[&] { return WRUpdateData(-3, values, 0); }, 55},
        {[&] { return WRUpdateBlockData(set, nullptr, 2, 0); }, 18},
        {[&] { return WRGetLastData(200, nullptr, nullptr); }, 55},
        {[&] { return WRSetAlarm(set, 9, 1.0, "x"); }, 18},
        {[&] { return WRSetAlarm(set, HighAlarm, nan, "x"); }, 18},
        {[&] { return WRSetSetpoint(set, nan); }, 18},
        {[&] { return WRSetAlarmHyst(set, nan, 0.0); }, 18},
        {[&] { return WREnableAlarmCheck(0, 1); }, 55},
        {[&] { return WRGetAlarm(set, 8, nullptr, nullptr, nullptr); }, 18},
        {[&] { return WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, badColours); }, 18},
        {[&] { return WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, badWidths, nullptr); }, 18},
        {[&] { return WRSetAlarmLines(graph, set, -1, 1, nullptr, nullptr, nullptr, nullptr); }, 18},
        {[&] { return WRSetAlarmLines(4711, set, 0, 1, nullptr, nullptr, nullptr, nullptr); }, 32},
        {[&] { return WRSetAlarmLines(graph, 42, 0, 1, nullptr, nullptr, nullptr, nullptr); }, 55},
        {[&] { return WRSetAlarmMarks(graph, set, lines, 0, 8, nullptr, 1, nullptr, nullptr); }, 54},
        {[&] { return WRSetAlarmMarks(graph, set, yAxis, 0, 0, nullptr, 1, nullptr, nullptr); }, 18},
        {[&] { return WRSetAlarmText(graph, set, 2, 10, 10, 20, 10, 0, 1, 7, 0, nullptr, nullptr, 0, 0); }, 30},
        {[&] { return WRSetAlarmText(graph, set, 0, nan, 10, 20, 10, 0, 1, 7, 0, nullptr, nullptr, 0, 0); }, 18},
        {[&] { return WRSetAlarmText(graph, set, 0, 10, 10, 0, 10, 0, 1, 7, 0, nullptr, nullptr, 0, 0); }, 18},
        {[&] { return WRSetAlarmText(graph, set, 0, 10, 10, 20, 10, 0, 1, 7, 0, nullptr, badTextColours, 0, 0); }, 18},
        {[&] { return WREnableAlarmLine(graph, marks, -1, 1); }, 30},
        {[&] { return WREnableAlarmLine(graph, yAxis, 1, 1); }, 29},
        {[&] { return WREnableAlarmLine(graph, 99, 1, 1); }, 56},
        {[&] { return WRChangeAlarmMarks(graph, lines, 0, 8, nullptr, 1, nullptr, nullptr); }, 29},
        {[&] { return WRGetAlarmMarks(graph, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr); }, 56},
        {[&] { return WRUpdateObj(graph, 77); }, 56},
        {[&] { return WRDeleteRTObject(graph, 77); }, 56},
        {[&] { return WRDeleteRTGraph(4711); }, 32},
        {[&] { return rtDefEditObject(nullptr, 4711); }, 32},
        {[&] { return rtDisplayDialogBoxParam(AlarmLineDlgProc, "NoSuchDialog", nullptr, nullptr); }, 18},
        {[&] { return rtDisplayDialogBoxParam(nullptr, "AlarmLines", nullptr, nullptr); }, 18},
        {[&] { return AlarmLineDlgProc("AlarmMarks", nullptr, nullptr); }, 18},
    };
    for (std::size_t i = 0; i < refusals.size(); ++i) {
        env.lastError = {};
        EXPECT_EQ(refusals[i].first(), 0) << "refusal " << i;
        EXPECT_EQ(lastErrorCode(), refusals[i].second) << "refusal " << i << ": " << env.lastError.text;
    }
    EXPECT_EQ(env.graph(graph)->objects.count(), 4);  // the axes, the lines and the marks
    EXPECT_EQ(dataSet(set).referenceCount, 2);
    EXPECT_EQ(dataSet(set).history.stored(), 0);
}

TEST_F(Refusals, WithoutAnEnvironmentNothingHappensAndNothingIsShown) {
    ForgetEnvironment(env);
    const double value = 1.0;
    EXPECT_EQ(WRUpdateData(set, &value, 0), 0);
    EXPECT_EQ(WRDefineDynDataSet("x", 1, nullptr, nullptr, 0), 0);
    EXPECT_EQ(SetObjTimeUpdate(graph, lines, 1), 0);
    EXPECT_EQ(KillRTPage(page), 0);
    EXPECT_EQ(dvLastError(handle, nullptr, 0), 0);
    EXPECT_EQ(dvCreatePage(handle, &host, "P"), 0);
    EXPECT_EQ(dvCreateHostWindow(nullptr, "x", 10, 10), nullptr);
    EXPECT_TRUE(dialogs.records.empty());
    EXPECT_EQ(dataSet(set).history.stored(), 0);
}

}  // namespace
}  // namespace dynaview::testing
