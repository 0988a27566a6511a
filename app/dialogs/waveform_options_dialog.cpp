#include "app/dialogs/waveform_options_dialog.h"

#include "platform/qt/dialog_buttons.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int MaxGainLength = 2;

}  // namespace

TAcqWaveForm::TAcqWaveForm(instrument::TTDRdataObject& link, platform::Platform& platform, QWidget* parent)
    : QDialog(parent), link_(link), platform_(platform) {
    setObjectName("AcqWaveForm");
    setWindowTitle("Get Waveform Options");
    setProperty("helpContext", HelpContext);

    auto* group = new QGroupBox("Waveform", this);
    group->setObjectName("WFtype");
    reflection_ = new QRadioButton("Reflection Waveform", group);
    reflection_->setObjectName("ReflectionRB");
    reflection_->setAccessibleName("Reflection Waveform");
    withDerivative_ = new QRadioButton("Reflection and Derivative", group);
    withDerivative_->setObjectName("ReflDerivRB");
    withDerivative_->setAccessibleName("Reflection and Derivative");
    type_ = new QButtonGroup(this);
    type_->addButton(reflection_, ReflectionOnly);
    type_->addButton(withDerivative_, ReflectionAndDerivative);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(reflection_);
    groupLayout->addWidget(withDerivative_);
    connect(type_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) WFtypeClick();
    });

    gain_ = new QLineEdit("2", this);
    gain_->setObjectName("DerivGain");
    gain_->setAccessibleName("Derivative Display Gain");
    gain_->setMaxLength(MaxGainLength);
    // Typed keys are filtered below; this keeps pasted text to digits as well.
    gain_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,2}"), gain_));
    gain_->setFixedWidth(gain_->fontMetrics().horizontalAdvance("0000") + 12);
    gain_->installEventFilter(this);
    gainLabel_ = new QLabel("Derivative Display Gain", this);
    gainLabel_->setObjectName("DerivGainLbl");
    gainLabel_->setBuddy(gain_);
    auto* gainRow = new QHBoxLayout;
    gainRow->addWidget(gain_);
    gainRow->addWidget(gainLabel_);
    gainRow->addStretch(1);

    const auto buttons = platform::MakeDialogButtons(this, "OKBtn", "CancelBtn", "HelpBtn", "Help");
    connect(buttons.ok, &QPushButton::clicked, this, &TAcqWaveForm::OKBtnClick);
    connect(buttons.cancel, &QPushButton::clicked, this, &TAcqWaveForm::CancelBtnClick);
    connect(buttons.help, &QPushButton::clicked, this, &TAcqWaveForm::HelpBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(gainRow);
    layout->addSpacing(6);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(reflection_, withDerivative_);
    setTabOrder(withDerivative_, gain_);
    setTabOrder(gain_, buttons.ok);
    setTabOrder(buttons.ok, buttons.cancel);
    setTabOrder(buttons.cancel, buttons.help);

    reflection_->setChecked(true);
    WFtypeClick();
}

int TAcqWaveForm::WFtypeIndex() const { return type_->checkedId(); }

void TAcqWaveForm::SetWFtypeIndex(int index) {
    (index == ReflectionAndDerivative ? withDerivative_ : reflection_)->setChecked(true);
    WFtypeClick();
}

QString TAcqWaveForm::DerivGainText() const { return gain_->text(); }

void TAcqWaveForm::WFtypeClick() {
    const bool derivative = WFtypeIndex() == ReflectionAndDerivative;
    gain_->setEnabled(derivative);
    gainLabel_->setEnabled(derivative);
}

bool TAcqWaveForm::DerivGainKeyPress(QKeyEvent* event) {
    const QString text = event->text();
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) return false;
    // Keys that type nothing (arrows, function keys) and the dialog's own keys.
    if (text.isEmpty() || text == "\r" || text == "\n" || text == "\t" || text == "\x1b") return false;
    return !(text.size() == 1 && text.at(0).isDigit() && text.at(0).unicode() < 128);
}

void TAcqWaveForm::OKBtnClick() {
    const QString text = gain_->text().trimmed();
    float gain = 0.0f;
    if (!text.isEmpty()) {
        const auto value = platform_.numbers.parseReal(text.toStdString());
        if (!value) {
            platform_.dialogs.message(platform::Numbers::notAFloatMessage(text.toStdString()), platform::MessageKind::Error);
            gain_->setFocus();
            return;
        }
        gain = static_cast<float>(*value);
    }
    link_.DerivativeGain = gain;
    if (WFtypeIndex() == ReflectionOnly && clearDerivative_) clearDerivative_();
    accept();
}

// Closes and changes nothing: the radio group and the gain keep what the user set.
void TAcqWaveForm::CancelBtnClick() { reject(); }

void TAcqWaveForm::HelpBtnClick() { platform_.help.showContext(HelpContext); }

bool TAcqWaveForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == gain_ && event->type() == QEvent::KeyPress) return DerivGainKeyPress(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

}  // namespace app
