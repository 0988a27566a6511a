// The PID display: two bar graphs in one graph, the process value and the setpoint against
// the process range (left axis) and the output against the output range (right axis).

#include "dynaview/bars/bars_api.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/pid/pid_table.h"
#include "plotbase/operations_build.h"
#include "plotbase/operations_change.h"

using namespace dynaview;

namespace {

// Positions across the graph: process value at 1, setpoint at 2, output at 3 of 0..4.
constexpr double PositionEnd = 4.0;
constexpr double BarWidth = 0.8;
constexpr double PlotLeft = 0.2, PlotRight = 0.8, PlotTop = 0.14, PlotBottom = 0.86;
constexpr int InputColours[2] = {0x0A58CA, 0x1B7F3B};  // process value blue, setpoint green
constexpr int OutputColour[1] = {0xF07F0F};
constexpr int Outline[2] = {0, 0};

double normX(double position) { return PlotLeft + position / PositionEnd * (PlotRight - PlotLeft); }

int pidBargraph(plotbase::Environment& env, RTTop& top, int graph, int number, int decimals) {
    constexpr const char* operation = "WRSetPIDBargraph";
    if (!CreatorAllowed(env)) return 0;
    if (!ValidLoopNumber(number) || decimals < -1 || decimals > 15) return api::Refuse(env, operation);
    const PidSlot* slot = PidTable::of(top).at(number);
    if (!slot) {
        ReportDynError(env, plotbase::InvalidRecord, 2, " - WRSetPIDBargraph");
        return 0;
    }
    if (!OpenGraph(env, graph)) return 0;
    const PidLoop loop = slot->loop;
    if (!api::DataSetOrReport(env, top, loop.inputSet, operation) || !api::DataSetOrReport(env, top, loop.outputSet, operation))
        return 0;

    plotbase::WGSetPlotArea(env, graph, PlotLeft, PlotTop, PlotRight, PlotBottom, plotbase::ClipToPlotArea);
    const double processLow = std::min(loop.processLow, loop.processHigh), processHigh = std::max(loop.processLow, loop.processHigh);
    plotbase::WGScalePlotArea(env, graph, 0.0, processLow, PositionEnd, processHigh);
    plotbase::WGSetXYIntercepts(env, graph, 0.0, processLow);
    plotbase::WGDrawXAxis(env, graph, PositionEnd, 0, 0);
    const int processAxis = plotbase::WGDrawYAxis(env, graph, (processHigh - processLow) / 5.0, 1, 1);
    plotbase::WGLabelAxis(env, graph, processAxis, decimals);
    BarGraphRequest input{graph, loop.inputSet, processLow, 1, 1.0, 2.0, BarWidth, InputColours, nullptr, Outline};
    const int inputBars = CreateBarGraph(env, top, input, operation);
    if (!inputBars) return 0;

    const double outputLow = loop.rangeLow, outputHigh = loop.rangeHigh > loop.rangeLow ? loop.rangeHigh : loop.rangeLow + 1.0;
    plotbase::WGScalePlotArea(env, graph, 0.0, outputLow, PositionEnd, outputHigh);
    plotbase::WGSetXYIntercepts(env, graph, PositionEnd, outputLow);
    const int outputAxis = plotbase::WGDrawYAxis(env, graph, (outputHigh - outputLow) / 5.0, 1, 0);
    plotbase::WGLabelAxis(env, graph, outputAxis, decimals);
    BarGraphRequest output{graph, loop.outputSet, outputLow, 1, 3.0, 3.0, BarWidth, OutputColour, nullptr, Outline};
    if (!CreateBarGraph(env, top, output, operation)) return 0;

    plotbase::WGTextNorm(env, graph, "PV", normX(1.0), 0.93, plotbase::AlignCentre + plotbase::AlignTop, 0);
    plotbase::WGTextNorm(env, graph, "SP", normX(2.0), 0.93, plotbase::AlignCentre + plotbase::AlignTop, 0);
    plotbase::WGTextNorm(env, graph, "OUT", normX(3.0), 0.93, plotbase::AlignCentre + plotbase::AlignTop, 0);
    if (!loop.name.empty()) plotbase::WGTextNorm(env, graph, loop.name, 0.5, 0.03, plotbase::AlignCentre + plotbase::AlignTop, 0);
    plotbase::WGRedrawObject(env, graph, 0, 0);
    return inputBars;
}

}  // namespace

extern "C" {

DV_API int WRSetPIDBargraph2(int graph, int loop, int option) {
    return api::WithTop(0, "WRSetPIDBargraph", [&](plotbase::Environment& env, RTTop& top) { return pidBargraph(env, top, graph, loop, option); });
}

DV_API int WRSetPIDBargraph(int graph, int loop) { return WRSetPIDBargraph2(graph, loop, -1); }

}  // extern "C"
