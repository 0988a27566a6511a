// The edit-dialog dispatcher: the dialog for the selected object's type from the families'
// table, plotbase's own editor for everything else; and running a dialog by its name.

#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/include/dynaview.h"
#include "platform/clock.h"
#include "plotbase/graph_widget.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_setup.h"
#include "plotbase/operations_window.h"

#include <QGuiApplication>
#include <QWidget>

using namespace dynaview;
using api::WithEnvironment;

namespace {

// Nothing selected: the question cursor for the length of the prompt.
constexpr std::uint32_t PromptMs = 300;

void promptWithQuestionCursor() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WhatsThisCursor));
    if (platform::Clock* clock = Library::instance().clock()) clock->delay(PromptMs);
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace

extern "C" {

DV_API int rtDefEditObject(DVWindow, int graph) {
    return WithEnvironment(0, [&](plotbase::Environment& env) {
        plotbase::Graph* g = OpenGraph(env, graph);
        if (!g) return 0;
        const int selected = plotbase::WGGetSelObject(env, graph);
        const plotbase::GraphObject* object = g->objects.at(selected);
        if (!object) {
            promptWithQuestionCursor();
            return 2;
        }
        int result = 0;
        if (const DialogTemplate* dialog = Families::instance().editDialogFor(object->type, object->subtype)) {
            const DVDialogParam param{graph, selected, 0, 0};
            result = dialog->procedure(dialog->name, plotbase::WGGetGraphWindow(env, graph), &param);
        } else {
            result = plotbase::DefEditObject(env, graph);
        }
        if (result != 2) plotbase::WGRedrawObject(env, graph, 0, -1);
        if (QWidget* window = plotbase::WGGetGraphWindow(env, graph)) window->setFocus();
        return result;
    });
}

DV_API int rtDisplayDialogBoxParam(DVDialogProc dialogProc, const char* templateName, DVWindow owner,
                                   const DVDialogParam* param) {
    return WithEnvironment(0, [&](plotbase::Environment& env) {
        const DialogTemplate* dialog = templateName ? Families::instance().dialog(templateName) : nullptr;
        if (!dialogProc || !dialog || (owner && !api::KnownWidget(owner))) {
            ReportDynError(env, plotbase::InvalidArgument, 2, " - rtDisplayDialogBoxParam");
            return 0;
        }
        return dialogProc(dialog->name, owner, param);
    });
}

}  // extern "C"
