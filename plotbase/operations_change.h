#pragma once
// Changing a built graph. Each call returns 1 (0 after reporting a failure) and schedules
// the graph window's repaint where the change shows.

#include "plotbase/environment.h"

#include <string_view>

namespace plotbase {

bool WGIsGraphDescValid(const Environment& env, int graph);
// Frees the data set; plots bound to it show nothing until reconnected. Its blocks go with
// it unless someone else still holds them (flag -1 and 0 alike: blocks are shared).
int WGFreeDataSet(Environment& env, int graph, int dataSet, int flag);
int WGReconnectDataSet(Environment& env, int graph, int plot, int dataSet);
// Redraws an object (0: the whole graph). Flag -1 redraws it with what lies under it, flag 0
// over it; both repaint through the graph window.
int WGRedrawObject(Environment& env, int graph, int object, int flag);
// Changes an axis's range (and the plot area's scale when the axis is the graph's current
// one), then calls the environment's rescale hook.
int WGChangeAxisRange(Environment& env, int graph, int axis, double min, double max);
int WGChangeAxisIntercept(Environment& env, int graph, int axis, double value);
int WGChangeAxisTicks(Environment& env, int graph, int axis, double spacing, int count, int side);
int WGChangeLabelsPrec(Environment& env, int graph, int labels, int decimals);
// The text of a text object or an axis title.
int WGChangeString(Environment& env, int graph, int object, std::string_view text);
int WGChangeLineColor(Environment& env, int graph, int object, int colour);
int WGChangeLineStyle(Environment& env, int graph, int object, int pattern, int width);
// Moves a data cursor (a new cursor is not drawn until first moved); with show false it is
// only repositioned and appears at its new place with the next repaint.
int WGMoveDataCursor(Environment& env, int graph, int cursor, double x, double y, bool show);
int WGGetAxisRange(const Environment& env, int graph, int axis, double& min, double& max);

}  // namespace plotbase
