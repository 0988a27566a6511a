// The alarms family in the frame: its dialogs, and which of them edits which object.

#include "dynaview/alarms/dialogs/alarm_attrib_dialog.h"
#include "dynaview/alarms/dialogs/alarm_lines_dialog.h"
#include "dynaview/alarms/dialogs/alarm_marks_dialog.h"
#include "dynaview/alarms/dialogs/alarm_text_dialog.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/dyn_errors.h"
#include "plotbase/error_codes.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/type_sizes.h"

using namespace dynaview;

extern "C" {

DV_API int AlarmLimitDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunDialogProcedure(templateName, "AlarmAttrib", owner, param,
                                       [](plotbase::Environment& env, const DVDialogParam& p, QWidget* window) -> QDialog* {
                                           const RTTop* top = TopOf(env);
                                           if (!top || !top->dataSets.at(p.dataSet)) {
                                               ReportDynError(env, plotbase::NoSuchDataSet, 2, " - AlarmAttrib");
                                               return nullptr;
                                           }
                                           return new AlarmAttribDialog(env, p.dataSet, window);
                                       });
}

DV_API int AlarmLineDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunObjectDialog<AlarmLinesDialog>(templateName, "AlarmLines", owner, param, AlarmLinesType, AnySubtype);
}

DV_API int AlarmMarksDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunObjectDialog<AlarmMarksDialog>(templateName, "AlarmMarks", owner, param, AlarmMarksType, AnySubtype);
}

DV_API int AlarmTextDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunObjectDialog<AlarmTextDialog>(templateName, "AlarmText", owner, param, TextType, AlarmTextSubtype);
}

}  // extern "C"

namespace {

const FamilyRegistration alarmsFamily{Family{
    "alarms",
    {
        {AlarmLinesType, AnySubtype, "AlarmLines"},
        {AlarmMarksType, AnySubtype, "AlarmMarks"},
        {TextType, AlarmTextSubtype, "AlarmText"},
    },
    {
        {"AlarmAttrib", "Alarm Attributes", AlarmLimitDlgProc},
        {"AlarmLines", "Alarm Lines", AlarmLineDlgProc},
        {"AlarmMarks", "Alarm Marks", AlarmMarksDlgProc},
        {"AlarmText", "Alarm Text", AlarmTextDlgProc},
    },
    0,
    nullptr,
}};

}  // namespace
