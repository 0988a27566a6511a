// Not built yet: the meters (issue 13). Each function reports error 137 with its name and
// returns 0. The family's own folder replaces this file.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API int WRSetMeter(int, int, int, double, double, double, double, double, int, int, int, const int*, double, double, int, int, int, int, int, int, double, const int*) {
    return NotBuilt("WRSetMeter");
}

DV_API int WRSetArcMeter(int, int, int, double, double, double, double, double, double, int, int, int, int, double, double, double, int, int, int, int, int, int, double, const int*) {
    return NotBuilt("WRSetArcMeter");
}

DV_API int WRSetPieMeter(int, int, int, double, double, double, double, double, double, int, int, int, int, double, double, int, int, int, int, double, const int*) {
    return NotBuilt("WRSetPieMeter");
}

DV_API int WRSetMeterBorder(int, int, double, double, double, double, int, int, int, int) {
    return NotBuilt("WRSetMeterBorder");
}

DV_API int WRChangeMeterRange(int, int, double, double, double, int) {
    return NotBuilt("WRChangeMeterRange");
}

DV_API int WRGetMeterRange(int, int, double*, double*, double*) {
    return NotBuilt("WRGetMeterRange");
}

DV_API int WRChangeMeterTicks(int, int, double, double, int, int, int) {
    return NotBuilt("WRChangeMeterTicks");
}

DV_API int WRGetMeterTicks(int, int, double*, double*, int*, int*) {
    return NotBuilt("WRGetMeterTicks");
}

DV_API int WRGetMeterCenter(int, int, double*, double*, double*) {
    return NotBuilt("WRGetMeterCenter");
}

DV_API int WRChangeMeterCenter(int, int, double, double, double, int) {
    return NotBuilt("WRChangeMeterCenter");
}

DV_API int WRGetMeterAngles(int, int, int*, int*) {
    return NotBuilt("WRGetMeterAngles");
}

DV_API int WRChangeMeterAngles(int, int, int, int, int) {
    return NotBuilt("WRChangeMeterAngles");
}

DV_API int MapMeter(int, void*, int, int) {
    return NotBuilt("MapMeter");
}

DV_API int MeterBackgndDlgProc(const char*, DVWindow, const DVDialogParam*) {
    return NotBuilt("MeterBackgndDlgProc");
}

DV_API int MeterDlgProc(const char*, DVWindow, const DVDialogParam*) {
    return NotBuilt("MeterDlgProc");
}

}  // extern "C"
