#pragma once
// Shared steps of the operations: finding a graph or an object with the failure reported,
// and adding and removing objects.

#include "plotbase/environment.h"
#include "plotbase/error_codes.h"
#include "plotbase/error_report.h"
#include "plotbase/palette.h"

#include <memory>

namespace plotbase::detail {

// The open graph, or nothing after reporting "no such graph".
Graph* openGraph(Environment& env, int handle);
// Stores the object (already carrying its attributes and links) and makes it current.
int addObject(Environment& env, Graph& graph, std::unique_ptr<GraphObject> object);
// A new object with the graph's current attributes.
template <typename T, typename... Args>
std::unique_ptr<T> newObject(const Graph& graph, Args&&... args) {
    auto object = std::make_unique<T>(std::forward<Args>(args)...);
    object->attributes = graph.current;
    object->page = graph.page;
    return object;
}
void removeObject(Environment& env, Graph& graph, int index);
// The object at index if it has the type; otherwise nothing, after reporting `missingCode`
// (or the wrong type when something else is there).
template <typename T>
T* objectOfType(Environment& env, Graph& graph, int index, std::int16_t type, int missingCode) {
    GraphObject* object = graph.objects.at(index);
    if (!object) {
        ReportError(env, missingCode, MessageOnly);
        return nullptr;
    }
    if (object->type != type) {
        ReportWrongObjectType(env, *object);
        return nullptr;
    }
    return static_cast<T*>(object);
}
Axis* axisOf(Environment& env, Graph& graph, int index);
void repaint(const Graph& graph);

}  // namespace plotbase::detail
