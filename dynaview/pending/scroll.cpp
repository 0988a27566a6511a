// Not built yet: the scrolling graphs' dialogs (issue 12) and WRAutoRescale (with the time
// axes). Each function reports error 137 with its name and returns 0. The family's own folder replaces this file.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API int WRAutoRescale(int, int) {
    return NotBuilt("WRAutoRescale");
}

DV_API int ScrollGraphDlgProc(const char*, DVWindow, const DVDialogParam*) {
    return NotBuilt("ScrollGraphDlgProc");
}

DV_API int ScrollBarDlgProc(const char*, DVWindow, const DVDialogParam*) {
    return NotBuilt("ScrollBarDlgProc");
}

}  // extern "C"
