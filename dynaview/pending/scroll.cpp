// Not built yet: the scrolling graphs (issue 12). Each function reports error 137 with its name and
// returns 0. The family's own folder replaces this file.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API int WRSetScrollGraph(int, int, double, double, int, int, const int*, const int*, const int*) {
    return NotBuilt("WRSetScrollGraph");
}

DV_API int WRSetAutoScrollGraph(int, int, double, double, double, double, double, double, int, int, double, double, int, int16_t*) {
    return NotBuilt("WRSetAutoScrollGraph");
}

DV_API int WRSetAutoScrollGraph2(int, int, double, double, double, double, double, double, int, int, double, double, int, int16_t*, int) {
    return NotBuilt("WRSetAutoScrollGraph2");
}

DV_API int WRSetVarScroll(int, int, double, int, int, const int*, const int*, const int*) {
    return NotBuilt("WRSetVarScroll");
}

DV_API int WRResetScroll(int, int) {
    return NotBuilt("WRResetScroll");
}

DV_API int WRShowHist(int, int, double, double*) {
    return NotBuilt("WRShowHist");
}

DV_API int WRResumeScroll(int, int) {
    return NotBuilt("WRResumeScroll");
}

DV_API int WRMoveHistScroll(int, int, double, double*) {
    return NotBuilt("WRMoveHistScroll");
}

DV_API int WRSetSweepGraph(int, int, double, int, int, int, const int*, const int*, const int*) {
    return NotBuilt("WRSetSweepGraph");
}

DV_API int WRSetXYGraph(int, int, int, const int*, const int*, const int*) {
    return NotBuilt("WRSetXYGraph");
}

DV_API int WRSetStackedGraph(int, int, double, double, int, int, const int*, const int*, const int*) {
    return NotBuilt("WRSetStackedGraph");
}

DV_API int WRSetLogicGraph(int, int, double, double, int, int, const int*, const int*, const int*) {
    return NotBuilt("WRSetLogicGraph");
}

DV_API int WRLogicTags(int, int, const char*) {
    return NotBuilt("WRLogicTags");
}

DV_API int WRLogicTagsPtr(int, int, const char* const*) {
    return NotBuilt("WRLogicTagsPtr");
}

DV_API int WRSetScrollBargraph(int, int, int, double, double, int, double, int, int) {
    return NotBuilt("WRSetScrollBargraph");
}

DV_API int WRChangeScrollGraph(int, int, double, double, int) {
    return NotBuilt("WRChangeScrollGraph");
}

DV_API int WRGetScrollGraphParams(int, int, double*, double*, int*) {
    return NotBuilt("WRGetScrollGraphParams");
}

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
