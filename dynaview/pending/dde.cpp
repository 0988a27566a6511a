// Not built yet: the data link (issue 14). Each function reports error 137 with its name and
// returns 0. The family's own folder replaces this file.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API uintptr_t WRInitDde(void) {
    return static_cast<uintptr_t>(NotBuilt("WRInitDde"));
}

DV_API int WRSetDdeProc(DVDdeProc) {
    return NotBuilt("WRSetDdeProc");
}

DV_API uintptr_t WRConnectDDE(int, const char*, const char*, const char*, const char*, int) {
    return static_cast<uintptr_t>(NotBuilt("WRConnectDDE"));
}

DV_API intptr_t DdeCallback(unsigned, unsigned, uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t, uintptr_t) {
    return static_cast<intptr_t>(NotBuilt("DdeCallback"));
}

}  // extern "C"
