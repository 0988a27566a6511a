// Not built yet: the PID loops (issue 13). Each function reports error 137 with its name and
// returns 0. The family's own folder replaces this file.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API int WRDefinePID(int, int, const char*, double, double, double, double, double, double, double, double, double, double, double, double, double, double, int) {
    return NotBuilt("WRDefinePID");
}

DV_API int WRDeletePID(int, int) {
    return NotBuilt("WRDeletePID");
}

DV_API int WRCalcPID(int, double, double*) {
    return NotBuilt("WRCalcPID");
}

DV_API int WRChangePIDSetp(int, double) {
    return NotBuilt("WRChangePIDSetp");
}

DV_API int WRGetPIDSetp(int, double*) {
    return NotBuilt("WRGetPIDSetp");
}

DV_API int WRGetPIDAutoState(int) {
    return NotBuilt("WRGetPIDAutoState");
}

DV_API int WRChangePIDAutoState(int, int) {
    return NotBuilt("WRChangePIDAutoState");
}

DV_API int WRChangePIDOut(int, double) {
    return NotBuilt("WRChangePIDOut");
}

DV_API int WRChangePIDConstants(int, double, double, double) {
    return NotBuilt("WRChangePIDConstants");
}

DV_API int WRGetPIDConstants(int, double*, double*, double*) {
    return NotBuilt("WRGetPIDConstants");
}

DV_API int WRChangePIDSteadyState(int, double) {
    return NotBuilt("WRChangePIDSteadyState");
}

DV_API int WREditPIDDlg(int) {
    return NotBuilt("WREditPIDDlg");
}

DV_API int WRSetPIDBargraph(int, int) {
    return NotBuilt("WRSetPIDBargraph");
}

DV_API int WRSetPIDBargraph2(int, int, int) {
    return NotBuilt("WRSetPIDBargraph2");
}

DV_API int PIDDlgProc(const char*, DVWindow, const DVDialogParam*) {
    return NotBuilt("PIDDlgProc");
}

}  // extern "C"
