// Not built yet: the time axes and labels, dynamic grid and legend (issue 12). Each function reports error 137 with its name and
// returns 0. The family's own folder replaces this file.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API int WRDrawTimeAxis(int, double, int, int, double, int, int) {
    return NotBuilt("WRDrawTimeAxis");
}

DV_API int WRLabelTimeAxis(int, int, int, int, int, int, int, int, double, int, const char*) {
    return NotBuilt("WRLabelTimeAxis");
}

DV_API int WRStartTimeLabelsUpdate(int, int, int) {
    return NotBuilt("WRStartTimeLabelsUpdate");
}

DV_API int WRStopTimeLabelsUpdate(int, int, int) {
    return NotBuilt("WRStopTimeLabelsUpdate");
}

DV_API int WRUpdateTimeLabels(int, int, double) {
    return NotBuilt("WRUpdateTimeLabels");
}

DV_API int WRResetTimeLabels(int, int, double) {
    return NotBuilt("WRResetTimeLabels");
}

DV_API int WRChangeTimeLabelsFormat(int, int, int) {
    return NotBuilt("WRChangeTimeLabelsFormat");
}

DV_API int WRDynGrid(int, int, int, int) {
    return NotBuilt("WRDynGrid");
}

DV_API int WRDynLegend(int, int, double, double, int) {
    return NotBuilt("WRDynLegend");
}

DV_API int WRDynLegendPtr(int, int, double, double, int, const char* const*) {
    return NotBuilt("WRDynLegendPtr");
}

DV_API int TextItemCoords(int, int, int, double*, double*) {
    return NotBuilt("TextItemCoords");
}

DV_API int TimeAxisDlgProc(const char*, DVWindow, const DVDialogParam*) {
    return NotBuilt("TimeAxisDlgProc");
}

DV_API int TimeLabelsDlgProc(const char*, DVWindow, const DVDialogParam*) {
    return NotBuilt("TimeLabelsDlgProc");
}

}  // extern "C"
