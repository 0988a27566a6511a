#include "dynaview/timeaxis/dialogs/time_labels_dialog.h"

#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/timeaxis/time_labels.h"
#include "plotbase/operations_change.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace dynaview {

using dialogs::Named;

namespace {

// Identifiers of the controls of this dialog (its own range).
constexpr int PositionId = 2021, FormatId = 2022, HoursId = 2023, MinutesId = 2024, SecondsId = 2025, NumericStartId = 2026;
constexpr int PrecisionId = 2027, DecimalsId = 2028, EveryTickId = 2029, LastBlankId = 2030, FixedTextId = 2031, FixedTextEditId = 2032;

struct Choice {
    const char* text;
    int code;
};
constexpr Choice HorizontalPositions[] = {{"Below the axis", 0}, {"Above the axis", 4}, {"Below the plot area", 6}, {"Above the plot area", 7}};
constexpr Choice VerticalPositions[] = {{"Left of the axis", 1}, {"Right of the axis", 2}, {"Left of the plot area", 8}, {"Right of the plot area", 9}};
constexpr Choice Formats[] = {{"Number", NumberFormat}, {"hh:mm:ss", HoursMinutesSeconds}, {"hh:mm", HoursMinutes}, {"mm:ss", MinutesSeconds}};

template <std::size_t N>
void fill(QComboBox* combo, const Choice (&choices)[N], int current) {
    for (const Choice& c : choices) {
        combo->addItem(QString::fromLatin1(c.text), c.code);
        if (c.code == current) combo->setCurrentIndex(combo->count() - 1);
    }
}

}  // namespace

TimeLabelsDialog::TimeLabelsDialog(plotbase::Environment& env, int graph, int object, QWidget* owner)
    : QDialog(owner), env_(env), graph_(graph), object_(object) {
    setObjectName(QStringLiteral("TimeLabels"));
    setWindowTitle(QStringLiteral("Time Labels"));
    setAccessibleName(windowTitle());
    const plotbase::Graph* g = GraphIfOpen(env, graph);
    const auto* found = g ? dynamic_cast<const TimeLabels*>(g->objects.at(object)) : nullptr;
    const TimeLabels fallback;
    const TimeLabels& shown = found ? *found : fallback;
    const TimeLabelSettings& s = shown.settings;

    PositionCombo = Named(new QComboBox, "PositionCombo", PositionId, QStringLiteral("Label Position"));
    if (shown.vertical)
        fill(PositionCombo, VerticalPositions, shown.position);
    else
        fill(PositionCombo, HorizontalPositions, shown.position);
    FormatCombo = Named(new QComboBox, "FormatCombo", FormatId, QStringLiteral("Format"));
    fill(FormatCombo, Formats, s.format);
    if (FormatCombo->findData(s.format) < 0) {
        FormatCombo->addItem(QStringLiteral("None"), s.format);  // a code that writes nothing
        FormatCombo->setCurrentIndex(FormatCombo->count() - 1);
    }

    // The start as the labels show it now: the time of day of the running start.
    const double ofDay = IsClockFormat(s.format) ? std::fmod(std::fmod(std::trunc(s.start()), 86400.0) + 86400.0, 86400.0) : 0.0;
    shownClockStart_ = static_cast<int>(ofDay);
    shownNumericStart_ = IsClockFormat(s.format) ? 0.0 : s.start();
    HoursSpin = Named(dialogs::SpinBox(0, 23, shownClockStart_ / 3600), "HoursSpin", HoursId, QStringLiteral("Start Hours"));
    MinutesSpin = Named(dialogs::SpinBox(0, 59, shownClockStart_ / 60 % 60), "MinutesSpin", MinutesId, QStringLiteral("Start Minutes"));
    SecondsSpin = Named(dialogs::SpinBox(0, 59, shownClockStart_ % 60), "SecondsSpin", SecondsId, QStringLiteral("Start Seconds"));
    NumericStartEdit = Named(dialogs::NumberEdit(env, shownNumericStart_, 6), "NumericStartEdit", NumericStartId, QStringLiteral("Numeric Start"));
    auto* clockRow = new QHBoxLayout;
    clockRow->addWidget(HoursSpin);
    clockRow->addWidget(new QLabel(QStringLiteral(":")));
    clockRow->addWidget(MinutesSpin);
    clockRow->addWidget(new QLabel(QStringLiteral(":")));
    clockRow->addWidget(SecondsSpin);

    PrecisionCheck = Named(new QCheckBox(QStringLiteral("P&recision")), "PrecisionCheck", PrecisionId, QStringLiteral("Precision"));
    PrecisionCheck->setChecked(s.precision);
    DecimalsSpin = Named(dialogs::SpinBox(0, 9, s.decimals), "DecimalsSpin", DecimalsId, QStringLiteral("Decimals"));
    auto* precisionRow = new QHBoxLayout;
    precisionRow->addWidget(PrecisionCheck);
    precisionRow->addWidget(DecimalsSpin);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Position"), PositionCombo);
    form->addRow(QStringLiteral("&Format"), FormatCombo);
    // A row of several fields gets no buddy from the form: without one the label would show
    // its ampersand instead of a mnemonic.
    auto* startLabel = new QLabel(QStringLiteral("Start &time"));
    startLabel->setBuddy(HoursSpin);
    form->addRow(startLabel, clockRow);
    form->addRow(QStringLiteral("&Numeric start"), NumericStartEdit);
    form->addRow(QStringLiteral("Numbers"), precisionRow);

    auto* last = new QGroupBox(QStringLiteral("Last label"));
    auto* lastColumn = new QVBoxLayout(last);
    EveryTickRadio = Named(new QRadioButton(QStringLiteral("&Every tick labelled")), "EveryTickRadio", EveryTickId, QStringLiteral("Every tick labelled"));
    LastBlankRadio = Named(new QRadioButton(QStringLiteral("Last tick &blank")), "LastBlankRadio", LastBlankId, QStringLiteral("Last tick blank"));
    FixedTextRadio = Named(new QRadioButton(QStringLiteral("Fixed te&xt:")), "FixedTextRadio", FixedTextId, QStringLiteral("Fixed text"));
    FixedTextEdit = Named(new QLineEdit(QString::fromStdString(s.fixedText)), "FixedTextEdit", FixedTextEditId, QStringLiteral("Fixed Text"));
    FixedTextEdit->setMaxLength(static_cast<int>(FixedTextLength));
    (s.lastLabelMode == LastTickBlank ? LastBlankRadio : s.lastLabelMode == LastTickFixedText ? FixedTextRadio : EveryTickRadio)->setChecked(true);
    auto* fixedRow = new QHBoxLayout;
    fixedRow->addWidget(FixedTextRadio);
    fixedRow->addWidget(FixedTextEdit);
    lastColumn->addWidget(EveryTickRadio);
    lastColumn->addWidget(LastBlankRadio);
    lastColumn->addLayout(fixedRow);

    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &TimeLabelsDialog::OKBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(last);
    layout->addLayout(buttons.row);
}

void TimeLabelsDialog::OKBtnClick() {
    const std::optional<double> numericStart = dialogs::ReadNumber(env_, NumericStartEdit, QStringLiteral("Numeric start"));
    if (!numericStart) return;
    plotbase::Graph* g = GraphIfOpen(env_, graph_);
    auto* labels = g ? dynamic_cast<TimeLabels*>(g->objects.at(object_)) : nullptr;
    if (labels) {
        TimeLabelSettings& s = labels->settings;
        labels->position = PositionCombo->currentData().toInt();
        s.changeFormat(FormatCombo->currentData().toInt());
        s.precision = PrecisionCheck->isChecked();
        s.decimals = s.precision ? DecimalsSpin->value() : 0;
        s.lastLabelMode = LastBlankRadio->isChecked() ? LastTickBlank : FixedTextRadio->isChecked() ? LastTickFixedText : LabelEveryTick;
        s.fixedText = s.lastLabelMode == LastTickFixedText ? FixedTextEdit->text().left(static_cast<int>(FixedTextLength)).toStdString() : std::string();
        // A start the user changed starts the labels there; an unchanged one keeps running.
        const int clockStart = HoursSpin->value() * 3600 + MinutesSpin->value() * 60 + SecondsSpin->value();
        if (IsClockFormat(s.format) && clockStart != shownClockStart_) {
            s.hours = HoursSpin->value();
            s.minutes = MinutesSpin->value();
            s.seconds = SecondsSpin->value();
            s.runningStart = s.preciseStart = clockStart;
        } else if (s.format == NumberFormat && *numericStart != shownNumericStart_) {
            s.runningStart = s.preciseStart = *numericStart;
        }
        // Position and last label change where labels stand: the whole graph is drawn again.
        plotbase::WGRedrawObject(env_, graph_, 0, 0);
    }
    accept();
}

}  // namespace dynaview
