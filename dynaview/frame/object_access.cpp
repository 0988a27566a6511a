#include "dynaview/frame/object_access.h"

#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/type_sizes.h"
#include "plotbase/error_codes.h"
#include "plotbase/error_report.h"
#include "plotbase/operations_setup.h"

#include <vector>

namespace dynaview {

DynDataSet* DynObject::dataSet(const RTTop* top) const {
    if (!top || !dataSetRecord) return nullptr;
    DynDataSet* set = top->dataSets.at(dataSetIndex);
    return set == dataSetRecord ? set : nullptr;
}

plotbase::Graph* GraphIfOpen(plotbase::Environment& env, int graph) {
    plotbase::Graph* g = env.graph(graph);
    return g && g->open ? g : nullptr;
}

plotbase::Graph* OpenGraph(plotbase::Environment& env, int graph) {
    plotbase::Graph* g = GraphIfOpen(env, graph);
    if (!g) ReportDynError(env, plotbase::GraphNotOpen);
    return g;
}

namespace {

// " - WRGetAlmLineState" names the operation "WRGetAlmLineState" for plotbase's report.
std::string_view operationOf(std::string_view suffix) {
    constexpr std::string_view dash = " - ";
    return suffix.substr(0, dash.size()) == dash ? suffix.substr(dash.size()) : suffix;
}

}  // namespace

DynObject* FindDynObject(plotbase::Environment& env, int graph, int index, std::string_view suffix) {
    plotbase::Graph* g = OpenGraph(env, graph);
    if (!g) return nullptr;
    auto* object = dynamic_cast<DynObject*>(g->objects.at(index));
    if (!object) {
        // A plotbase object where a dynamic one is asked for is not one of ours either.
        if (plotbase::GraphObject* other = g->objects.at(index))
            plotbase::ReportWrongObjectType(env, *other, operationOf(suffix));
        else
            ReportDynError(env, plotbase::NoSuchObject, 2, suffix);
        return nullptr;
    }
    return object;
}

void ReportWrongType(plotbase::Environment& env, const DynObject& object, std::string_view suffix) {
    plotbase::ReportWrongObjectType(env, object, operationOf(suffix));
}

bool CreatorAllowed(const plotbase::Environment& env) { return !env.stop; }

int AddDynObject(plotbase::Environment& env, int graph, std::unique_ptr<DynObject> object) {
    if (!object) return 0;
    if (!OpenGraph(env, graph)) return 0;
    if (env.stop) return 0;
    if (DynTypeSize(object->type) == 0) {
        ReportDynError(env, plotbase::NoSuchObject);
        return 0;
    }
    object->enabled = true;
    return plotbase::WGInsertObject(env, graph, std::move(object));
}

void BindDataSet(RTTop& top, DynObject& object, int dataSet) {
    if (DynDataSet* old = object.dataSet(&top)) --old->referenceCount;
    object.dataSetIndex = 0;
    object.dataSetRecord = nullptr;
    if (DynDataSet* set = top.dataSets.at(dataSet)) {
        ++set->referenceCount;
        object.dataSetIndex = dataSet;
        object.dataSetRecord = set;
    }
}

void ForEachDynObject(plotbase::Environment& env, int graph, const std::function<void(const ObjectPlace&, DynObject&)>& visit) {
    struct Visit {
        int graph;
        int index;
        const void* record;
    };
    std::vector<Visit> visits;
    auto collect = [&](const plotbase::Graph& g) {
        for (int i = 1; i <= g.objects.size(); ++i)
            if (auto* object = dynamic_cast<DynObject*>(g.objects.at(i))) visits.push_back({g.handle, i, object});
    };
    if (graph != 0) {
        if (const plotbase::Graph* g = GraphIfOpen(env, graph)) collect(*g);
    } else {
        // Every page there is, 1 to 60, and its 16 graph slots.
        for (int number = 1; number <= plotbase::MaxPages; ++number) {
            const plotbase::Page* page = env.page(number);
            if (!page || !page->inUse) continue;
            for (const auto& g : page->graphs)
                if (g && g->open) collect(*g);
        }
    }
    for (const Visit& v : visits) {
        plotbase::Graph* g = GraphIfOpen(env, v.graph);
        if (!g || g->objects.at(v.index) != v.record) continue;
        visit(ObjectPlace{env, v.graph, v.index}, *static_cast<DynObject*>(g->objects.at(v.index)));
    }
}

RTTop* TopOrReport(plotbase::Environment& env, std::string_view operation) {
    RTTop* top = TopOf(env);
    if (!top) ReportDynError(env, plotbase::InvalidRecord, 2, operation);
    return top;
}

}  // namespace dynaview
