#include "dynaview/alarms/dialogs/alarm_lines_dialog.h"

#include "dynaview/alarms/dialogs/alarm_attrib_dialog.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/frame/update_timer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dynaview {

using dialogs::Named;

namespace {

// Identifiers of the controls this dialog adds (its own range).
constexpr int ShownIds = 1900, PatternIds = 1905, WidthIds = 1910, ColourIds = 1915;
constexpr int HorizontalId = 1920, VerticalId = 1921, RefreshId = 1922;
constexpr int AlarmAttributesId = 1760;

}  // namespace

const char* AlarmLineName(int line) {
    static constexpr const char* names[] = {"Setpoint", "High", "Low", "High-high", "Low-low"};
    return line >= 0 && line < AlarmLineCount ? names[line] : "";
}

const char* AlarmLineObjectName(int line) {
    static constexpr const char* names[] = {"Setpoint", "High", "Low", "HighHigh", "LowLow"};
    return line >= 0 && line < AlarmLineCount ? names[line] : "";
}

void OpenAlarmAttributes(plotbase::Environment& env, int graph, int object, QWidget* owner) {
    const DynObject* d = FindDynObject(env, graph, object);
    if (!d || !d->dataSet(TopOf(env))) return;
    AlarmAttribDialog dialog(env, d->dataSetIndex, owner);
    dialog.exec();
}

AlarmLinesDialog::AlarmLinesDialog(plotbase::Environment& env, int graph, int object, QWidget* owner)
    : QDialog(owner), env_(env), graph_(graph), object_(object) {
    setObjectName(QStringLiteral("AlarmLines"));
    setWindowTitle(QStringLiteral("Alarm Lines"));
    setAccessibleName(windowTitle());
    const auto* lines = dynamic_cast<const AlarmLines*>(FindDynObject(env, graph, object));
    const AlarmLines defaults;
    const AlarmLines& shown = lines ? *lines : defaults;

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Pattern")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Width")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Colour")), 0, 3);
    for (int line = 0; line < AlarmLineCount; ++line) {
        const auto i = static_cast<std::size_t>(line);
        const QString name = QString::fromLatin1(AlarmLineName(line));
        const std::string base = AlarmLineObjectName(line);
        shownChecks_[i] = Named(new QCheckBox(name), (base + "LineCheck").c_str(), ShownIds + line, name);
        shownChecks_[i]->setChecked(shown.enables[i] != 0);
        patternCombos_[i] = Named(dialogs::PatternCombo(shown.patterns[i]), (base + "PatternCombo").c_str(), PatternIds + line,
                                  name + QStringLiteral(" Pattern"));
        widthSpins_[i] = Named(new QSpinBox, (base + "WidthSpin").c_str(), WidthIds + line, name + QStringLiteral(" Width"));
        widthSpins_[i]->setRange(0, 50);
        widthSpins_[i]->setValue(shown.widths[i]);
        colourCombos_[i] = Named(dialogs::ColourCombo(shown.colours[i]), (base + "ColourCombo").c_str(), ColourIds + line,
                                 name + QStringLiteral(" Colour"));
        grid->addWidget(shownChecks_[i], line + 1, 0);
        grid->addWidget(patternCombos_[i], line + 1, 1);
        grid->addWidget(widthSpins_[i], line + 1, 2);
        grid->addWidget(colourCombos_[i], line + 1, 3);
    }

    auto* direction = new QGroupBox(QStringLiteral("Direction"));
    auto* directionRow = new QHBoxLayout(direction);
    HorizontalRadio = Named(new QRadioButton(QStringLiteral("&Horizontal")), "HorizontalRadio", HorizontalId, QStringLiteral("Horizontal"));
    VerticalRadio = Named(new QRadioButton(QStringLiteral("&Vertical")), "VerticalRadio", VerticalId, QStringLiteral("Vertical"));
    (shown.direction == 1 ? HorizontalRadio : VerticalRadio)->setChecked(true);
    directionRow->addWidget(HorizontalRadio);
    directionRow->addWidget(VerticalRadio);

    auto* refreshRow = new QHBoxLayout;
    RefreshPeriodSpin = Named(new QSpinBox, "RefreshPeriodSpin", RefreshId, QStringLiteral("Refresh Period"));
    RefreshPeriodSpin->setRange(0, 65535);
    RefreshPeriodSpin->setSuffix(QStringLiteral(" s"));
    RefreshPeriodSpin->setSpecialValueText(QStringLiteral("Never"));
    RefreshPeriodSpin->setValue(shown.refreshPeriod);
    auto* refreshLabel = new QLabel(QStringLiteral("&Refresh every"));
    refreshLabel->setBuddy(RefreshPeriodSpin);
    refreshRow->addWidget(refreshLabel);
    refreshRow->addWidget(RefreshPeriodSpin);
    refreshRow->addStretch(1);
    auto* attributes = Named(new QPushButton(QStringLiteral("Alar&m Attributes...")), "AlarmAttributesBtn", AlarmAttributesId,
                             QStringLiteral("Alarm Attributes..."));
    connect(attributes, &QPushButton::clicked, this, &AlarmLinesDialog::AlarmAttributesBtnClick);
    refreshRow->addWidget(attributes);

    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &AlarmLinesDialog::OKBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(direction);
    layout->addLayout(refreshRow);
    layout->addLayout(buttons.row);
}

void AlarmLinesDialog::AlarmAttributesBtnClick() { OpenAlarmAttributes(env_, graph_, object_, this); }

void AlarmLinesDialog::OKBtnClick() {
    auto* lines = dynamic_cast<AlarmLines*>(FindDynObject(env_, graph_, object_));
    if (lines) {
        for (int line = 0; line < AlarmLineCount; ++line) {
            const auto i = static_cast<std::size_t>(line);
            lines->enables[i] = shownChecks_[i]->isChecked() ? 1 : 0;
            lines->patterns[i] = patternCombos_[i]->currentIndex();
            lines->widths[i] = widthSpins_[i]->value();
            lines->colours[i] = dialogs::ChosenColour(colourCombos_[i]);
        }
        lines->direction = HorizontalRadio->isChecked() ? 1 : 0;
        if (RefreshPeriodSpin->value() != lines->refreshPeriod) {
            lines->refreshPeriod = RefreshPeriodSpin->value();
            if (lines->refreshPeriod > 0)
                RegisterTimerUpdate(env_, graph_, object_, lines->refreshPeriod);
            else
                UnregisterTimerUpdate(env_, graph_, object_);
        }
        lines->alarmsChanged(ObjectPlace{env_, graph_, object_});
    }
    accept();
}

}  // namespace dynaview
