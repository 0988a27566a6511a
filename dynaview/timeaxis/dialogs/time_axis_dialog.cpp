#include "dynaview/timeaxis/dialogs/time_axis_dialog.h"

#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/timeaxis/time_axis_state.h"
#include "dynaview/timeaxis/time_labels.h"
#include "plotbase/operations_build.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_setup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace dynaview {

using dialogs::Named;

namespace {

// Identifiers of the controls of this dialog (its own range).
constexpr int StartId = 2001, RangeId = 2002, TickSpacingId = 2003, MinorTicksId = 2004, InterceptId = 2005, UnitId = 2006;
constexpr int MajorGridId = 2007, MinorGridId = 2008;

}  // namespace

TimeAxisDialog::TimeAxisDialog(plotbase::Environment& env, int graph, int axis, QWidget* owner)
    : QDialog(owner), env_(env), graph_(graph), axis_(axis) {
    setObjectName(QStringLiteral("TimeAxis"));
    setWindowTitle(QStringLiteral("Time Axis"));
    setAccessibleName(windowTitle());
    const plotbase::Graph* g = GraphIfOpen(env, graph);
    const auto* found = g ? g->objects.as<plotbase::Axis>(axis, plotbase::AxisType) : nullptr;
    const plotbase::Axis fallback(plotbase::HorizontalAxis);
    const plotbase::Axis& shown = found ? *found : fallback;

    StartEdit = Named(dialogs::NumberEdit(env, shown.min, 6), "StartEdit", StartId, QStringLiteral("Start"));
    RangeEdit = Named(dialogs::NumberEdit(env, shown.max - shown.min, 6), "RangeEdit", RangeId, QStringLiteral("Range"));
    TickSpacingEdit = Named(dialogs::NumberEdit(env, shown.tickSpacing, 6), "TickSpacingEdit", TickSpacingId, QStringLiteral("Tick Spacing"));
    MinorTicksSpin = Named(new QSpinBox, "MinorTicksSpin", MinorTicksId, QStringLiteral("Minor Ticks"));
    MinorTicksSpin->setRange(0, 100);
    MinorTicksSpin->setValue(shown.tickCount);
    InterceptEdit = Named(dialogs::NumberEdit(env, shown.intercept, 6), "InterceptEdit", InterceptId, QStringLiteral("Intercept"));
    UnitCombo = Named(new QComboBox, "UnitCombo", UnitId, QStringLiteral("Time Unit"));
    UnitCombo->addItems({QStringLiteral("Seconds"), QStringLiteral("Minutes"), QStringLiteral("Hours")});
    UnitCombo->setCurrentIndex(std::clamp(TimeAxisUnit(env, graph, axis).value_or(Seconds), 0, 2));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Start"), StartEdit);
    form->addRow(QStringLiteral("&Range"), RangeEdit);
    form->addRow(QStringLiteral("Tick S&pacing"), TickSpacingEdit);
    form->addRow(QStringLiteral("&Minor Ticks"), MinorTicksSpin);
    form->addRow(QStringLiteral("&Intercept"), InterceptEdit);
    form->addRow(QStringLiteral("&Unit"), UnitCombo);

    auto* grids = new QGroupBox(QStringLiteral("Grids"));
    auto* gridRow = new QHBoxLayout(grids);
    MajorGridCheck = Named(new QCheckBox(QStringLiteral("At ma&jor ticks")), "MajorGridCheck", MajorGridId, QStringLiteral("Grid at major ticks"));
    MinorGridCheck = Named(new QCheckBox(QStringLiteral("At mi&nor ticks")), "MinorGridCheck", MinorGridId, QStringLiteral("Grid at minor ticks"));
    MajorGridCheck->setChecked(gridOf(0) != 0);
    MinorGridCheck->setChecked(gridOf(1) != 0);
    gridRow->addWidget(MajorGridCheck);
    gridRow->addWidget(MinorGridCheck);

    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &TimeAxisDialog::OKBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(grids);
    layout->addLayout(buttons.row);
}

int TimeAxisDialog::gridOf(int kind) const {
    const plotbase::Graph* g = GraphIfOpen(env_, graph_);
    if (!g) return 0;
    for (int i = 1; i <= g->objects.size(); ++i)
        if (const auto* grid = g->objects.as<plotbase::Grid>(i, plotbase::GridType); grid && grid->links[0] == axis_ && grid->kind == kind)
            return i;
    return 0;
}

void TimeAxisDialog::OKBtnClick() {
    const std::optional<double> start = dialogs::ReadNumber(env_, StartEdit, QStringLiteral("Start"));
    if (!start) return;
    const std::optional<double> range = dialogs::ReadNumber(env_, RangeEdit, QStringLiteral("Range"));
    if (!range) return;
    const std::optional<double> spacing = dialogs::ReadNumber(env_, TickSpacingEdit, QStringLiteral("Tick Spacing"));
    if (!spacing) return;
    const std::optional<double> intercept = dialogs::ReadNumber(env_, InterceptEdit, QStringLiteral("Intercept"));
    if (!intercept) return;
    plotbase::Graph* g = GraphIfOpen(env_, graph_);
    auto* axis = g ? g->objects.as<plotbase::Axis>(axis_, plotbase::AxisType) : nullptr;
    if (axis) {
        // plotbase refuses what an axis cannot take (and says so); the rest is applied.
        plotbase::WGChangeAxisRange(env_, graph_, axis_, *start, *start + *range);
        plotbase::WGChangeAxisTicks(env_, graph_, axis_, *spacing, MinorTicksSpin->value(), axis->side);
        plotbase::WGChangeAxisIntercept(env_, graph_, axis_, *intercept);
        const int unit = UnitCombo->currentIndex();
        if (TimeAxisState* state = TimeAxisStateOf(env_)) state->markTimeAxis(graph_, axis_, axis, unit);
        // The labels of the axis step through time in its new unit.
        for (int i = 1; i <= g->objects.size(); ++i)
            if (auto* labels = dynamic_cast<TimeLabels*>(g->objects.at(i)); labels && labels->axis() == axis_) labels->settings.unit = unit;
        for (int kind = 0; kind < 2; ++kind) {
            const bool wanted = (kind == 0 ? MajorGridCheck : MinorGridCheck)->isChecked();
            const int grid = gridOf(kind);
            if (wanted && !grid) plotbase::WGDrawGrid(env_, graph_, axis_, kind);
            if (!wanted && grid) plotbase::WGDeleteObject(env_, graph_, grid);
        }
    }
    accept();
}

}  // namespace dynaview
