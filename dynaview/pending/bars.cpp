// Not built yet: the bar graphs (issue 13). Each function reports error 137 with its name and
// returns 0. The family's own folder replaces this file.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API int WRSetBargraph(int, int, double, int, double, double, double, const int*, const int*, const int*) {
    return NotBuilt("WRSetBargraph");
}

DV_API int WRSetAutoBargraph(int, int, double, double, double, double, double, int, double, double, double, int, int, int16_t*) {
    return NotBuilt("WRSetAutoBargraph");
}

DV_API int WRSetAutoBargraph2(int, int, double, double, double, double, double, int, double, double, double, int, int, int16_t*, int) {
    return NotBuilt("WRSetAutoBargraph2");
}

DV_API int DynBarsDlgProc(const char*, DVWindow, const DVDialogParam*) {
    return NotBuilt("DynBarsDlgProc");
}

}  // extern "C"
