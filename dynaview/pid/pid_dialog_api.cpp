// Opening the PID dialog: PIDDlgProc (by template, on the loop of the parameter) and
// WREditPIDDlg (on a loop number, over the application's active window).

#include "dynaview/frame/api_guard.h"
#include "dynaview/frame/api_refusals.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/include/dynaview.h"
#include "dynaview/pid/dialogs/pid_dialog.h"
#include "dynaview/pid/pid_table.h"

#include <QApplication>

using namespace dynaview;

extern "C" {

DV_API int PIDDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    // Only one at a time: a second opening ends at once, as if cancelled.
    if (api::Guarded(false, [] { return PidDialog::anyOpen(); })) return 2;
    return dialogs::RunDialogProcedure(templateName, "PIDDLG", owner, param,
                                       [](plotbase::Environment& env, const DVDialogParam& p, QWidget* window) -> QDialog* {
                                           RTTop* top = TopOf(env);
                                           if (!top || !ValidLoopNumber(p.loop) || !PidTable::of(*top).at(p.loop)) {
                                               ReportDynError(env, plotbase::InvalidRecord, 2, " - PIDDLG");
                                               return nullptr;
                                           }
                                           return new PidDialog(env, p.loop, window);
                                       });
}

DV_API int WREditPIDDlg(int loop) {
    const bool ready = api::WithTop(false, "WREditPIDDlg", [&](plotbase::Environment& env, RTTop& top) {
        if (loop == 0) return false;
        if (!ValidLoopNumber(loop)) return api::Refuse(env, "WREditPIDDlg") != 0;
        return PidTable::of(top).at(loop) != nullptr;
    });
    if (!ready) return 0;
    const DVDialogParam param{0, 0, 0, loop};
    QWidget* owner = api::Guarded(static_cast<QWidget*>(nullptr), [] { return QApplication::activeWindow(); });
    return PIDDlgProc("PIDDLG", owner, &param) == 1 ? 1 : 0;
}

}  // extern "C"
