// Not built yet: the controls (issue 13). Each function reports error 137 with its name and
// returns 0. The family's own folder replaces this file.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API int WRSetScrBarControl(int, double, double, double, double, int, int, int, int) {
    return NotBuilt("WRSetScrBarControl");
}

DV_API int WRSetScrollPos(int, int, int) {
    return NotBuilt("WRSetScrollPos");
}

DV_API int WRGetScrollPos(int, int) {
    return NotBuilt("WRGetScrollPos");
}

DV_API int WRGetScrBar(int, int, int*, int*, int*) {
    return NotBuilt("WRGetScrBar");
}

DV_API int WRChangeScrBar(int, int, int, int, int) {
    return NotBuilt("WRChangeScrBar");
}

DV_API int WRSetButtonControl(int, const char*, double, double, double, double, int, int) {
    return NotBuilt("WRSetButtonControl");
}

DV_API int WRSetButtonGroup(int, int, const char*, double, double, double, double, int) {
    return NotBuilt("WRSetButtonGroup");
}

DV_API int WRSetLEDControl(int, double, double, double, int, int) {
    return NotBuilt("WRSetLEDControl");
}

DV_API int WRGetButtonState(int, int, int) {
    return NotBuilt("WRGetButtonState");
}

DV_API int WRChangeButtonState(int, int, int, int) {
    return NotBuilt("WRChangeButtonState");
}

DV_API int WRChangeButtonColor(int, int, int) {
    return NotBuilt("WRChangeButtonColor");
}

DV_API int WRGetButtonColor(int, int) {
    return NotBuilt("WRGetButtonColor");
}

DV_API DVWindow WRGetButtonWindow(int, int) {
    NotBuilt("WRGetButtonWindow");
    return nullptr;
}

DV_API intptr_t DVChildControlProc(DVWindow, unsigned int, uintptr_t, intptr_t) {
    return static_cast<intptr_t>(NotBuilt("DVChildControlProc"));
}

DV_API int ButtonDelayEnd(int, int) {
    return NotBuilt("ButtonDelayEnd");
}

}  // extern "C"
