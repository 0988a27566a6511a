// Creating and closing the waveform graph.

#include "graph/tdr_gfx.h"

#include "plotbase/plotbase.h"

namespace graph {

using namespace plotbase;

namespace {

// Where the fourteen annotation texts sit along the top of the graph; they are empty except
// while printing.
constexpr std::array<double, TDRGFX::TextCount> TextPositions{0.02, 0.05, 0.12, 0.16, 0.21, 0.27, 0.32,
                                                             0.442, 0.51, 0.628, 0.70, 0.855, 0.94, 0.97};
constexpr double TextHeight = 0.04;

}  // namespace

TDRGFX::TDRGFX(platform::Dialogs& dialogs, const platform::Numbers& numbers, const WaveformStore& store,
               std::function<void()> quitApplication)
    : env_(dialogs, numbers), numbers_(numbers), store_(store), quitApplication_(std::move(quitApplication)) {}

TDRGFX::~TDRGFX() = default;

bool TDRGFX::CreateGraphPage(QWidget* host) {
    if (handles_.page != 0) return graphValid();
    InitDll(env_);
    auto procedure = [this](Environment&, int graph, const WindowMessage& message) { graphProcedure(graph, message); };
    if (!InitTop(env_, nullptr, procedure, Revision)) {
        if (quitApplication_) quitApplication_();
        return false;
    }
    handles_.page = InitPage(env_, "PAGE1", host, "TDR-GRAPH", 0, 15, 8, ChildWindow | VisibleWindow | ClipChildren, {},
                             [this](Environment&, int page) { buildPage(page); });
    return graphValid();
}

void TDRGFX::buildPage(int page) {
    if (!startX_) {
        startX_ = AllocateBlock(1);
        startMain_ = AllocateBlock(1);
        startSaved_ = AllocateBlock(1);
        startDerivative_ = AllocateBlock(1);
    }
    handles_.graph = InitGraph(env_, page, 0.005, 0.005, 0.995, 0.995, 15, 0, 0,
                               [this](Environment&, int graph) { buildGraph(graph); });
}

void TDRGFX::buildGraph(int g) {
    Handles& h = handles_;
    h.mainSet = WGDefineDataSet(env_, g, "TDR Data Set", startX_, startMain_, 1);
    h.savedSet = WGDefineDataSet(env_, g, "TDR Saved Data", startX_, startSaved_, 1);
    h.derivativeSet = WGDefineDataSet(env_, g, "TDR Deriv Data", startX_, startDerivative_, 1);

    WGSetPlotArea(env_, g, 0.12, 0.07, 0.96, 0.89, FramePlotArea | ClipToPlotArea);

    WGSetTextParams(env_, g, 0, SansFamily, 4, 0);
    for (std::size_t i = 0; i < TextPositions.size(); ++i)
        h.texts[i] = WGTextNorm(env_, g, "", TextPositions[i], TextHeight, AlignLeft + AlignBaseline, 0);

    WGSetLineStyle(env_, g, SolidLine, 1, 0);
    WGScalePlotArea(env_, g, 0.0, -1.0, 100.0, 1.5);
    WGSetXYIntercepts(env_, g, 0.0, -1.0);

    WGSetTextParams(env_, g, 0, FixedFamily, 5, 0);
    WGSetLineStyle(env_, g, SolidLine, 1, 0);

    h.xAxis = WGDrawXAxis(env_, g, 50.0, 4, 0);
    h.xLabels = WGLabelAxis(env_, g, h.xAxis, 2);
    h.yAxis = WGDrawYAxis(env_, g, 0.5, 4, 1);
    h.yLabels = WGLabelAxis(env_, g, h.yAxis, -1);

    WGSetLineStyle(env_, g, SolidLine, 1, 3);
    WGDrawGrid(env_, g, h.xAxis, 1);
    WGDrawGrid(env_, g, h.yAxis, 1);
    WGSetLineStyle(env_, g, SolidLine, 1, 11);
    WGDrawGrid(env_, g, h.xAxis, 0);
    WGDrawGrid(env_, g, h.yAxis, 0);
    WGToggleGridsOrder(env_, g);

    WGSetLineStyle(env_, g, SolidLine, 1, 14);
    h.mainPlot = WGLinePlot(env_, g, h.mainSet);
    WGSetLineStyle(env_, g, SolidLine, 1, 4);
    h.savedPlot = WGLinePlot(env_, g, h.savedSet);
    WGSetLineStyle(env_, g, SolidLine, 1, 15);
    h.derivativePlot = WGLinePlot(env_, g, h.derivativeSet);
    if (h.mainPlot == 0 || h.savedPlot == 0 || h.derivativePlot == 0) return;

    // Titles in the axes' colour, not the last trace's.
    WGSetLineStyle(env_, g, SolidLine, 1, 0);
    h.xTitle = WGTitleAxis(env_, g, h.xAxis, 0, "distance (meters)");
    h.yTitle = WGTitleAxis(env_, g, h.yAxis, 1, "reflection coefficient (unitless)");
    h.marker1 = WGSetDataCursor(env_, g, h.xAxis, h.yAxis, 10);
    h.marker2 = WGSetDataCursor(env_, g, h.xAxis, h.yAxis, 12);
}

void TDRGFX::CloseGraphPage() {
    Cleanup(env_, -1);
    handles_ = {};
    if (quitApplication_) quitApplication_();
}

bool TDRGFX::graphValid() const { return handles_.graph != 0 && WGIsGraphDescValid(env_, handles_.graph); }

}  // namespace graph
