#include "dynaview/text/dialogs/text_object_dialog.h"

#include "dynaview/alarms/dialogs/alarm_lines_dialog.h"
#include "dynaview/frame/dialog_support.h"
#include "dynaview/text/dialogs/text_dialog_parts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace dynaview {

using dialogs::Named;

namespace {

constexpr int BorderId = 1810, BorderAttributesId = 500, TextParametersId = 1103, AlarmAttributesId = 1760;

}  // namespace

TextObjectDialog::TextObjectDialog(plotbase::Environment& env, int graph, int object, QWidget* owner, const char* name,
                                   const char* title)
    : QDialog(owner), env_(env), graph_(graph), object_(object) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(QString::fromLatin1(title));
    setAccessibleName(windowTitle());
}

QHBoxLayout* TextObjectDialog::borderRow(bool hasBorder, int pattern, int width, const QString& buttonText) {
    borderPattern_ = pattern;
    borderWidth_ = width;
    BorderCheck = Named(new QCheckBox(QStringLiteral("&Border")), "BorderCheck", BorderId, QStringLiteral("Border"));
    BorderCheck->setChecked(hasBorder);
    auto* attributes = Named(new QPushButton(buttonText), "BorderAttributesBtn", BorderAttributesId, QStringLiteral("Border Attributes..."));
    connect(attributes, &QPushButton::clicked, this, &TextObjectDialog::BorderAttributesBtnClick);
    auto* row = new QHBoxLayout;
    row->addWidget(BorderCheck);
    row->addWidget(attributes);
    return row;
}

void TextObjectDialog::finishLayout(QWidget* place, QLayout* look, QWidget* middle) {
    auto* textParameters = Named(new QPushButton(QStringLiteral("Te&xt Parameters...")), "TextParametersBtn", TextParametersId,
                                 QStringLiteral("Text Parameters..."));
    connect(textParameters, &QPushButton::clicked, this, &TextObjectDialog::TextParametersBtnClick);
    auto* attributes = Named(new QPushButton(QStringLiteral("Alar&m Attributes...")), "AlarmAttributesBtn", AlarmAttributesId,
                             QStringLiteral("Alarm Attributes..."));
    connect(attributes, &QPushButton::clicked, this, &TextObjectDialog::AlarmAttributesBtnClick);
    auto* moreRow = new QHBoxLayout;
    moreRow->addStretch(1);
    moreRow->addWidget(textParameters);
    moreRow->addWidget(attributes);

    auto* top = new QHBoxLayout;
    top->addWidget(place);
    top->addLayout(look);
    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &TextObjectDialog::OKBtnClick);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    if (middle) layout->addWidget(middle);
    layout->addLayout(moreRow);
    layout->addLayout(buttons.row);
}

int TextObjectDialog::chosenBorderPattern() const { return BorderCheck->isChecked() ? std::max(0, borderPattern_) : -1; }

int TextObjectDialog::chosenBorderWidth() const { return BorderCheck->isChecked() ? std::max(1, borderWidth_) : borderWidth_; }

void TextObjectDialog::BorderAttributesBtnClick() {
    BorderAttributesDialog dialog(borderPattern_, borderWidth_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    borderPattern_ = dialog.pattern();
    borderWidth_ = dialog.width();
    BorderCheck->setChecked(true);
}

void TextObjectDialog::TextParametersBtnClick() {
    TextParametersDialog dialog(text_, this);
    if (dialog.exec() == QDialog::Accepted) text_ = dialog.params();
}

void TextObjectDialog::AlarmAttributesBtnClick() { OpenAlarmAttributes(env_, graph_, object_, this); }

void TextObjectDialog::OKBtnClick() {
    if (apply()) accept();
}

}  // namespace dynaview
