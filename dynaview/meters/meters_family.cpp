// The meters family in the frame: its dialogs, and which of them edits which object.

#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/meters/dialogs/meter_dialog.h"

using namespace dynaview;

extern "C" {

DV_API int MeterDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunObjectDialog<MeterDialog>(templateName, "Meter", owner, param, MeterType, AnySubtype);
}

DV_API int MeterBackgndDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunObjectDialog<MeterBackgroundDialog>(templateName, "MeterBackground", owner, param, MeterType, AnySubtype);
}

}  // extern "C"

namespace {

const FamilyRegistration metersFamily{Family{
    "meters",
    {
        {MeterType, AnySubtype, "Meter"},
    },
    {
        {"Meter", "Meter Parameters", MeterDlgProc},
        {"MeterBackground", "Meter Background", MeterBackgndDlgProc},
    },
}};

}  // namespace
