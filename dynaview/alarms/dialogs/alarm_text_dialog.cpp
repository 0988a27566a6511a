#include "dynaview/alarms/dialogs/alarm_text_dialog.h"

#include "dynaview/alarms/dialogs/alarm_lines_dialog.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/object_access.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dynaview {

using dialogs::Named;

namespace {

constexpr int BorderId = 1810, BackgroundId = 1050;
constexpr int ChannelId = 1950, ColourIds = 1951;
constexpr int AlarmAttributesId = 1760;

// The colour rows in the order the object keeps them.
constexpr std::array<const char*, AlarmText::ColourCount> StateNames{"High", "Low", "High-high", "Low-low", "Rate", "Deviation", "Fail", "Normal"};
constexpr std::array<const char*, AlarmText::ColourCount> StateObjectNames{"High", "Low", "HighHigh", "LowLow", "Rate", "Deviation", "Fail", "Normal"};

}  // namespace

AlarmTextDialog::AlarmTextDialog(plotbase::Environment& env, int graph, int object, QWidget* owner)
    : QDialog(owner), env_(env), graph_(graph), object_(object) {
    setObjectName(QStringLiteral("AlarmText"));
    setWindowTitle(QStringLiteral("Alarm Text"));
    setAccessibleName(windowTitle());
    const auto* text = dynamic_cast<const AlarmText*>(FindDynObject(env, graph, object));
    const AlarmText defaults;
    const AlarmText& shown = text ? *text : defaults;
    const DynDataSet* set = text ? text->dataSet(TopOf(env)) : nullptr;

    const dialogs::PositionFields place = dialogs::PositionBox(env, shown.left, shown.top, shown.width, shown.height);
    LeftEd = place.left;
    TopEd = place.top;
    WidthEd = place.width;
    HeightEd = place.height;

    auto* look = new QFormLayout;
    ChannelSpin = Named(new QSpinBox, "ChannelSpin", ChannelId, QStringLiteral("Channel"));
    ChannelSpin->setRange(0, set ? set->channels - 1 : MaxChannels - 1);
    ChannelSpin->setValue(shown.channel);
    look->addRow(QStringLiteral("C&hannel:"), ChannelSpin);
    BorderCheck = Named(new QCheckBox(QStringLiteral("&Border")), "BorderCheck", BorderId, QStringLiteral("Border"));
    BorderCheck->setChecked(shown.borderPattern >= 0);
    look->addRow(BorderCheck);
    BackgroundCombo = Named(dialogs::ColourCombo(shown.background, true), "BackgroundCombo", BackgroundId, QStringLiteral("Colour"));
    look->addRow(QStringLiteral("Colo&r (box):"), BackgroundCombo);

    auto* colours = new QGroupBox(QStringLiteral("Text Colour"));
    auto* colourGrid = new QGridLayout(colours);
    for (int i = 0; i < AlarmText::ColourCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const QString state = QString::fromLatin1(StateNames[k]);
        colourCombos_[k] = Named(dialogs::ColourCombo(shown.colours[k]), (std::string(StateObjectNames[k]) + "ColourCombo").c_str(),
                                 ColourIds + i, state + QStringLiteral(" Colour"));
        auto* label = new QLabel(state);
        label->setBuddy(colourCombos_[k]);
        colourGrid->addWidget(label, i / 2, (i % 2) * 2);
        colourGrid->addWidget(colourCombos_[k], i / 2, (i % 2) * 2 + 1);
    }

    auto* attributes = Named(new QPushButton(QStringLiteral("Alar&m Attributes...")), "AlarmAttributesBtn", AlarmAttributesId,
                             QStringLiteral("Alarm Attributes..."));
    connect(attributes, &QPushButton::clicked, this, &AlarmTextDialog::AlarmAttributesBtnClick);
    auto* attributesRow = new QHBoxLayout;
    attributesRow->addStretch(1);
    attributesRow->addWidget(attributes);

    auto* top = new QHBoxLayout;
    top->addWidget(place.box);
    top->addLayout(look);
    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &AlarmTextDialog::OKBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(colours);
    layout->addLayout(attributesRow);
    layout->addLayout(buttons.row);
}

void AlarmTextDialog::AlarmAttributesBtnClick() { OpenAlarmAttributes(env_, graph_, object_, this); }

bool AlarmTextDialog::apply() {
    auto* text = dynamic_cast<AlarmText*>(FindDynObject(env_, graph_, object_));
    if (!text) return true;
    const std::optional<double> left = dialogs::ReadWithin(env_, LeftEd, "Left", -99.0, 99.0);
    if (!left) return false;
    const std::optional<double> top = dialogs::ReadWithin(env_, TopEd, "Top", -99.0, 99.0);
    if (!top) return false;
    const std::optional<double> width = dialogs::ReadWithin(env_, WidthEd, "Width", 0.1, 200.0);
    if (!width) return false;
    const std::optional<double> height = dialogs::ReadWithin(env_, HeightEd, "Height", 0.1, 200.0);
    if (!height) return false;
    text->left = *left;
    text->top = *top;
    text->width = *width;
    text->height = *height;
    text->channel = ChannelSpin->value();
    if (BorderCheck->isChecked() != (text->borderPattern >= 0)) text->borderPattern = BorderCheck->isChecked() ? 0 : -1;
    text->background = dialogs::ChosenColour(BackgroundCombo, true);
    for (std::size_t k = 0; k < colourCombos_.size(); ++k) text->colours[k] = dialogs::ChosenColour(colourCombos_[k]);
    text->alarmsChanged(ObjectPlace{env_, graph_, object_});
    return true;
}

void AlarmTextDialog::OKBtnClick() {
    if (apply()) accept();
}

}  // namespace dynaview
