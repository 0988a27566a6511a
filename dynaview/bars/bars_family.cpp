// The bar graphs in the frame: the "DynBars" dialog, which edits them.

#include "dynaview/bars/bar_graph.h"
#include "dynaview/bars/dialogs/dyn_bars_dialog.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"

using namespace dynaview;

extern "C" {

DV_API int DynBarsDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunDialogProcedure(templateName, "DynBars", owner, param,
                                       [](plotbase::Environment& env, const DVDialogParam& p, QWidget* window) -> QDialog* {
                                           if (!FindDynObjectOf<BarGraph>(env, p.graph, p.object, BarGraphType, " - DynBars")) return nullptr;
                                           return new DynBarsDialog(env, p.graph, p.object, window);
                                       });
}

}  // extern "C"

namespace {

const FamilyRegistration barsFamily{Family{
    "bars",
    {{BarGraphType, BarGraphSubtype, "DynBars"}},
    {{"DynBars", "Dynamic Bar Graphs", DynBarsDlgProc}},
}};

}  // namespace
