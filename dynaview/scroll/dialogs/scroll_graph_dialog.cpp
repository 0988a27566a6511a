#include "dynaview/scroll/dialogs/scroll_graph_dialog.h"

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/object_access.h"
#include "plotbase/operations_change.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

namespace dynaview {

using dialogs::Named;
using scroll::ScrollGraph;

namespace {

constexpr int IntervalId = 2101, ResetId = 2102, NoStepId = 2103, StepStartId = 2104, StepEndId = 2105;
constexpr int PatternIds = 2110, WidthIds = 2150, ColourIds = 2190, TagIds = 2230;
constexpr int ChannelId = 2301, BarWidthId = 2302, HatchId = 2303, BarColourId = 2304;

ScrollGraph* scrollGraphAt(plotbase::Environment& env, int graph, int object) {
    return dynamic_cast<ScrollGraph*>(FindDynObject(env, graph, object));
}

const char* captionOf(const std::string& templateName) {
    if (templateName == "LOGICG") return "Logic Graph Parameters";
    if (templateName == "XYG") return "XY Plot Parameters";
    return "Scrolling Graph";
}

}  // namespace

ScrollGraphDialog::ScrollGraphDialog(plotbase::Environment& env, int graph, int object, const char* templateName, QWidget* owner)
    : QDialog(owner), env_(env), graph_(graph), object_(object) {
    const std::string name = templateName ? templateName : "SCROLLG";
    setObjectName(QString::fromStdString(name));
    setWindowTitle(QString::fromLatin1(captionOf(name)));
    setAccessibleName(windowTitle());
    ScrollGraph* s = scrollGraphAt(env, graph, object);
    auto* layout = new QVBoxLayout(this);
    if (!s) {
        layout->addLayout(dialogs::OkCancelRow(this).row);
        return;
    }

    auto* form = new QFormLayout;
    if (!s->isXY() && !s->isVariable()) {
        IntervalEd = Named(dialogs::NumberEdit(env, s->params.sampleInterval, 4), "IntervalEd", IntervalId, QStringLiteral("Sample Interval"));
        form->addRow(QStringLiteral("Sample &interval:"), IntervalEd);
    }
    if (!s->isXY() && !s->isSweep()) {
        ResetEd = Named(dialogs::NumberEdit(env, s->window.relativeReset, 3), "ResetEd", ResetId, QStringLiteral("Relative Reset"));
        form->addRow(QStringLiteral("&Relative reset:"), ResetEd);
    }
    layout->addLayout(form);
    if (!s->isXY()) {
        auto* styles = new QGroupBox(QStringLiteral("Scroll Style"));
        auto* row = new QHBoxLayout(styles);
        NoStepRadio = Named(new QRadioButton(QStringLiteral("&No Step")), "NoStepRadio", NoStepId, QStringLiteral("No Step"));
        StepStartRadio = Named(new QRadioButton(QStringLiteral("Step &Start")), "StepStartRadio", StepStartId, QStringLiteral("Step Start"));
        StepEndRadio = Named(new QRadioButton(QStringLiteral("Step &End")), "StepEndRadio", StepEndId, QStringLiteral("Step End"));
        QRadioButton* radios[3] = {NoStepRadio, StepStartRadio, StepEndRadio};
        radios[std::clamp(s->params.scrollStyle, 0, 2)]->setChecked(true);
        for (QRadioButton* r : radios) row->addWidget(r);
        layout->addWidget(styles);
    }

    // One row per trace: its line, and a logic graph's bit name.
    auto* traces = new QWidget;
    auto* grid = new QGridLayout(traces);
    grid->addWidget(new QLabel(QStringLiteral("Pattern")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Width")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Colour")), 0, 3);
    if (s->isLogic()) grid->addWidget(new QLabel(QStringLiteral("Name")), 0, 4);
    for (int t = 0; t < s->traceCount; ++t) {
        const auto i = static_cast<std::size_t>(t);
        const QString label = s->isLogic() ? QStringLiteral("Bit %1").arg(t) : s->isXY() ? QStringLiteral("Curve %1").arg(t + 1)
                                                                                         : QStringLiteral("Trace %1").arg(t + 1);
        const std::string base = "Trace" + std::to_string(t + 1);
        grid->addWidget(new QLabel(label), t + 1, 0);
        patternCombos_.push_back(Named(dialogs::PatternCombo(s->params.patterns[i]), (base + "PatternCombo").c_str(), PatternIds + t,
                                       label + QStringLiteral(" Pattern")));
        auto* width = Named(new QSpinBox, (base + "WidthSpin").c_str(), WidthIds + t, label + QStringLiteral(" Width"));
        width->setRange(0, 50);
        width->setValue(s->params.widths[i]);
        widthSpins_.push_back(width);
        colourCombos_.push_back(Named(dialogs::ColourCombo(s->params.colours[i]), (base + "ColourCombo").c_str(), ColourIds + t,
                                      label + QStringLiteral(" Colour")));
        grid->addWidget(patternCombos_.back(), t + 1, 1);
        grid->addWidget(width, t + 1, 2);
        grid->addWidget(colourCombos_.back(), t + 1, 3);
        if (s->isLogic()) {
            auto* tag = Named(new QLineEdit(QString::fromStdString(s->logicTags[i])), (base + "TagEd").c_str(), TagIds + t,
                              label + QStringLiteral(" Name"));
            tag->setMaxLength(15);
            tagEdits_.push_back(tag);
            grid->addWidget(tag, t + 1, 4);
        }
    }
    if (s->traceCount > 6) {
        auto* area = new QScrollArea;
        area->setWidget(traces);
        area->setWidgetResizable(true);
        area->setMinimumHeight(200);
        layout->addWidget(area);
    } else {
        layout->addWidget(traces);
    }
    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &ScrollGraphDialog::OKBtnClick);
    layout->addLayout(buttons.row);
}

void ScrollGraphDialog::OKBtnClick() {
    ScrollGraph* s = scrollGraphAt(env_, graph_, object_);
    if (!s) {
        reject();
        return;
    }
    double interval = s->params.sampleInterval;
    double reset = s->window.relativeReset;
    if (IntervalEd) {
        const std::optional<double> read = dialogs::ReadNumber(env_, IntervalEd, QStringLiteral("Sample Interval"));
        if (!read) return;
        interval = *read;
    }
    if (ResetEd) {
        const std::optional<double> read = dialogs::ReadNumber(env_, ResetEd, QStringLiteral("Relative Reset"));
        if (!read) return;
        reset = *read;
    }
    const int style = !NoStepRadio ? s->params.scrollStyle : StepStartRadio->isChecked() ? 1 : StepEndRadio->isChecked() ? 2 : 0;
    if (!IntervalEd && !ResetEd && !NoStepRadio) {
        // Nothing of the window to change (an XY graph).
    } else if (!WRChangeScrollGraph(graph_, object_, interval, reset, style)) {
        return;  // refused and reported: the dialog stays open
    }
    s = scrollGraphAt(env_, graph_, object_);
    if (!s) {
        reject();
        return;
    }
    for (std::size_t t = 0; t < patternCombos_.size(); ++t) {
        s->params.patterns[t] = patternCombos_[t]->currentIndex();
        s->params.widths[t] = widthSpins_[t]->value();
        s->params.colours[t] = dialogs::ChosenColour(colourCombos_[t]);
    }
    for (std::size_t t = 0; t < tagEdits_.size(); ++t) s->logicTags[t] = tagEdits_[t]->text().left(15).toStdString();
    plotbase::WGRedrawObject(env_, graph_, 0, 0);
    accept();
}

ScrollBarsDialog::ScrollBarsDialog(plotbase::Environment& env, int graph, int object, QWidget* owner)
    : QDialog(owner), env_(env), graph_(graph), object_(object) {
    setObjectName(QStringLiteral("ScrollB"));
    setWindowTitle(QStringLiteral("Scrolling Bars"));
    setAccessibleName(windowTitle());
    ScrollGraph* s = scrollGraphAt(env, graph, object);
    const ScrollGraph defaults(103, scroll::BarsSubtype);
    const ScrollGraph& shown = s ? *s : defaults;
    auto* form = new QFormLayout;
    IntervalEd = Named(dialogs::NumberEdit(env, shown.params.sampleInterval, 4), "IntervalEd", IntervalId, QStringLiteral("Sample Interval"));
    ResetEd = Named(dialogs::NumberEdit(env, shown.window.relativeReset, 3), "ResetEd", ResetId, QStringLiteral("Relative Reset"));
    ChannelSpin = Named(new QSpinBox, "ChannelSpin", ChannelId, QStringLiteral("Channel"));
    const DynDataSet* set = s ? s->dataSet(TopOf(env)) : nullptr;
    ChannelSpin->setRange(0, set ? set->channels - 1 : 0);
    ChannelSpin->setValue(shown.params.barChannel);
    BarWidthEd = Named(dialogs::NumberEdit(env, shown.params.barWidth, 4), "BarWidthEd", BarWidthId, QStringLiteral("Bar Width"));
    HatchCombo = Named(new QComboBox, "HatchCombo", HatchId, QStringLiteral("Hatch"));
    HatchCombo->addItems({QStringLiteral("Solid"), QStringLiteral("Horizontal"), QStringLiteral("Vertical"), QStringLiteral("Diagonal down"),
                          QStringLiteral("Diagonal up"), QStringLiteral("Cross"), QStringLiteral("Diagonal cross")});
    HatchCombo->setCurrentIndex(shown.params.hatchStyle + 1);
    BarColourCombo = Named(dialogs::ColourCombo(shown.params.barColour), "BarColourCombo", BarColourId, QStringLiteral("Bar Colour"));
    form->addRow(QStringLiteral("Sample &interval:"), IntervalEd);
    form->addRow(QStringLiteral("&Relative reset:"), ResetEd);
    form->addRow(QStringLiteral("C&hannel:"), ChannelSpin);
    form->addRow(QStringLiteral("Bar &width:"), BarWidthEd);
    form->addRow(QStringLiteral("&Hatch:"), HatchCombo);
    form->addRow(QStringLiteral("&Colour:"), BarColourCombo);
    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &ScrollBarsDialog::OKBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.row);
}

void ScrollBarsDialog::OKBtnClick() {
    const std::optional<double> interval = dialogs::ReadNumber(env_, IntervalEd, QStringLiteral("Sample Interval"));
    if (!interval) return;
    const std::optional<double> reset = dialogs::ReadNumber(env_, ResetEd, QStringLiteral("Relative Reset"));
    if (!reset) return;
    const std::optional<double> width = dialogs::ReadNumber(env_, BarWidthEd, QStringLiteral("Bar Width"));
    if (!width) return;
    if (!WRChangeScrollGraph(graph_, object_, *interval, *reset, 0)) return;
    ScrollGraph* s = scrollGraphAt(env_, graph_, object_);
    if (!s) {
        reject();
        return;
    }
    s->params.barChannel = ChannelSpin->value();
    s->params.barWidth = std::max(*width, 0.0);
    s->params.hatchStyle = HatchCombo->currentIndex() - 1;
    s->params.barColour = dialogs::ChosenColour(BarColourCombo);
    s->params.colours[0] = s->params.barColour;
    plotbase::WGRedrawObject(env_, graph_, 0, 0);
    accept();
}

}  // namespace dynaview
