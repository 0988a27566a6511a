// The meters family in the frame: its dialogs, and which of them edits which object.

#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/meters/dialogs/meter_dialog.h"

using namespace dynaview;

namespace {

// The meter of the parameter; anything else reported.
bool isMeter(plotbase::Environment& env, const DVDialogParam& param, const char* dialog) {
    return FindDynObjectOf<Meter>(env, param.graph, param.object, MeterType, std::string(" - ") + dialog) != nullptr;
}

}  // namespace

extern "C" {

DV_API int MeterDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunDialogProcedure(templateName, "Meter", owner, param,
                                       [](plotbase::Environment& env, const DVDialogParam& p, QWidget* window) -> QDialog* {
                                           if (!isMeter(env, p, "Meter")) return nullptr;
                                           return new MeterDialog(env, p.graph, p.object, window);
                                       });
}

DV_API int MeterBackgndDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunDialogProcedure(templateName, "MeterBackground", owner, param,
                                       [](plotbase::Environment& env, const DVDialogParam& p, QWidget* window) -> QDialog* {
                                           if (!isMeter(env, p, "MeterBackground")) return nullptr;
                                           return new MeterBackgroundDialog(env, p.graph, p.object, window);
                                       });
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
