#include "plotbase/operations_build.h"

#include "plotbase/graph_access.h"

#include <cmath>

namespace plotbase {

using detail::addObject;
using detail::newObject;
using detail::openGraph;

namespace {

bool finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

bool validTicks(double spacing, int count, int side) {
    return std::isfinite(spacing) && spacing > 0.0 && count >= 0 && count <= 100 && (side == 0 || side == 1);
}

int fail(Environment& env, int code) {
    ReportError(env, code, MessageOnly);
    return 0;
}

int drawAxis(Environment& env, int handle, std::int16_t orientation, double spacing, int count, int side) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (!validTicks(spacing, count, side)) return fail(env, InvalidTicks);
    auto axis = newObject<Axis>(*graph, orientation);
    const bool vertical = orientation == VerticalAxis;
    axis->min = vertical ? graph->ymin : graph->xmin;
    axis->max = vertical ? graph->ymax : graph->xmax;
    axis->intercept = vertical ? graph->interceptX : graph->interceptY;
    axis->tickSpacing = spacing;
    axis->tickCount = count;
    axis->side = side;
    const int index = addObject(env, *graph, std::move(axis));
    (vertical ? graph->currentYAxis : graph->currentXAxis) = index;
    return index;
}

}  // namespace

int WGDefineDataSet(Environment& env, int handle, std::string_view name, DoubleBlock x, DoubleBlock y, int n) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (n < 0 || !x || !y) return fail(env, InvalidArgument);
    const auto points = static_cast<std::size_t>(n);
    if (x->size() < points || y->size() < points) return fail(env, DataSetTooShort);
    auto set = newObject<DataSet>(*graph);
    set->name = std::string(name);
    set->x = std::move(x);
    set->y = std::move(y);
    set->count = n;
    return addObject(env, *graph, std::move(set));
}

int WGSetPlotArea(Environment& env, int handle, double x1, double y1, double x2, double y2, int flags) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (!finite(x1, y1) || !finite(x2, y2) || x1 < 0.0 || y1 < 0.0 || x2 > 1.0 || y2 > 1.0 || x1 >= x2 || y1 >= y2)
        return fail(env, InvalidPlacement);
    graph->plotArea = {x1, y1, x2, y2};
    graph->plotAreaFlags = flags;
    graph->plotFrame = graph->current;
    detail::repaint(*graph);
    return 1;
}

int WGScalePlotArea(Environment& env, int handle, double xmin, double ymin, double xmax, double ymax) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (!finite(xmin, xmax) || !finite(ymin, ymax) || !(xmax > xmin) || !(ymax > ymin)) return fail(env, InvalidRange);
    graph->xmin = xmin;
    graph->xmax = xmax;
    graph->ymin = ymin;
    graph->ymax = ymax;
    detail::repaint(*graph);
    return 1;
}

int WGSetXYIntercepts(Environment& env, int handle, double x, double y) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (!finite(x, y)) return fail(env, InvalidArgument);
    graph->interceptX = x;
    graph->interceptY = y;
    return 1;
}

int WGSetLineStyle(Environment& env, int handle, int pattern, int width, int colour) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (pattern < SolidLine || pattern > NoLine || width < 0 || width > 50) return fail(env, InvalidArgument);
    if (!isPaletteIndex(colour)) return fail(env, InvalidColour);
    graph->current.pattern = pattern;
    graph->current.width = width;
    graph->current.colour = colour;
    return 1;
}

int WGSetTextParams(Environment& env, int handle, int angle, int family, int size, int style) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (size < 1 || size > 200) return fail(env, InvalidArgument);
    graph->current.text = {angle % 3600, family, size, style};
    return 1;
}

int WGTextNorm(Environment& env, int handle, std::string_view text, double x, double y, int align, int flags) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (!finite(x, y)) return fail(env, InvalidArgument);
    auto object = newObject<TextObject>(*graph);
    object->text = std::string(text);
    object->x = x;
    object->y = y;
    object->align = align;
    object->flags = flags;
    const int index = addObject(env, *graph, std::move(object));
    detail::repaint(*graph);
    return index;
}

int WGDrawXAxis(Environment& env, int graph, double spacing, int count, int side) {
    return drawAxis(env, graph, HorizontalAxis, spacing, count, side);
}

int WGDrawYAxis(Environment& env, int graph, double spacing, int count, int side) {
    return drawAxis(env, graph, VerticalAxis, spacing, count, side);
}

int WGLabelAxis(Environment& env, int handle, int axis, int decimals) {
    Graph* graph = openGraph(env, handle);
    if (!graph || !detail::axisOf(env, *graph, axis)) return 0;
    if (decimals < -1 || decimals > 15) return fail(env, InvalidArgument);
    auto labels = newObject<AxisLabels>(*graph);
    labels->links[0] = static_cast<std::uint16_t>(axis);
    labels->decimals = decimals;
    return addObject(env, *graph, std::move(labels));
}

int WGDrawGrid(Environment& env, int handle, int axis, int kind) {
    Graph* graph = openGraph(env, handle);
    if (!graph || !detail::axisOf(env, *graph, axis)) return 0;
    if (kind != 0 && kind != 1) return fail(env, InvalidArgument);
    auto grid = newObject<Grid>(*graph);
    grid->links[0] = static_cast<std::uint16_t>(axis);
    grid->kind = kind;
    return addObject(env, *graph, std::move(grid));
}

int WGToggleGridsOrder(Environment& env, int handle) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    graph->gridsBehind = !graph->gridsBehind;
    detail::repaint(*graph);
    return 1;
}

int WGLinePlot(Environment& env, int handle, int dataSet) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (!detail::objectOfType<DataSet>(env, *graph, dataSet, DataSetType, NoSuchDataSet)) return 0;
    auto plot = newObject<LinePlot>(*graph);
    plot->dataSet = dataSet;
    plot->links = {static_cast<std::uint16_t>(graph->currentXAxis), static_cast<std::uint16_t>(graph->currentYAxis)};
    return addObject(env, *graph, std::move(plot));
}

int WGTitleAxis(Environment& env, int handle, int axis, int side, std::string_view text) {
    Graph* graph = openGraph(env, handle);
    if (!graph || !detail::axisOf(env, *graph, axis)) return 0;
    if (side != 0 && side != 1) return fail(env, InvalidArgument);
    auto title = newObject<AxisTitle>(*graph);
    title->links[0] = static_cast<std::uint16_t>(axis);
    title->side = side;
    title->text = std::string(text);
    return addObject(env, *graph, std::move(title));
}

int WGSetDataCursor(Environment& env, int handle, int xAxis, int yAxis, int colour) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    Axis* horizontal = detail::axisOf(env, *graph, xAxis);
    if (!horizontal) return 0;
    Axis* vertical = detail::axisOf(env, *graph, yAxis);
    if (!vertical) return 0;
    if (horizontal->vertical() || !vertical->vertical()) return fail(env, NoSuchAxis);
    if (!isPaletteIndex(colour)) return fail(env, InvalidColour);
    auto cursor = newObject<DataCursor>(*graph);
    cursor->links = {static_cast<std::uint16_t>(xAxis), static_cast<std::uint16_t>(yAxis)};
    cursor->attributes.colour = colour;
    cursor->x = horizontal->min;
    cursor->y = vertical->min;
    return addObject(env, *graph, std::move(cursor));
}

}  // namespace plotbase
