// Not built yet: the automatic bar chart. Each reports error 137
// with its name and returns 0.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API int WRSetAutoBargraph(int, int, double, double, double, double, double, int, double, double, double, int, int, int16_t*) {
    return NotBuilt("WRSetAutoBargraph");
}

DV_API int WRSetAutoBargraph2(int, int, double, double, double, double, double, int, double, double, double, int, int, int16_t*, int) {
    return NotBuilt("WRSetAutoBargraph2");
}

}  // extern "C"
