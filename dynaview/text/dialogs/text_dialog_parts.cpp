#include "dynaview/text/dialogs/text_dialog_parts.h"

#include "dynaview/frame/dialog_support.h"
#include "platform/dialogs.h"
#include "platform/numbers.h"
#include "plotbase/environment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dynaview {

using dialogs::Named;

BorderAttributesDialog::BorderAttributesDialog(int pattern, int width, QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("BorderAttributes"));
    setWindowTitle(QStringLiteral("Border Attributes"));
    setAccessibleName(windowTitle());
    PatternCombo = Named(dialogs::PatternCombo(std::max(0, pattern)), "PatternCombo", 501, QStringLiteral("Pattern"));
    WidthSpin = Named(new QSpinBox, "WidthSpin", 502, QStringLiteral("Width"));
    WidthSpin->setRange(1, 50);
    WidthSpin->setValue(std::max(1, width));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Pattern:"), PatternCombo);
    form->addRow(QStringLiteral("&Width:"), WidthSpin);
    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.row);
}

int BorderAttributesDialog::pattern() const { return PatternCombo->currentIndex(); }
int BorderAttributesDialog::width() const { return WidthSpin->value(); }

TextParametersDialog::TextParametersDialog(const plotbase::TextParams& params, QWidget* owner) : QDialog(owner), params_(params) {
    setObjectName(QStringLiteral("TextParameters"));
    setWindowTitle(QStringLiteral("Text Parameters"));
    setAccessibleName(windowTitle());
    SizeSpin = Named(new QSpinBox, "SizeSpin", 1104, QStringLiteral("Size"));
    SizeSpin->setRange(1, 200);
    SizeSpin->setValue(std::max(1, params.size));
    BoldCheck = Named(new QCheckBox(QStringLiteral("&Bold")), "BoldCheck", 1105, QStringLiteral("Bold"));
    BoldCheck->setChecked(params.style & plotbase::BoldText);
    ItalicCheck = Named(new QCheckBox(QStringLiteral("&Italic")), "ItalicCheck", 1106, QStringLiteral("Italic"));
    ItalicCheck->setChecked(params.style & plotbase::ItalicText);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Size:"), SizeSpin);
    form->addRow(BoldCheck);
    form->addRow(ItalicCheck);
    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.row);
}

plotbase::TextParams TextParametersDialog::params() const {
    plotbase::TextParams p = params_;
    p.size = SizeSpin->value();
    p.style = (p.style & plotbase::UnderlinedText) | (BoldCheck->isChecked() ? plotbase::BoldText : 0) |
              (ItalicCheck->isChecked() ? plotbase::ItalicText : 0);
    return p;
}

}  // namespace dynaview
