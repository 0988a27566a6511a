// Not built yet: saving dynaview's objects in plotbase's page files (issue 14). Each
// function reports error 137 with its name and returns 0. The family's own folder replaces
// this file.

#include "dynaview/frame/not_built.h"
#include "dynaview/include/dynaview.h"

using dynaview::NotBuilt;

extern "C" {

DV_API int SaveDynObject(void*, int, int) {
    return NotBuilt("SaveDynObject");
}

DV_API int RestoreDynObject(void*, int, int, int) {
    return NotBuilt("RestoreDynObject");
}

}  // extern "C"
