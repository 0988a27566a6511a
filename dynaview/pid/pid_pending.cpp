// Not built yet: the PID dialog. Each reports error 137 with its name and returns 0.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API int WREditPIDDlg(int) { return NotBuilt("WREditPIDDlg"); }
DV_API int PIDDlgProc(const char*, DVWindow, const DVDialogParam*) { return NotBuilt("PIDDlgProc"); }

}  // extern "C"
