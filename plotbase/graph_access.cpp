#include "plotbase/graph_access.h"

#include "plotbase/graph_widget.h"

namespace plotbase::detail {

Graph* openGraph(Environment& env, int handle) {
    Graph* graph = env.graph(handle);
    if (!graph || !graph->open) {
        ReportError(env, GraphNotOpen, MessageOnly);
        return nullptr;
    }
    return graph;
}

int addObject(Environment& env, Graph& graph, std::unique_ptr<GraphObject> object) {
    const GraphObject* record = object.get();
    const int index = graph.objects.insert(std::move(object));
    env.records.add(record);
    graph.currentObject = index;
    return index;
}

void removeObject(Environment& env, Graph& graph, int index) {
    auto object = graph.objects.remove(index);
    if (!object) return;
    env.records.remove(object.get());
    if (graph.currentObject == index) graph.currentObject = 0;
    if (graph.currentXAxis == index) graph.currentXAxis = 0;
    if (graph.currentYAxis == index) graph.currentYAxis = 0;
    if (graph.selected == index) graph.selected = 0;
    if (graph.highlighted == index) graph.highlighted = 0;
}

Axis* axisOf(Environment& env, Graph& graph, int index) {
    return objectOfType<Axis>(env, graph, index, AxisType, NoSuchAxis);
}

void repaint(const Graph& graph) {
    if (auto* window = qobject_cast<GraphWidget*>(graph.window.data()))
        window->invalidatePicture();
    else if (graph.window)
        graph.window->update();
}

}  // namespace plotbase::detail
