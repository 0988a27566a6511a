#include "plotbase/operations_change.h"

#include "plotbase/graph_access.h"
#include "plotbase/operations_setup.h"

#include <cmath>

namespace plotbase {

using detail::openGraph;

namespace {

int fail(Environment& env, int code) {
    ReportError(env, code, MessageOnly);
    return 0;
}

// Runs the rescale hook once per change: a hook that changes a range itself (to put back
// one it cannot accept) does not call itself again.
void callRescaleHook(Environment& env, int graph, int axis) {
    if (!env.rescaleHook || env.rescaling) return;
    env.rescaling = true;
    env.rescaleHook(env, graph, axis);
    env.rescaling = false;
}

}  // namespace

bool WGIsGraphDescValid(const Environment& env, int handle) {
    const Graph* graph = env.graph(handle);
    return graph && graph->open;
}

int WGFreeDataSet(Environment& env, int handle, int dataSet, int) {
    // Blocks are shared: dropping the set releases its hold on them whatever the flag, and
    // a block goes away once no one else holds it.
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (!detail::objectOfType<DataSet>(env, *graph, dataSet, DataSetType, NoSuchDataSet)) return 0;
    return WGDeleteObject(env, handle, dataSet);
}

int WGReconnectDataSet(Environment& env, int handle, int plot, int dataSet) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    auto* line = detail::objectOfType<LinePlot>(env, *graph, plot, LinePlotType, NoSuchObject);
    if (!line || !detail::objectOfType<DataSet>(env, *graph, dataSet, DataSetType, NoSuchDataSet)) return 0;
    line->dataSet = dataSet;
    return 1;
}

int WGRedrawObject(Environment& env, int handle, int object, int) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (object != 0 && !graph->objects.at(object)) return fail(env, NoSuchObject);
    detail::repaint(*graph);
    return 1;
}

int WGChangeAxisRange(Environment& env, int handle, int axisIndex, double min, double max) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    Axis* axis = detail::axisOf(env, *graph, axisIndex);
    if (!axis) return 0;
    if (!std::isfinite(min) || !std::isfinite(max) || !(max > min)) return fail(env, InvalidRange);
    axis->min = min;
    axis->max = max;
    if (axis->vertical() && graph->currentYAxis == axisIndex) {
        graph->ymin = min;
        graph->ymax = max;
    } else if (!axis->vertical() && graph->currentXAxis == axisIndex) {
        graph->xmin = min;
        graph->xmax = max;
    }
    detail::repaint(*graph);
    callRescaleHook(env, handle, axisIndex);
    return 1;
}

int WGChangeAxisIntercept(Environment& env, int handle, int axisIndex, double value) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    Axis* axis = detail::axisOf(env, *graph, axisIndex);
    if (!axis) return 0;
    if (!std::isfinite(value)) return fail(env, InvalidArgument);
    axis->intercept = value;
    detail::repaint(*graph);
    return 1;
}

int WGChangeAxisTicks(Environment& env, int handle, int axisIndex, double spacing, int count, int side) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    Axis* axis = detail::axisOf(env, *graph, axisIndex);
    if (!axis) return 0;
    if (!std::isfinite(spacing) || spacing <= 0.0 || count < 0 || count > 100 || (side != 0 && side != 1))
        return fail(env, InvalidTicks);
    axis->tickSpacing = spacing;
    axis->tickCount = count;
    axis->side = side;
    detail::repaint(*graph);
    return 1;
}

int WGChangeLabelsPrec(Environment& env, int handle, int labelsIndex, int decimals) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    auto* labels = detail::objectOfType<AxisLabels>(env, *graph, labelsIndex, AxisLabelsType, NoSuchObject);
    if (!labels) return 0;
    if (decimals < -1 || decimals > 15) return fail(env, InvalidArgument);
    labels->decimals = decimals;
    detail::repaint(*graph);
    return 1;
}

int WGChangeString(Environment& env, int handle, int object, std::string_view text) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    GraphObject* target = graph->objects.at(object);
    if (!target) return fail(env, NoSuchObject);
    if (target->type == TextType)
        static_cast<TextObject*>(target)->text = std::string(text);
    else if (target->type == AxisTitleType)
        static_cast<AxisTitle*>(target)->text = std::string(text);
    else
        return ReportWrongObjectType(env, *target), 0;
    detail::repaint(*graph);
    return 1;
}

int WGChangeLineColor(Environment& env, int handle, int object, int colour) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    GraphObject* target = graph->objects.at(object);
    if (!target) return fail(env, NoSuchObject);
    if (target->type == DataSetType) return ReportWrongObjectType(env, *target), 0;
    if (!isPaletteIndex(colour)) return fail(env, InvalidColour);
    target->attributes.colour = colour;
    detail::repaint(*graph);
    return 1;
}

int WGChangeLineStyle(Environment& env, int handle, int object, int pattern, int width) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    GraphObject* target = graph->objects.at(object);
    if (!target) return fail(env, NoSuchObject);
    if (target->type == DataSetType) return ReportWrongObjectType(env, *target), 0;
    if (pattern < SolidLine || pattern > NoLine || width < 0 || width > 50) return fail(env, InvalidArgument);
    target->attributes.pattern = pattern;
    target->attributes.width = width;
    detail::repaint(*graph);
    return 1;
}

int WGMoveDataCursor(Environment& env, int handle, int cursorIndex, double x, double y, bool show) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    auto* cursor = detail::objectOfType<DataCursor>(env, *graph, cursorIndex, DataCursorType, NoSuchObject);
    if (!cursor) return 0;
    if (!std::isfinite(x) || !std::isfinite(y)) return fail(env, InvalidArgument);
    cursor->x = x;
    cursor->y = y;
    cursor->placed = true;
    if (show) detail::repaint(*graph);
    return 1;
}

int WGGetAxisRange(const Environment& env, int handle, int axisIndex, double& min, double& max) {
    const Graph* graph = env.graph(handle);
    if (!graph || !graph->open) return 0;
    const auto* axis = graph->objects.as<Axis>(axisIndex, AxisType);
    if (!axis) return 0;
    min = axis->min;
    max = axis->max;
    return 1;
}

}  // namespace plotbase
