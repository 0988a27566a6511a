// Not built yet: the text objects (issue 13). Each function reports error 137 with its name and
// returns 0. The family's own folder replaces this file.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API int WRSetDynText(int, int, int, double, double, double, double, int, int, const int*, int, int, int, int, int, int) {
    return NotBuilt("WRSetDynText");
}

DV_API int WRSetAutoText(int, int, double, double, double, double, int, int16_t*) {
    return NotBuilt("WRSetAutoText");
}

DV_API int WRSetAutoText2(int, int, double, double, double, double, int, int16_t*, int) {
    return NotBuilt("WRSetAutoText2");
}

DV_API int WRSetAnnun(int, int, const char*, double, double, double, double, int) {
    return NotBuilt("WRSetAnnun");
}

DV_API int WRSetAnnun2(int, int, const char*, double, double, double, double, int, int) {
    return NotBuilt("WRSetAnnun2");
}

DV_API int WRSetMessage(int, int, int, double, double, int, int, int, int, const char*, const int*) {
    return NotBuilt("WRSetMessage");
}

DV_API int WRGetMessageParams(int, int, const char**, int*, int) {
    return NotBuilt("WRGetMessageParams");
}

DV_API int WRChangeMessage(int, int, const char*, int, int) {
    return NotBuilt("WRChangeMessage");
}

DV_API int WRGetDynTextColor(int, int, int, int*) {
    return NotBuilt("WRGetDynTextColor");
}

DV_API int WRChangeDynTextColor(int, int, int, int) {
    return NotBuilt("WRChangeDynTextColor");
}

DV_API int WRGetAnnVal(int, int, int) {
    return NotBuilt("WRGetAnnVal");
}

DV_API int WRGetAnnAlm(int, int, int) {
    return NotBuilt("WRGetAnnAlm");
}

DV_API int WRGetAnnUnits(int, int, int) {
    return NotBuilt("WRGetAnnUnits");
}

DV_API int WRGetAnnTitle(int, int) {
    return NotBuilt("WRGetAnnTitle");
}

DV_API int WRGetAnnTag(int, int, int) {
    return NotBuilt("WRGetAnnTag");
}

DV_API int DynTextDlgProc(const char*, DVWindow, const DVDialogParam*) {
    return NotBuilt("DynTextDlgProc");
}

DV_API int MessageDlgProc(const char*, DVWindow, const DVDialogParam*) {
    return NotBuilt("MessageDlgProc");
}

}  // extern "C"
