// The time-axis family in the frame: its dialogs, which of them edits which object, and
// how the labels attached to a scrolling graph move on with its jumps.

#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/timeaxis/dialogs/time_axis_dialog.h"
#include "dynaview/timeaxis/dialogs/time_labels_dialog.h"
#include "dynaview/timeaxis/time_labels.h"
#include "plotbase/error_codes.h"

#include <cmath>

using namespace dynaview;

extern "C" {

DV_API int TimeAxisDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunDialogProcedure(templateName, "TimeAxis", owner, param,
                                       [](plotbase::Environment& env, const DVDialogParam& p, QWidget* window) -> QDialog* {
                                           plotbase::Graph* g = OpenGraph(env, p.graph);
                                           if (!g) return nullptr;
                                           if (!g->objects.as<plotbase::Axis>(p.object, plotbase::AxisType)) {
                                               ReportDynError(env, plotbase::NoSuchAxis, 2, " - TimeAxis");
                                               return nullptr;
                                           }
                                           return new TimeAxisDialog(env, p.graph, p.object, window);
                                       });
}

DV_API int TimeLabelsDlgProc(const char* templateName, DVWindow owner, const DVDialogParam* param) {
    return dialogs::RunDialogProcedure(templateName, "TimeLabels", owner, param,
                                       [](plotbase::Environment& env, const DVDialogParam& p, QWidget* window) -> QDialog* {
                                           if (!TimeLabelsOrReport(env, p.graph, p.object, "TimeLabels")) return nullptr;
                                           return new TimeLabelsDialog(env, p.graph, p.object, window);
                                       });
}

}  // extern "C"

namespace {

const FamilyRegistration timeAxisFamily{Family{
    .name = "timeaxis",
    .editDialogs = {{plotbase::AxisType, TimeAxisSubtype, "TimeAxis"}, {TimeLabelsType, AnySubtype, "TimeLabels"}},
    .dialogs = {{"TimeAxis", "Time Axis", TimeAxisDlgProc}, {"TimeLabels", "Time Labels", TimeLabelsDlgProc}},
    .cleanupOrder = 0,
    .cleanup = nullptr,
    .moveTimeLabels =
        [](const ObjectPlace& place, double delta) {
            plotbase::Graph* g = GraphIfOpen(place.env, place.graph);
            auto* labels = g ? dynamic_cast<TimeLabels*>(g->objects.at(place.index)) : nullptr;
            // Labels deleted since they were attached are passed over.
            if (!labels || !std::isfinite(delta)) return;
            const TimeLabelSettings before = labels->settings;
            labels->settings.moveOn(delta);
            labels->redraw(place, before);
        },
}};

}  // namespace
