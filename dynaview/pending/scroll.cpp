// Not built yet: WRAutoRescale (with the time axes). It reports error 137 with its name and
// returns 0.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API int WRAutoRescale(int, int) {
    return NotBuilt("WRAutoRescale");
}

}  // extern "C"
