#pragma once
// dynaview on a test environment: scripted dialogs, a virtual clock, one page in a 400 x 300
// host with one graph over it: plot area (0.1, 0.1)-(0.9, 0.9), world 0..100 both ways, an
// x axis and a y axis. The alarm procedure records its calls.

#include "dynaview/frame/rt_top.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/include/dynaview_cxx.h"
#include "platform/doubles/scripted_dialogs.h"
#include "platform/numbers.h"
#include "platform/virtual_clock.h"
#include "plotbase/plotbase.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace dynaview::testing {

struct AlarmCall {
    int dataSet;
    int channel;
    int kind;
    double value;
    int state;
    bool operator==(const AlarmCall&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const AlarmCall& c) {
    return out << "{set " << c.dataSet << ", channel " << c.channel << ", kind " << c.kind << ", " << c.value << ", state " << c.state << "}";
}

class DynaviewTest : public ::testing::Test {
protected:
    explicit DynaviewTest(std::uint32_t startTick = 0) : clock(startTick) {
        ResetLibrary();
        UseClock(&clock);
        handle = RegisterEnvironment(env);
        EXPECT_EQ(InitRTDll(handle), 1);
        host.resize(400, 300);
        page = plotbase::InitPage(env, "PAGE1", &host, "Test page", 0, 15, 8, plotbase::ChildWindow | plotbase::VisibleWindow, {}, nullptr);
        graph = plotbase::InitGraph(env, page, 0.0, 0.0, 1.0, 1.0, 0, 0, 0, nullptr);
        plotbase::WGSetPlotArea(env, graph, 0.1, 0.1, 0.9, 0.9, plotbase::ClipToPlotArea);
        plotbase::WGScalePlotArea(env, graph, 0.0, 0.0, 100.0, 100.0);
        plotbase::WGSetXYIntercepts(env, graph, 0.0, 0.0);
        xAxis = plotbase::WGDrawXAxis(env, graph, 10.0, 1, 0);
        yAxis = plotbase::WGDrawYAxis(env, graph, 10.0, 1, 1);
        host.show();
        SetAlarmProcedure([this](int set, int channel, int kind, double value, int state) {
            calls.push_back({set, channel, kind, value, state});
        });
    }
    ~DynaviewTest() override {
        ForgetEnvironment(env);
        ResetLibrary();
    }

    RTTop& top() { return *TopOf(env); }
    DynDataSet& dataSet(int index) { return *top().dataSets.at(index); }
    // One sample of a one-channel data set.
    int push(int set, double value, int inGraph = 0) { return WRUpdateData(set, &value, inGraph); }
    int lastErrorCode() const { return env.lastError.code; }
    std::vector<std::string> boxTexts() const { return dialogs.texts(); }

    platform::ScriptedDialogs dialogs;
    platform::Numbers numbers;
    platform::VirtualClock clock;
    QWidget host;
    plotbase::Environment env{dialogs, numbers};
    DVEnvironment* handle = nullptr;
    int page = 0;
    int graph = 0;
    int xAxis = 0;
    int yAxis = 0;
    std::vector<AlarmCall> calls;
};

}  // namespace dynaview::testing
