#include "dynaview/text/dialogs/dyn_text_dialog.h"

#include "dynaview/alarms/dialogs/alarm_lines_dialog.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/text/dialogs/text_dialog_parts.h"
#include "plotbase/operations_change.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dynaview {

using dialogs::Named;

namespace {

constexpr int LeftId = 1814, TopId = 1813, WidthId = 1812, HeightId = 1811, BorderId = 1810, BorderAttributesId = 500;
constexpr int BackgroundId = 1050, PrecisionId = 1850, TextParametersId = 1103, AlarmAttributesId = 1760;

}  // namespace

DynTextDialog::DynTextDialog(plotbase::Environment& env, int graph, int object, QWidget* owner)
    : QDialog(owner), env_(env), graph_(graph), object_(object) {
    setObjectName(QStringLiteral("DynText"));
    setWindowTitle(QStringLiteral("Dynamic Text"));
    setAccessibleName(windowTitle());
    const auto* text = dynamic_cast<const DynamicText*>(FindDynObject(env, graph, object));
    const DynamicText defaults;
    const DynamicText& shown = text ? *text : defaults;
    borderPattern_ = shown.borderPattern;
    borderWidth_ = shown.borderWidth;
    text_ = shown.attributes.text;
    if (shown.textSize > 0) text_.size = shown.textSize;

    auto* place = new QGroupBox(QStringLiteral("Position (% of the graph)"));
    auto* placeForm = new QFormLayout(place);
    LeftEd = Named(dialogs::NumberEdit(env, shown.left, 1), "LeftEd", LeftId, QStringLiteral("Left"));
    TopEd = Named(dialogs::NumberEdit(env, shown.top, 1), "TopEd", TopId, QStringLiteral("Top"));
    WidthEd = Named(dialogs::NumberEdit(env, shown.width, 1), "WidthEd", WidthId, QStringLiteral("Width"));
    HeightEd = Named(dialogs::NumberEdit(env, shown.height, 1), "HeightEd", HeightId, QStringLiteral("Height"));
    placeForm->addRow(QStringLiteral("L&eft:"), LeftEd);
    placeForm->addRow(QStringLiteral("&Top:"), TopEd);
    placeForm->addRow(QStringLiteral("&Width:"), WidthEd);
    placeForm->addRow(QStringLiteral("He&ight:"), HeightEd);

    auto* look = new QFormLayout;
    BorderCheck = Named(new QCheckBox(QStringLiteral("&Border")), "BorderCheck", BorderId, QStringLiteral("Border"));
    BorderCheck->setChecked(shown.hasBorder());
    auto* borderAttributes = Named(new QPushButton(QStringLiteral("Border &Attributes...")), "BorderAttributesBtn", BorderAttributesId,
                                   QStringLiteral("Border Attributes..."));
    connect(borderAttributes, &QPushButton::clicked, this, &DynTextDialog::BorderAttributesBtnClick);
    auto* borderRow = new QHBoxLayout;
    borderRow->addWidget(BorderCheck);
    borderRow->addWidget(borderAttributes);
    look->addRow(borderRow);
    BackgroundCombo = Named(dialogs::ColourCombo(shown.background, true), "BackgroundCombo", BackgroundId, QStringLiteral("Colour"));
    look->addRow(QStringLiteral("Colo&r:"), BackgroundCombo);
    PrecisionSpin = Named(new QSpinBox, "PrecisionSpin", PrecisionId, QStringLiteral("Precision"));
    PrecisionSpin->setRange(0, 15);
    PrecisionSpin->setValue(shown.precision);
    look->addRow(QStringLiteral("&Precision:"), PrecisionSpin);

    auto* textParameters = Named(new QPushButton(QStringLiteral("Te&xt Parameters...")), "TextParametersBtn", TextParametersId,
                                 QStringLiteral("Text Parameters..."));
    connect(textParameters, &QPushButton::clicked, this, &DynTextDialog::TextParametersBtnClick);
    auto* attributes = Named(new QPushButton(QStringLiteral("Alar&m Attributes...")), "AlarmAttributesBtn", AlarmAttributesId,
                             QStringLiteral("Alarm Attributes..."));
    connect(attributes, &QPushButton::clicked, this, &DynTextDialog::AlarmAttributesBtnClick);
    auto* moreRow = new QHBoxLayout;
    moreRow->addStretch(1);
    moreRow->addWidget(textParameters);
    moreRow->addWidget(attributes);

    auto* top = new QHBoxLayout;
    top->addWidget(place);
    top->addLayout(look);
    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &DynTextDialog::OKBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(moreRow);
    layout->addLayout(buttons.row);
}

void DynTextDialog::BorderAttributesBtnClick() {
    BorderAttributesDialog dialog(borderPattern_, borderWidth_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    borderPattern_ = dialog.pattern();
    borderWidth_ = dialog.width();
    BorderCheck->setChecked(true);
}

void DynTextDialog::TextParametersBtnClick() {
    TextParametersDialog dialog(text_, this);
    if (dialog.exec() == QDialog::Accepted) text_ = dialog.params();
}

void DynTextDialog::AlarmAttributesBtnClick() { OpenAlarmAttributes(env_, graph_, object_, this); }

bool DynTextDialog::apply() {
    auto* text = dynamic_cast<DynamicText*>(FindDynObject(env_, graph_, object_));
    if (!text) return true;
    const std::optional<double> left = ReadWithin(env_, LeftEd, "Left", -99.0, 99.0);
    if (!left) return false;
    const std::optional<double> top = ReadWithin(env_, TopEd, "Top", -99.0, 99.0);
    if (!top) return false;
    const std::optional<double> width = ReadWithin(env_, WidthEd, "Width", 0.0, 200.0);
    if (!width) return false;
    const std::optional<double> height = ReadWithin(env_, HeightEd, "Height", 0.0, 200.0);
    if (!height) return false;
    text->left = *left;
    text->top = *top;
    text->width = *width;
    text->height = *height;
    text->borderPattern = BorderCheck->isChecked() ? std::max(0, borderPattern_) : -1;
    text->borderWidth = BorderCheck->isChecked() ? std::max(1, borderWidth_) : borderWidth_;
    text->background = dialogs::ChosenColour(BackgroundCombo, true);
    text->precision = PrecisionSpin->value();
    text->textSize = text_.size;
    text->attributes.text.style = text_.style;
    text->redrawAll();
    plotbase::WGRedrawObject(env_, graph_, 0, 0);
    return true;
}

void DynTextDialog::OKBtnClick() {
    if (apply()) accept();
}

}  // namespace dynaview
