// Not built yet: the dynamic grid, the legend and the time dialogs (issue 12). Each function reports error 137 with its name and
// returns 0. The family's own folder replaces this file.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

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
