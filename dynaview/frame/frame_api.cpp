// The frame's exported functions: start and clean-up, the update timer, deleting objects,
// graphs and pages, picking, record sizes, rescaling.

#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/error_texts.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/object_handlers.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/frame/update_timer.h"
#include "dynaview/include/dynaview.h"
#include "plotbase/graph_widget.h"
#include "plotbase/operations_setup.h"
#include "plotbase/operations_window.h"

using namespace dynaview;
using api::Guarded;
using api::WithEnvironment;

namespace {

// The InitRTTop steps on an accepted environment.
int initTop(plotbase::Environment& env) {
    Library& library = Library::instance();
    const plotbase::Version version = library.plotbaseVersion();
    // 2.57 is the version built against; any 2.5x or later is accepted.
    if (version.major < 2 || (version.major == 2 && version.minor / 10 < 5)) {
        ReportDynError(env, OldPlotbase);
        return 0;
    }
    if (TopOf(env)) return 1;  // never replaced: its data sets may be bound
    if (env.extension) {
        ReportDynError(env, plotbase::InvalidRecord, 2, " - InitRTTop (the environment carries another library's record)");
        return 0;
    }
    env.extension = std::make_unique<RTTop>(env);
    InstallObjectHandlers(env);
    return 1;
}

int deleteObject(plotbase::Environment& env, int graph, int index) {
    plotbase::Graph* g = OpenGraph(env, graph);
    if (!g) return 0;
    plotbase::GraphObject* object = g->objects.at(index);
    if (!object) {
        ReportDynError(env, plotbase::NoSuchObject, 2, " - WRDeleteRTObject");
        return 0;
    }
    if (auto* d = dynamic_cast<DynObject*>(object)) {
        UnregisterTimerUpdate(env, graph, index);
        if (RTTop* top = TopOf(env)) BindDataSet(*top, *d, 0);
    }
    return plotbase::WGDeleteObject(env, graph, index);
}

int deleteGraph(plotbase::Environment& env, int graph) {
    plotbase::Graph* g = OpenGraph(env, graph);
    if (!g) return 0;
    for (int i = g->objects.size(); i >= 1; --i)
        if (g->objects.at(i)) deleteObject(env, graph, i);
    Library::instance().timers.removeAll(&env, graph);
    StopUpdateTimerWhenIdle();
    return plotbase::WGDeleteGraph(env, graph);
}

}  // namespace

extern "C" {

DV_API int InitRTDll(DVEnvironment* handle) {
    return Guarded(0, [&] {
        plotbase::Environment* env = Library::instance().environment(handle);
        if (!env) return 0;
        Library::instance().current = env;
        int result = plotbase::InitDll(*env);
        if (!env->extension) {
            result = initTop(*env);
            if (!result) Library::instance().endProgram();
        }
        return result;
    });
}

DV_API int InitRTTop(DVEnvironment* handle) {
    return Guarded(0, [&] {
        plotbase::Environment* env = Library::instance().environment(handle);
        return env ? initTop(*env) : 0;
    });
}

DV_API int RTCleanup(DVEnvironment* handle) {
    return Guarded(0, [&] {
        Library& library = Library::instance();
        plotbase::Environment* env = library.environment(handle);
        if (!env || (env->extension && !TopOf(*env))) {
            if (library.current) ReportDynError(*library.current, plotbase::InvalidRecord, 2, " - WRCleanup");
            return 0;
        }
        library.current = env;
        if (RTTop* top = TopOf(*env)) {
            Families::instance().cleanup(*env, *top);
            // Bound or not: the objects that showed them find them gone.
            for (int i = 1; i <= MaxDataSets; ++i)
                if (DynDataSet* set = top->dataSets.at(i)) set->referenceCount = 0;
            top->dataSets.clear();
            env->extension.reset();
        }
        return 1;
    });
}

DV_API int StartUpdateTimer(void) {
    return Guarded(0, [] { return StartTimer(); });
}

DV_API int StopUpdateTimer(void) {
    return Guarded(0, [] { return StopTimer(); });
}

DV_API void UpdateTimerProc(DVWindow, unsigned int, uintptr_t, uint32_t time) {
    Guarded(0, [&] {
        TimerTick(time);
        return 0;
    });
}

DV_API int SetObjTimeUpdate(int graph, int object, int period) {
    return WithEnvironment(0, [&](plotbase::Environment& env) {
        if (graph != 0) RegisterTimerUpdate(env, graph, object, period);
        return 0;
    });
}

DV_API int WRStopObjTimeUpdate(int graph, int object) {
    return WithEnvironment(0, [&](plotbase::Environment& env) {
        DynObject* d = FindDynObject(env, graph, object, " - WRStopObjTimeUpdate");
        if (!d) return 0;
        if (!d->timerRefreshed()) {
            ReportWrongType(env, *d, " - WRStopObjTimeUpdate");
            return 0;
        }
        UnregisterTimerUpdate(env, graph, object);
        return 0;
    });
}

DV_API int WRUpdateObj(int graph, int object) {
    return WithEnvironment(0, [&](plotbase::Environment& env) {
        DynObject* d = FindDynObject(env, graph, object, " - WRUpdateObj");
        if (!d || !d->enabled || !d->hasUpdateProcedure()) return 0;
        d->update(ObjectPlace{env, graph, object});
        return 1;
    });
}

DV_API int WRDeleteRTObject(int graph, int object) {
    return WithEnvironment(0, [&](plotbase::Environment& env) { return deleteObject(env, graph, object); });
}

DV_API int WRDeleteRTGraph(int graph) {
    return WithEnvironment(0, [&](plotbase::Environment& env) { return deleteGraph(env, graph); });
}

DV_API int KillRTPage(int page) {
    return WithEnvironment(0, [&](plotbase::Environment& env) {
        plotbase::Page* p = env.page(page);
        if (!p) return 0;
        for (const auto& graph : p->graphs)
            if (graph) deleteGraph(env, graph->handle);
        return plotbase::KillGraphPage(env, page);
    });
}

DV_API int rtObjFind(DVWindow graphWindow) {
    return WithEnvironment(0, [&](plotbase::Environment& env) {
        plotbase::GraphWidget* window = api::GraphWindowOf(env, graphWindow);
        if (!window) return 0;
        return plotbase::ObjFind(env, window->graph()) & 0xFFFF;
    });
}

DV_API int WRGetDynTypeSize(int type) {
    return Guarded(0, [&] { return DynTypeSize(type); });
}

DV_API int RescaleDynObj(int graph, int axis, int object) {
    return WithEnvironment(0, [&](plotbase::Environment& env) { return RescaleObjects(env, graph, axis, object); });
}

}  // extern "C"
