#pragma once
// Reaching graphs and objects for the frame and the families: finding them with the
// failure reported, creating objects (the shared steps of every creator), binding them to
// data sets, and walking the objects of one graph or of every page.

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/rt_top.h"
#include "plotbase/environment.h"

#include <functional>
#include <memory>
#include <string_view>

namespace dynaview {

// The open graph, or null after reporting plotbase error 32.
plotbase::Graph* OpenGraph(plotbase::Environment& env, int graph);
// The open graph without reporting anything.
plotbase::Graph* GraphIfOpen(plotbase::Environment& env, int graph);

// The dynamic object at the index; null after reporting: no such graph (32), no such
// object (56, with `suffix` after the message).
DynObject* FindDynObject(plotbase::Environment& env, int graph, int index, std::string_view suffix = {});
// The same for an object of one type; another type is refused through plotbase's
// wrong-object-type report.
template <typename T>
T* FindDynObjectOf(plotbase::Environment& env, int graph, int index, std::int16_t type, std::string_view suffix = {});

// Creators call this first: while the stop flag is set nothing is created and nothing is
// shown.
bool CreatorAllowed(const plotbase::Environment& env);
// The shared steps of creation: the graph must be open (error 32); the type must have a
// record size (error 56); the object goes into the graph's table with the graph's current
// drawing attributes, enabled, and becomes the graph's current object. Returns its index,
// or 0 (also, silently, while the stop flag is set).
int AddDynObject(plotbase::Environment& env, int graph, std::unique_ptr<DynObject> object);

// Binds the object to a data set (its reference count goes up), or unbinds it (index 0).
void BindDataSet(RTTop& top, DynObject& object, int dataSet);

// Calls `visit` for every dynamic object of one graph (graph != 0) or of every graph of
// every page, in page, slot and table order. Objects deleted or replaced by an earlier
// visit are skipped.
void ForEachDynObject(plotbase::Environment& env, int graph, const std::function<void(const ObjectPlace&, DynObject&)>& visit);

// The environment's extension, or null after reporting plotbase error 30.
RTTop* TopOrReport(plotbase::Environment& env, std::string_view operation);

// --- template definition ---
void ReportWrongType(plotbase::Environment& env, const DynObject& object, std::string_view suffix);

template <typename T>
T* FindDynObjectOf(plotbase::Environment& env, int graph, int index, std::int16_t type, std::string_view suffix) {
    DynObject* object = FindDynObject(env, graph, index, suffix);
    if (!object) return nullptr;
    if (object->type != type) {
        ReportWrongType(env, *object, suffix);
        return nullptr;
    }
    return dynamic_cast<T*>(object);
}

}  // namespace dynaview
