#include "dynaview/alarms/dialogs/alarm_attrib_dialog.h"

#include "dynaview/alarms/alarm_displays.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/rt_top.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dynaview {

using dialogs::Named;

namespace {

struct KindRow {
    const char* caption;
    const char* name;  // of the kind in object names
};
constexpr std::array<KindRow, AlarmKinds> Rows{{
    {"&High", "High"}, {"&Low", "Low"}, {"Hi&gh-high", "HighHigh"}, {"Lo&w-low", "LowLow"},
    {"&Rate", "Rate"}, {"&Deviation", "Deviation"}, {"&Fail", "Fail"},
}};
constexpr int DefinedIds = 1780;
constexpr int LimitIds = 1763;
constexpr int MessageIds = 1773;

QString plain(const char* caption) { return QString::fromLatin1(caption).remove(QLatin1Char('&')); }

}  // namespace

AlarmAttribDialog::AlarmAttribDialog(plotbase::Environment& env, int dataSet, QWidget* owner)
    : QDialog(owner), env_(env), dataSet_(dataSet) {
    setObjectName(QStringLiteral("AlarmAttrib"));
    setWindowTitle(QStringLiteral("Alarm Attributes"));
    setAccessibleName(windowTitle());
    const RTTop* top = TopOf(env);
    const DynDataSet* set = top ? top->dataSets.at(dataSet) : nullptr;
    const AlarmBlock block = set ? set->alarm : AlarmBlock{};

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Data Set Name:")));
    nameRow->addWidget(Named(new QLabel(QString::fromStdString(set ? set->name : std::string())), "DataSetName", 1788,
                             QStringLiteral("Data Set Name")));
    nameRow->addStretch(1);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Value")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Message")), 0, 2);
    for (int k = 1; k <= AlarmKinds; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        const QString kind = plain(Rows[i].caption);
        const std::string base = Rows[i].name;
        auto* check = new QCheckBox(QString::fromLatin1(Rows[i].caption));
        definedChecks_[i] = Named(check, (base + "DefinedCheck").c_str(), DefinedIds + k - 1, kind);
        check->setChecked(block.isDefined(k));
        limitEdits_[i] = Named(dialogs::NumberEdit(env, block.limit(k).limit, 4, 7), (base + "LimitEd").c_str(), LimitIds + k - 1,
                               kind + QStringLiteral(" Value"));
        messageEdits_[i] = Named(new QLineEdit(QString::fromStdString(block.limit(k).message)), (base + "MessageEd").c_str(),
                                 MessageIds + k - 1, kind + QStringLiteral(" Message"));
        messageEdits_[i]->setMaxLength(static_cast<int>(AlarmBlock::MessageLength));
        messageEdits_[i]->setMinimumWidth(messageEdits_[i]->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);
        limitEdits_[i]->setMaximumWidth(limitEdits_[i]->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 14);
        grid->addWidget(check, k, 0);
        grid->addWidget(limitEdits_[i], k, 1);
        grid->addWidget(messageEdits_[i], k, 2);
    }

    auto* lower = new QGridLayout;
    SetpointEd = Named(dialogs::NumberEdit(env, block.setpoint, 4), "SetpointEd", 1762, QStringLiteral("Setpoint"));
    auto* setpointLabel = new QLabel(QStringLiteral("&Setpoint"));
    setpointLabel->setBuddy(SetpointEd);
    NormalMessageEd = Named(new QLineEdit(QString::fromStdString(block.normalMessage)), "NormalMessageEd", 1772,
                            QStringLiteral("Normal Message"));
    NormalMessageEd->setMaxLength(static_cast<int>(AlarmBlock::NormalLength));
    auto* normalLabel = new QLabel(QStringLiteral("Normal"));
    normalLabel->setBuddy(NormalMessageEd);
    lower->addWidget(setpointLabel, 0, 0);
    lower->addWidget(SetpointEd, 0, 1);
    lower->addWidget(normalLabel, 1, 0);
    lower->addWidget(NormalMessageEd, 1, 1);

    auto* deadBand = new QGroupBox(QStringLiteral("Dead Band"));
    auto* deadBandForm = new QGridLayout(deadBand);
    DeadBandHighLowEd = Named(dialogs::NumberEdit(env, block.deadBandHighLow, 4), "DeadBandHighLowEd", 1770,
                              QStringLiteral("Dead Band High/Low"));
    DeadBandDeviationEd = Named(dialogs::NumberEdit(env, block.deadBandDeviation, 4), "DeadBandDeviationEd", 1771,
                                QStringLiteral("Dead Band Deviation"));
    auto* highLowLabel = new QLabel(QStringLiteral("H&igh/Low"));
    highLowLabel->setBuddy(DeadBandHighLowEd);
    auto* deviationLabel = new QLabel(QStringLiteral("De&viation"));
    deviationLabel->setBuddy(DeadBandDeviationEd);
    deadBandForm->addWidget(highLowLabel, 0, 0);
    deadBandForm->addWidget(DeadBandHighLowEd, 0, 1);
    deadBandForm->addWidget(deviationLabel, 1, 0);
    deadBandForm->addWidget(DeadBandDeviationEd, 1, 1);
    lower->addWidget(deadBand, 0, 2, 2, 1);

    GlobalEnableCheck = Named(new QCheckBox(QStringLiteral("Global &Enable")), "GlobalEnableCheck", 1787, QStringLiteral("Global Enable"));
    GlobalEnableCheck->setChecked(block.checkOn);
    connect(GlobalEnableCheck, &QCheckBox::toggled, this, &AlarmAttribDialog::GlobalEnableClick);
    GlobalEnableClick();

    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &AlarmAttribDialog::OKBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addLayout(grid);
    layout->addLayout(lower);
    layout->addWidget(GlobalEnableCheck);
    layout->addLayout(buttons.row);
}

void AlarmAttribDialog::GlobalEnableClick() {
    for (QCheckBox* check : definedChecks_) check->setEnabled(GlobalEnableCheck->isChecked());
}

bool AlarmAttribDialog::apply() {
    RTTop* top = TopOf(env_);
    DynDataSet* set = top ? top->dataSets.at(dataSet_) : nullptr;
    if (!set) return true;  // gone meanwhile: nothing to apply to
    AlarmBlock copy = set->alarm;
    for (int k = 1; k <= AlarmKinds; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        const std::optional<double> limit = dialogs::ReadNumber(env_, limitEdits_[i], plain(Rows[i].caption) + QStringLiteral(" Value"));
        if (!limit) return false;
        const std::string message = messageEdits_[i]->text().toStdString();
        SetAlarm(copy, k, *limit, message.c_str());
        if (!definedChecks_[i]->isChecked()) RemoveAlarm(copy, k);
    }
    const std::optional<double> setpoint = dialogs::ReadNumber(env_, SetpointEd, QStringLiteral("Setpoint"));
    if (!setpoint) return false;
    const std::optional<double> highLow = dialogs::ReadNumber(env_, DeadBandHighLowEd, QStringLiteral("Dead Band High/Low"));
    if (!highLow) return false;
    const std::optional<double> deviation = dialogs::ReadNumber(env_, DeadBandDeviationEd, QStringLiteral("Dead Band Deviation"));
    if (!deviation) return false;
    copy.setpoint = *setpoint;
    copy.deadBandHighLow = *highLow;
    copy.deadBandDeviation = *deviation;
    const std::string normal = NormalMessageEd->text().toStdString();
    SetAlarm(copy, NormalAlarm, 0.0, normal.c_str());
    // The switch as the user left it (defining a limit above switched it on).
    copy.checkOn = set->alarm.checkOn;
    copy.previousState = set->alarm.previousState;
    copy.currentState = set->alarm.currentState;
    for (int k = 1; k <= AlarmKinds; ++k)
        if (!copy.isDefined(k)) RemoveAlarm(copy, k);
    EnableAlarmCheck(copy, GlobalEnableCheck->isChecked());
    set->alarm = copy;
    RefreshAlarmDisplays(env_, dataSet_);
    return true;
}

void AlarmAttribDialog::OKBtnClick() {
    if (apply()) accept();
}

}  // namespace dynaview
