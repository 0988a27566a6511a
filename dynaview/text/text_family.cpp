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

namespace {

// The object of the parameter if it has the type and subtype; else reported.
bool isObjectOf(plotbase::Environment& env, const DVDialogParam& param, std::int16_t type, int subtype, const char* dialog) {
    const std::string suffix = std::string(" - ") + dialog;
    DynObject* d = FindDynObject(env, param.graph, param.object, suffix);
    if (!d) return false;
    if (d->type != type || d->subtype != subtype) {
        ReportWrongType(env, *d, suffix);
        return false;
    }
    return true;
}

}  // namespace

extern "C" {

DV_API int DynTextDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunDialogProcedure(templateName, "DynText", owner, param,
                                       [](plotbase::Environment& env, const DVDialogParam& p, QWidget* window) -> QDialog* {
                                           if (!isObjectOf(env, p, TextType, DynamicTextSubtype, "DynText")) return nullptr;
                                           return new DynTextDialog(env, p.graph, p.object, window);
                                       });
}

DV_API int MessageDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunDialogProcedure(templateName, "Message", owner, param,
                                       [](plotbase::Environment& env, const DVDialogParam& p, QWidget* window) -> QDialog* {
                                           if (!isObjectOf(env, p, MessageType, MessageSubtype, "Message")) return nullptr;
                                           return new MessageDialog(env, p.graph, p.object, window);
                                       });
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
