#pragma once
// The two refusals exported functions share: an index that names no data set, and an
// argument the operation cannot take. Both report with the operation's name.

#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/rt_top.h"
#include "plotbase/error_codes.h"

#include <string>

namespace dynaview::api {

// The defined data set at the index, or null after reporting "no such data set".
inline DynDataSet* DataSetOrReport(plotbase::Environment& env, RTTop& top, int index, const char* operation) {
    DynDataSet* set = top.dataSets.at(index);
    if (!set) ReportDynError(env, plotbase::NoSuchDataSet, 2, std::string(" - ") + operation);
    return set;
}

// Reports an argument the operation cannot take; returns the refusal value 0.
inline int Refuse(plotbase::Environment& env, const char* operation) {
    ReportDynError(env, plotbase::InvalidArgument, 2, std::string(" - ") + operation);
    return 0;
}

}  // namespace dynaview::api
