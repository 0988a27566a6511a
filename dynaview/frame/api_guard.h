#pragma once
// The gate of every exported function: called from the owner thread only, nothing thrown
// across the C interface, and the current environment (with its extension) found for the
// body. A call that fails the gate returns the function's refusal value.

#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/library.h"
#include "dynaview/frame/rt_top.h"
#include "dynaview/include/dynaview.h"
#include "plotbase/error_codes.h"

#include <new>
#include <utility>

class QWidget;
namespace plotbase {
class GraphWidget;
}

namespace dynaview::api {

// A window handle from a caller, if it is a live widget (the pointer is compared with the
// application's widgets, never followed before it is known).
QWidget* KnownWidget(DVWindow window);
// The same for a graph window of the environment.
plotbase::GraphWidget* GraphWindowOf(plotbase::Environment& env, DVWindow window);

// Whether the caller runs on the thread of the Qt application (any thread without one).
bool OnOwnerThread();

// Runs body() on the owner thread, turning anything thrown into the refusal (a failed
// allocation is reported as "not enough memory").
template <typename R, typename Body>
R Guarded(R refused, Body&& body) noexcept {
    if (!OnOwnerThread()) return refused;
    try {
        return std::forward<Body>(body)();
    } catch (const std::bad_alloc&) {
        try {
            if (plotbase::Environment* env = Library::instance().current) ReportDynError(*env, plotbase::OutOfMemory);
        } catch (...) {
        }
        return refused;
    } catch (...) {
        return refused;
    }
}

// The body gets the current environment; without one the call is refused silently (there
// is nowhere to report to).
template <typename R, typename Body>
R WithEnvironment(R refused, Body&& body) noexcept {
    return Guarded(refused, [&]() -> R {
        plotbase::Environment* env = Library::instance().current;
        if (!env) return refused;
        return body(*env);
    });
}

// The body gets the current environment and its extension; without an extension the call
// is refused with plotbase error 30 and the operation's name.
template <typename R, typename Body>
R WithTop(R refused, const char* operation, Body&& body) noexcept {
    return WithEnvironment(refused, [&](plotbase::Environment& env) -> R {
        RTTop* top = TopOf(env);
        if (!top) {
            ReportDynError(env, plotbase::InvalidRecord, 2, std::string(" - ") + operation);
            return refused;
        }
        return body(env, *top);
    });
}

}  // namespace dynaview::api
