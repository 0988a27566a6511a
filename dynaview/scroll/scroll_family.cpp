// The scrolling graphs in the frame: their dialogs and which of them edits which object.

#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/scroll/dialogs/scroll_graph_dialog.h"

#include <cstring>
#include <string>

using namespace dynaview;

namespace {

bool isScrollGraph(plotbase::Environment& env, const DVDialogParam& param, bool bars, const char* dialog) {
    const std::string suffix = std::string(" - ") + dialog;
    DynObject* d = FindDynObject(env, param.graph, param.object, suffix);
    if (!d) return false;
    const bool scrolling = d->type == ScrollGraphType || d->type == XYGraphType;
    if (!scrolling || (d->type == ScrollGraphType && (d->subtype == scroll::BarsSubtype) != bars)) {
        ReportWrongType(env, *d, suffix);
        return false;
    }
    return true;
}

// The template a scrolling graph's dialog procedure runs: its own name when given one of
// the three it knows, else "SCROLLG" (which a wrong name then fails to match).
const char* graphTemplate(const char* templateName) {
    for (const char* known : {"SCROLLG", "LOGICG", "XYG"})
        if (templateName && std::strcmp(templateName, known) == 0) return known;
    return "SCROLLG";
}

}  // namespace

extern "C" {

DV_API int ScrollGraphDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    const char* own = graphTemplate(templateName);
    return dialogs::RunDialogProcedure(templateName, own, owner, param,
                                       [own](plotbase::Environment& env, const DVDialogParam& p, QWidget* window) -> QDialog* {
                                           if (!isScrollGraph(env, p, false, own)) return nullptr;
                                           return new ScrollGraphDialog(env, p.graph, p.object, own, window);
                                       });
}

DV_API int ScrollBarDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunDialogProcedure(templateName, "ScrollB", owner, param,
                                       [](plotbase::Environment& env, const DVDialogParam& p, QWidget* window) -> QDialog* {
                                           if (!isScrollGraph(env, p, true, "ScrollB")) return nullptr;
                                           return new ScrollBarsDialog(env, p.graph, p.object, window);
                                       });
}

}  // extern "C"

namespace {

const FamilyRegistration scrollFamily{Family{
    "scroll",
    {
        {ScrollGraphType, scroll::BarsSubtype, "ScrollB"},
        {ScrollGraphType, scroll::LogicSubtype, "LOGICG"},
        {ScrollGraphType, scroll::StackedSubtype, "LOGICG"},
        {ScrollGraphType, AnySubtype, "SCROLLG"},
        {XYGraphType, AnySubtype, "XYG"},
    },
    {
        {"SCROLLG", "Scrolling Graph", ScrollGraphDlgProc},
        {"ScrollB", "Scrolling Bars", ScrollBarDlgProc},
        {"LOGICG", "Logic Graph Parameters", ScrollGraphDlgProc},
        {"XYG", "XY Plot Parameters", ScrollGraphDlgProc},
    },
}};

}  // namespace
