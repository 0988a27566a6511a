// The data link's exported functions and its place in the frame's clean-up.

#include "dynaview/dde/link_state.h"
#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/families.h"
#include "dynaview/include/dynaview.h"

#include <algorithm>
#include <cstring>

using namespace dynaview;
using api::WithTop;

extern "C" {

DV_API uintptr_t WRInitDde(void) {
    return WithTop(std::uintptr_t{0}, "WRInitDde", [](plotbase::Environment& env, RTTop& top) { return InitLink(env, top); });
}

DV_API int WRSetDdeProc(DVDdeProc proc) {
    return WithTop(0, "WRSetDdeProc", [&](plotbase::Environment&, RTTop& top) {
        top.ddeProcedure = proc;
        return 1;
    });
}

DV_API uintptr_t WRConnectDDE(int dataSet, const char* serverCommandLine, const char* serviceName, const char* topic, const char* item,
                              int autoUpdate) {
    return WithTop(std::uintptr_t{0}, "WRConnectDDE", [&](plotbase::Environment& env, RTTop& top) {
        return ConnectLink(env, top, dataSet, serverCommandLine, serviceName, topic, item, autoUpdate);
    });
}

DV_API intptr_t DdeCallback(unsigned type, unsigned format, uintptr_t conversation, uintptr_t string1, uintptr_t string2, uintptr_t data,
                            uintptr_t data1, uintptr_t data2) {
    return api::WithEnvironment(std::intptr_t{0}, [&](plotbase::Environment& env) -> std::intptr_t {
        RTTop* top = TopOf(env);
        if (!top) return 0;
        return HandleLinkEvent(env, *top, type, format, conversation, string1, string2, data, data1, data2);
    });
}

DV_API int dvLinkQueryString(uintptr_t handle, char* buffer, int size) {
    return WithTop(-1, "dvLinkQueryString", [&](plotbase::Environment&, RTTop& top) {
        const std::string* text = LinkStateOf(top).strings.text(handle);
        if (!text) return -1;
        if (buffer && size > 0) {
            const std::size_t copied = std::min(text->size(), static_cast<std::size_t>(size - 1));
            std::memcpy(buffer, text->data(), copied);
            buffer[copied] = '\0';
        }
        return static_cast<int>(std::min<std::size_t>(text->size(), 0x7fffffff));
    });
}

}  // extern "C"

namespace {

// The link goes before the PID loops (20): its conversations feed their data sets.
const FamilyRegistration linkFamily{Family{
    "dde",
    {},
    {},
    10,
    [](plotbase::Environment&, RTTop& top) { top.dropFamilyState(LinkState::FamilyName); },
    nullptr,
}};

}  // namespace
