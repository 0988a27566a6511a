#pragma once
// Building a graph: data sets, plot area and scale, drawing attributes, axes with labels,
// grids and titles, line plots, data cursors and text. Each call takes the graph handle and
// returns the new object's index (or 1 for a setting), 0 on failure after reporting it.

#include "plotbase/environment.h"

#include <string_view>

namespace plotbase {

// A data set of n points over the x and y blocks (each must hold at least n values).
int WGDefineDataSet(Environment& env, int graph, std::string_view name, DoubleBlock x, DoubleBlock y, int n);
// The plot area in normalised graph coordinates (y downwards); flags from PlotAreaFlags.
int WGSetPlotArea(Environment& env, int graph, double x1, double y1, double x2, double y2, int flags);
int WGScalePlotArea(Environment& env, int graph, double xmin, double ymin, double xmax, double ymax);
// Where the axes created next cross: the vertical axis at world x, the horizontal at world y.
int WGSetXYIntercepts(Environment& env, int graph, double x, double y);
// Current line pattern (LinePattern), width in pixels and colour index.
int WGSetLineStyle(Environment& env, int graph, int pattern, int width, int colour);
// Current text parameters: angle (tenths of a degree), family, size, style flags.
int WGSetTextParams(Environment& env, int graph, int angle, int family, int size, int style);
// A text at normalised graph position (x, y) aligned by `align` (TextAlign).
int WGTextNorm(Environment& env, int graph, std::string_view text, double x, double y, int align, int flags);
// Axes over the plot area's current scale: major ticks every `spacing`, `count` minor ticks
// between them, ticks and labels on `side`.
int WGDrawXAxis(Environment& env, int graph, double spacing, int count, int side);
int WGDrawYAxis(Environment& env, int graph, double spacing, int count, int side);
// Labels at the axis's major ticks with `decimals` decimals (-1: automatic).
int WGLabelAxis(Environment& env, int graph, int axis, int decimals);
// Grid lines across the plot area at the axis's major (kind 0) or minor (kind 1) ticks.
int WGDrawGrid(Environment& env, int graph, int axis, int kind);
// Grids are drawn in front of the plots until toggled behind them (and back).
int WGToggleGridsOrder(Environment& env, int graph);
// A line plot of the data set over the graph's current axes.
int WGLinePlot(Environment& env, int graph, int dataSet);
int WGTitleAxis(Environment& env, int graph, int axis, int side, std::string_view text);
// A vertical data cursor over the two axes.
int WGSetDataCursor(Environment& env, int graph, int xAxis, int yAxis, int colour);

}  // namespace plotbase
