#include "dynaview/text/dialogs/message_dialog.h"

#include "dynaview/alarms/dialogs/alarm_lines_dialog.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/text/dialogs/text_dialog_parts.h"
#include "plotbase/operations_change.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
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

constexpr int LeftId = 1814, TopId = 1813, BackgroundId = 1050, BorderId = 1810, BorderAttributesId = 500;
constexpr int TextIds = 1868, ColourIds = 1860, TextParametersId = 1103, AlarmAttributesId = 1760;

}  // namespace

MessageDialog::MessageDialog(plotbase::Environment& env, int graph, int object, QWidget* owner)
    : QDialog(owner), env_(env), graph_(graph), object_(object) {
    setObjectName(QStringLiteral("Message"));
    setWindowTitle(QStringLiteral("Message Parameters"));
    setAccessibleName(windowTitle());
    const auto* message = dynamic_cast<const MessageObject*>(FindDynObject(env, graph, object));
    const MessageObject defaults;
    const MessageObject& shown = message ? *message : defaults;
    borderPattern_ = shown.borderPattern;
    borderWidth_ = shown.borderWidth;
    text_ = shown.attributes.text;

    auto* place = new QGroupBox(QStringLiteral("Position (% of the graph)"));
    auto* placeForm = new QFormLayout(place);
    LeftEd = Named(dialogs::NumberEdit(env, shown.left, 1), "LeftEd", LeftId, QStringLiteral("Left"));
    TopEd = Named(dialogs::NumberEdit(env, shown.top, 1), "TopEd", TopId, QStringLiteral("Top"));
    placeForm->addRow(QStringLiteral("L&eft:"), LeftEd);
    placeForm->addRow(QStringLiteral("&Top:"), TopEd);

    auto* look = new QFormLayout;
    BackgroundCombo = Named(dialogs::ColourCombo(shown.background, true), "BackgroundCombo", BackgroundId, QStringLiteral("Color"));
    look->addRow(QStringLiteral("Colo&r:"), BackgroundCombo);
    BorderCheck = Named(new QCheckBox(QStringLiteral("&Border")), "BorderCheck", BorderId, QStringLiteral("Border"));
    BorderCheck->setChecked(shown.hasBorder());
    auto* borderAttributes = Named(new QPushButton(QStringLiteral("Border Attrib&utes...")), "BorderAttributesBtn", BorderAttributesId,
                                   QStringLiteral("Border Attributes..."));
    connect(borderAttributes, &QPushButton::clicked, this, &MessageDialog::BorderAttributesBtnClick);
    auto* borderRow = new QHBoxLayout;
    borderRow->addWidget(BorderCheck);
    borderRow->addWidget(borderAttributes);
    look->addRow(borderRow);

    auto* messages = new QGroupBox(QStringLiteral("Messages"));
    auto* grid = new QGridLayout(messages);
    grid->addWidget(new QLabel(QStringLiteral("Text")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Color")), 0, 2);
    for (int i = 0; i < MaxMessages; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const QString number = QString::number(i);
        textEdits_[k] = Named(new QLineEdit(QString::fromStdString(shown.messages[k].text)), ("MessageEd" + std::to_string(i)).c_str(),
                              TextIds + i, QStringLiteral("Message ") + number);
        textEdits_[k]->setMaxLength(MessageTextLength);
        textEdits_[k]->setMinimumWidth(220);
        colourCombos_[k] = Named(dialogs::ColourCombo(shown.messages[k].colour), ("ColourCombo" + std::to_string(i)).c_str(), ColourIds + i,
                                 QStringLiteral("Message ") + number + QStringLiteral(" Colour"));
        auto* label = new QLabel(number);
        label->setBuddy(textEdits_[k]);
        grid->addWidget(label, i + 1, 0);
        grid->addWidget(textEdits_[k], i + 1, 1);
        grid->addWidget(colourCombos_[k], i + 1, 2);
    }

    auto* textParameters = Named(new QPushButton(QStringLiteral("Te&xt Parameters...")), "TextParametersBtn", TextParametersId,
                                 QStringLiteral("Text Parameters..."));
    connect(textParameters, &QPushButton::clicked, this, &MessageDialog::TextParametersBtnClick);
    auto* attributes = Named(new QPushButton(QStringLiteral("Alar&m Attributes...")), "AlarmAttributesBtn", AlarmAttributesId,
                             QStringLiteral("Alarm Attributes..."));
    connect(attributes, &QPushButton::clicked, this, &MessageDialog::AlarmAttributesBtnClick);
    auto* moreRow = new QHBoxLayout;
    moreRow->addStretch(1);
    moreRow->addWidget(textParameters);
    moreRow->addWidget(attributes);

    auto* top = new QHBoxLayout;
    top->addWidget(place);
    top->addLayout(look);
    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &MessageDialog::OKBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(messages);
    layout->addLayout(moreRow);
    layout->addLayout(buttons.row);
}

void MessageDialog::BorderAttributesBtnClick() {
    BorderAttributesDialog dialog(borderPattern_, borderWidth_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    borderPattern_ = dialog.pattern();
    borderWidth_ = dialog.width();
    BorderCheck->setChecked(true);
}

void MessageDialog::TextParametersBtnClick() {
    TextParametersDialog dialog(text_, this);
    if (dialog.exec() == QDialog::Accepted) text_ = dialog.params();
}

void MessageDialog::AlarmAttributesBtnClick() { OpenAlarmAttributes(env_, graph_, object_, this); }

bool MessageDialog::apply() {
    auto* message = dynamic_cast<MessageObject*>(FindDynObject(env_, graph_, object_));
    if (!message) return true;
    const std::optional<double> left = ReadWithin(env_, LeftEd, "Left", -99.0, 99.0);
    if (!left) return false;
    const std::optional<double> top = ReadWithin(env_, TopEd, "Top", -99.0, 99.0);
    if (!top) return false;
    message->left = *left;
    message->top = *top;
    message->background = dialogs::ChosenColour(BackgroundCombo, true);
    message->borderPattern = BorderCheck->isChecked() ? std::max(0, borderPattern_) : -1;
    message->borderWidth = BorderCheck->isChecked() ? std::max(1, borderWidth_) : borderWidth_;
    message->attributes.text = text_;
    for (std::size_t k = 0; k < textEdits_.size(); ++k) {
        message->messages[k].text = textEdits_[k]->text().left(MessageTextLength).toStdString();
        message->messages[k].colour = dialogs::ChosenColour(colourCombos_[k]);
    }
    plotbase::WGRedrawObject(env_, graph_, 0, 0);
    return true;
}

void MessageDialog::OKBtnClick() {
    if (apply()) accept();
}

}  // namespace dynaview
