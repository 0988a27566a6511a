#pragma once
// Creating a bar graph, shared by WRSetBargraph and the charts built around it (the
// automatic bar chart, the PID display).

#include "dynaview/frame/rt_top.h"

namespace dynaview {

struct BarGraphRequest {
    int graph = 0;
    int dataSet = 0;
    double baseValue = 0.0;
    int orientationSwitch = 1;  // 1: bars stand on the horizontal axis; else they lie along it
    double firstPosition = 0.0, lastPosition = 0.0;
    double barWidth = -1.0;  // world units; negative: automatic
    const int* fillColours = nullptr;
    const int* hatchStyles = nullptr;
    const int* outlineColours = nullptr;
};

// The new object's index, or 0 after reporting with the operation's name.
int CreateBarGraph(plotbase::Environment& env, RTTop& top, const BarGraphRequest& request, const char* operation);

}  // namespace dynaview
