#include "dynaview/frame/not_built.h"

#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/error_texts.h"

namespace dynaview {

int NotBuilt(const char* function) {
    return api::WithEnvironment(0, [&](plotbase::Environment& env) {
        ReportDynError(env, NotBuiltYet, 2, function);
        return 0;
    });
}

}  // namespace dynaview
