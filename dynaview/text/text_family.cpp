// The text family in the frame: its dialogs, and which of them edits which object.

#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/text/dialogs/dyn_text_dialog.h"
#include "dynaview/text/dialogs/message_dialog.h"
#include "plotbase/error_codes.h"

using namespace dynaview;

extern "C" {

DV_API int DynTextDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunObjectDialog<DynTextDialog>(templateName, "DynText", owner, param, TextType, DynamicTextSubtype);
}

DV_API int MessageDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunObjectDialog<MessageDialog>(templateName, "Message", owner, param, MessageType, MessageSubtype);
}

}  // extern "C"

namespace {

const FamilyRegistration textFamily{Family{
    "text",
    {
        {TextType, DynamicTextSubtype, "DynText"},
        {MessageType, AnySubtype, "Message"},
    },
    {
        {"DynText", "Dynamic Text", DynTextDlgProc},
        {"Message", "Message Parameters", MessageDlgProc},
    },
}};

}  // namespace
