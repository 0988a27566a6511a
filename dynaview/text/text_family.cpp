// The text family in the frame: its dialogs, and which of them edits which object.

#include "dynaview/frame/families.h"
#include "dynaview/frame/not_built.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/include/dynaview.h"

using namespace dynaview;

extern "C" {

DV_API int DynTextDlgProc(const char*, DVWindow, const DVDialogParam*) { return NotBuilt("DynTextDlgProc"); }

DV_API int MessageDlgProc(const char*, DVWindow, const DVDialogParam*) { return NotBuilt("MessageDlgProc"); }

}  // extern "C"
