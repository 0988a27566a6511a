#pragma once
// What an update of a data set does beyond storing the values: the alarm check with the
// application's alarm procedure, and the redraw of the objects bound to it, in one graph
// or in every graph of every page.

namespace plotbase {
class Environment;
}

namespace dynaview {

class DynDataSet;
class RTTop;

// Whether the data set is still the one at its index (the application's procedures may
// free it or clean everything up while an update runs).
bool DataSetAlive(plotbase::Environment& env, const RTTop* top, int index, const DynDataSet* set);

// Runs the alarm check; false when the data set went away meanwhile.
bool CheckAlarms(plotbase::Environment& env, RTTop& top, int index);
// One update for every object that takes data updates of the data set.
void RedrawBoundObjects(plotbase::Environment& env, RTTop& top, int index, int graph);
// After a block: scrolling and XY graphs get one update per row (each row shown as the
// current values), the others one update with the last two rows as previous and current.
void RedrawBoundObjectsForBlock(plotbase::Environment& env, RTTop& top, int index, int graph, const double* rows, int count);
// After a binary update: every object that takes it.
void RedrawBinaryObjects(plotbase::Environment& env, RTTop& top, int index, int graph);

}  // namespace dynaview
