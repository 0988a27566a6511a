// The exported page-file functions: one object's record to and from a C stream, and whole
// pages to and from a file for C and Python programs.

#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/saverestore/page_handlers.h"
#include "plotbase/error_codes.h"
#include "plotbase/error_report.h"
#include "plotbase/page_file.h"

#include <cstdio>
#include <string>

using namespace dynaview;
using api::Refuse;
using api::WithTop;

namespace {

bool readExactly(std::FILE* file, std::string& into, std::size_t count) {
    const std::size_t start = into.size();
    into.resize(start + count);
    return count == 0 || std::fread(into.data() + start, 1, count, file) == count;
}

int refuseRecord(plotbase::Environment& env, const std::string& why) {
    ReportDynError(env, plotbase::PageFileRead, 2, ": " + why);
    return 0;
}

template <typename Body>
int withAccepted(DVEnvironment* handle, Body&& body) {
    return api::Guarded(0, [&] {
        plotbase::Environment* env = Library::instance().environment(handle);
        return env ? body(*env) : 0;
    });
}

}  // namespace

extern "C" {

DV_API int SaveDynObject(void* file, int graph, int object) {
    return WithTop(0, "SaveDynObject", [&](plotbase::Environment& env, RTTop&) {
        const DynObject* d = FindDynObject(env, graph, object, " - SaveDynObject");
        if (!d) return 0;
        if (!file) return Refuse(env, "SaveDynObject");
        const auto record = RecordOf(env, graph, *d);
        if (!record) return 0;
        const std::string bytes = EncodeRecord(*record);
        const std::size_t fixed = FixedPartLength(d->type);
        auto* out = static_cast<std::FILE*>(file);
        const bool whole = std::fwrite(bytes.data(), 1, fixed, out) == fixed;
        // The arrays are written regardless, as the record's reader expects them.
        std::fwrite(bytes.data() + fixed, 1, bytes.size() - fixed, out);
        return whole ? 1 : 0;
    });
}

DV_API int RestoreDynObject(void* file, int graph, int type, int length) {
    return WithTop(0, "RestoreDynObject", [&](plotbase::Environment& env, RTTop&) {
        if (!file) return Refuse(env, "RestoreDynObject");
        if (!HasSavedForm(type)) return 0;
        if (!OpenGraph(env, graph)) return 0;
        const std::size_t fixed = FixedPartLength(type);
        if (length != static_cast<int>(fixed))
            return refuseRecord(env, "a record of type " + std::to_string(type) + " with length " + std::to_string(length));
        auto* in = static_cast<std::FILE*>(file);
        std::string bytes{static_cast<char>(length & 0xff), static_cast<char>(length >> 8), static_cast<char>(type & 0xff),
                          static_cast<char>(type >> 8)};
        std::string why;
        if (!readExactly(in, bytes, fixed - 4)) return refuseRecord(env, "the record is cut short");
        const auto arrays = ArrayBytesAfter(type, bytes, why);
        if (!arrays) return refuseRecord(env, why);
        if (!readExactly(in, bytes, *arrays)) return refuseRecord(env, "the record is cut short");
        const auto record = DecodeRecord(type, bytes, why);
        if (!record) return refuseRecord(env, why);
        return RestoreRecord(env, graph, *record);
    });
}

DV_API int dvSavePage(DVEnvironment* handle, int page, const char* path) {
    return withAccepted(handle, [&](plotbase::Environment& env) {
        if (!path || !*path) {
            plotbase::ReportError(env, plotbase::InvalidArgument, plotbase::TextAfter, " - dvSavePage");
            return 0;
        }
        return plotbase::WGSavePage(env, page, path);
    });
}

DV_API int dvOpenPage(DVEnvironment* handle, DVWindow host, const char* path) {
    return withAccepted(handle, [&](plotbase::Environment& env) {
        QWidget* window = api::KnownWidget(host);
        if (!window || !path || !*path) {
            plotbase::ReportError(env, window ? plotbase::InvalidArgument : plotbase::NoHostWindow, plotbase::TextAfter, " - dvOpenPage");
            return 0;
        }
        return plotbase::WGRestorePage(env, path, window);
    });
}

}  // extern "C"
