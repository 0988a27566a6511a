#include "analysis/dialogs/calibration_dialog.h"

#include "platform/qt/dialog_buttons.h"
#include "platform/qt/typing_limit.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace analysis {

namespace {

struct ChoiceText {
    const char* objectName;
    const char* caption;
    const char* description;  // tells the three "User Defined" buttons apart for screen readers
};

constexpr std::array<ChoiceText, 5> Choices{{
    {"LedieuRB", "Ledieu  0.1138 X  -0.1758", "Water content 0.1138 X - 0.1758"},
    {"LedieuUDRB", "User Defined", "Water content C1 X + C2"},
    {"LedieuUD2RB", "User Defined", "Water content C1 X^5 + C2 X^4 + C3 X^3 + C4 X^2 + C5 X + C6"},
    {"ToppRB", "Topp = 0.0000043 X^3  -0.00055 X^2  +0.0292 X  -0.053",
     "Water content 0.0000043 Ka^3 - 0.00055 Ka^2 + 0.0292 Ka - 0.053"},
    {"ToppUDRB", "User Defined", "Water content C1 Ka^5 + C2 Ka^4 + C3 Ka^3 + C4 Ka^2 + C5 Ka + C6"},
}};

// The labels between the six edits of a polynomial, and the one after the linear term.
constexpr std::array<const char*, 5> PolynomialLabels{"X^5 +", "X^4 +", "X^3 +", "X^2 +", "X +"};
constexpr const char* LinearLabel = "X  +";

constexpr int FirstLedieuPolynomialEdit = 2;
constexpr int FirstToppPolynomialEdit = 8;

QLabel* MakeLabel(const char* text, const QString& objectName, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

TCaliDlgForm::TCaliDlgForm(platform::Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform) {
    setObjectName("CaliDlgForm");
    setWindowTitle("Conversion from Dielectric Constant to Volumetric Water Content");
    setProperty("helpContext", HelpContext);
    BuildLayout();
    SetTexts(DefaultCoefficientTexts(platform_.numbers));
    shown_ = CurrentState();
}

QLineEdit* TCaliDlgForm::MakeCoefficientEdit(int index, QWidget* parent) {
    const CoefficientEdit& entry = CoefficientEdits()[static_cast<std::size_t>(index)];
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(entry.name);
    edit->setAccessibleName(entry.accessibleName);
    // The key filter decides what enters an edit, and keeps the typing limit so that
    // longer stored texts stay whole: no paste or drop around it.
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    edit->setAcceptDrops(false);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(MaxCoefficientLength + 1, '0')) + 10);
    edit->installEventFilter(this);
    edits_[static_cast<std::size_t>(index)] = edit;
    return edit;
}

void TCaliDlgForm::BuildLayout() {
    choice_ = new QButtonGroup(this);
    choice_->setExclusive(true);

    ledieuGroup_ = new QGroupBox(" X = SquareRoot(Apparent Dielectric Constant) = La/L", this);
    ledieuGroup_->setObjectName("LedieuGB");
    ledieuGroup_->setStyleSheet("QGroupBox::title { color: blue; }");
    toppGroup_ = new QGroupBox(" X = Apparent Dielectric Constant = (La/L)^2", this);
    toppGroup_->setObjectName("ToppGB");
    toppGroup_->setStyleSheet("QGroupBox::title { color: red; }");

    for (std::size_t i = 0; i < Choices.size(); ++i) {
        QWidget* group = i < 3 ? static_cast<QWidget*>(ledieuGroup_) : toppGroup_;
        auto* radio = new QRadioButton(Choices[i].caption, group);
        radio->setObjectName(Choices[i].objectName);
        radio->setAccessibleName(Choices[i].caption);
        radio->setAccessibleDescription(Choices[i].description);
        choice_->addButton(radio, static_cast<int>(i) + 1);
        radio_[i] = radio;
    }
    connect(choice_, &QButtonGroup::buttonClicked, this, &TCaliDlgForm::SelectRBClick);

    // A grid per group: the radio button, then edit, label, edit, ... so that the terms of
    // the rows line up.
    auto polynomialRow = [this](QGridLayout* grid, int row, int firstEdit, QWidget* parent) {
        for (int k = 0; k < CoefficientCount; ++k) {
            grid->addWidget(MakeCoefficientEdit(firstEdit + k, parent), row, 1 + 2 * k);
            if (k < CoefficientCount - 1) {
                const QString name = QString(CoefficientEdits()[static_cast<std::size_t>(firstEdit + k)].name) + "Lbl";
                grid->addWidget(MakeLabel(PolynomialLabels[static_cast<std::size_t>(k)], name, parent), row, 2 + 2 * k);
            }
        }
    };

    auto* ledieuGrid = new QGridLayout(ledieuGroup_);
    ledieuGrid->setHorizontalSpacing(6);
    ledieuGrid->addWidget(radio_[0], 0, 0, 1, -1, Qt::AlignLeft);
    ledieuGrid->addWidget(radio_[1], 1, 0);
    ledieuGrid->addWidget(MakeCoefficientEdit(0, ledieuGroup_), 1, 1);
    ledieuGrid->addWidget(MakeLabel(LinearLabel, "LedieuCoef1Lbl", ledieuGroup_), 1, 2);
    ledieuGrid->addWidget(MakeCoefficientEdit(1, ledieuGroup_), 1, 3);
    ledieuGrid->addWidget(radio_[2], 2, 0);
    polynomialRow(ledieuGrid, 2, FirstLedieuPolynomialEdit, ledieuGroup_);
    ledieuGrid->setColumnStretch(12, 1);

    auto* toppGrid = new QGridLayout(toppGroup_);
    toppGrid->setHorizontalSpacing(6);
    toppGrid->addWidget(radio_[3], 0, 0, 1, -1, Qt::AlignLeft);
    toppGrid->addWidget(radio_[4], 1, 0);
    polynomialRow(toppGrid, 1, FirstToppPolynomialEdit, toppGroup_);
    toppGrid->setColumnStretch(12, 1);

    const auto buttons = platform::MakeDialogButtons(this, "OKBtn", "CancelBtn", "HelpBtn");
    okButton_ = buttons.ok;
    cancelButton_ = buttons.cancel;
    helpButton_ = buttons.help;
    connect(okButton_, &QPushButton::clicked, this, &TCaliDlgForm::OKBtnClick);
    connect(cancelButton_, &QPushButton::clicked, this, &TCaliDlgForm::CancelBtnClick);
    connect(helpButton_, &QPushButton::clicked, this, &TCaliDlgForm::HelpBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ledieuGroup_);
    layout->addWidget(toppGroup_);
    layout->addLayout(buttons.row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Tab order: down each group row by row, then the buttons.
    QList<QWidget*> order{radio_[0], radio_[1], edits_[0], edits_[1], radio_[2]};
    for (int i = FirstLedieuPolynomialEdit; i < FirstToppPolynomialEdit; ++i) order.append(edits_[static_cast<std::size_t>(i)]);
    order.append({radio_[3], radio_[4]});
    for (int i = FirstToppPolynomialEdit; i < CoefficientEditCount; ++i) order.append(edits_[static_cast<std::size_t>(i)]);
    order.append({okButton_, cancelButton_, helpButton_});
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TCaliDlgForm::ReadSettings(const platform::ProfileFile& file) {
    const CalibrationSettings settings = ReadCalibrationSettings(file, platform_.numbers);
    SetTexts(settings.texts);
    const StartupCalibration startup = StartupFromSettings(settings, platform_.numbers);
    Check(startup.checkedButton);
    inForce_ = startup.calibration;
    shown_ = CurrentState();
    if (!startup.problems.empty())
        platform_.dialogs.message(DescribeStartupProblems(startup.problems, platform_.numbers), platform::MessageKind::Warning);
}

bool TCaliDlgForm::WriteSettings(platform::ProfileFile& file) const {
    const int checked = CheckedButton();
    return WriteCalibrationSettings(file, {Texts(), checked == 0 ? DefaultRadioButton : checked});
}

int TCaliDlgForm::CheckedButton() const {
    for (std::size_t i = 0; i < radio_.size(); ++i)
        if (radio_[i]->isChecked()) return static_cast<int>(i) + 1;
    return 0;
}

CoefficientTexts TCaliDlgForm::Texts() const {
    CoefficientTexts texts;
    for (std::size_t i = 0; i < edits_.size(); ++i) texts[i] = edits_[i]->text().toStdString();
    return texts;
}

void TCaliDlgForm::SetTexts(const CoefficientTexts& texts) {
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        edits_[i]->setText(QString::fromStdString(texts[i]));
    }
}

void TCaliDlgForm::Check(int button) {
    if (IsEquationNumber(button)) {
        radio_[static_cast<std::size_t>(button - 1)]->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; clearing all needs it off for a moment.
    choice_->setExclusive(false);
    for (auto* radio : radio_) radio->setChecked(false);
    choice_->setExclusive(true);
}

TCaliDlgForm::ControlState TCaliDlgForm::CurrentState() const { return {Texts(), CheckedButton()}; }

void TCaliDlgForm::Restore(const ControlState& state) {
    SetTexts(state.texts);
    Check(state.checked);
}

void TCaliDlgForm::OKBtnClick() {
    int equation = CheckedButton();
    if (equation == 0) {
        equation = LedieuFixed;
        Check(equation);
    }
    CaliCoefficients coef = inForce_.coef;
    if (const auto problem = ConvertCoefficients(equation, Texts(), platform_.numbers, coef)) {
        platform_.dialogs.message(problem->message, platform::MessageKind::Error);
        QLineEdit* edit = edits_[static_cast<std::size_t>(problem->edit)];
        edit->setFocus();
        edit->selectAll();
        return;
    }
    inForce_ = Calibration{equation, coef};
    shown_ = CurrentState();
    accept();
}

void TCaliDlgForm::CancelBtnClick() { reject(); }

void TCaliDlgForm::reject() {
    // Nothing typed or chosen since the last OK survives a Cancel, so that what the exit
    // save writes is the calibration in force.
    Restore(shown_);
    QDialog::reject();
}

void TCaliDlgForm::HelpBtnClick() { platform_.help.showContext(HelpContext); }

void TCaliDlgForm::SelectRBClick(QAbstractButton* clicked) {
    // The two group boxes hold one choice.
    for (auto* radio : radio_)
        if (radio != clicked && radio->isChecked()) radio->setChecked(false);
}

bool TCaliDlgForm::EditKeyPress(QLineEdit* edit, QKeyEvent* event) {
    const QString text = event->text();
    if (event->key() == Qt::Key_Backspace) return false;
    // Pasting would bypass the filter: refused like the paste character.
    if (platform::IsPasteKey(*event)) {
        platform_.tones.messageBeep(platform::Tones::Warning);
        return true;
    }
    // Keys that type nothing (arrows, Delete, function keys) and the dialog's own keys.
    if (text.isEmpty() || event->key() == Qt::Key_Delete) return false;
    if (text == "\r" || text == "\n" || text == "\t" || text == "\x1b") return false;

    KeyVerdict verdict{false, true};
    if (text.size() == 1)
        verdict = FilterCoefficientKey(text.at(0).unicode(), edit->text().toStdString(), platform_.numbers.decimalSeparator());
    if (verdict.beep) platform_.tones.messageBeep(platform::Tones::Warning);
    if (!verdict.accept) return true;
    return platform::TypesPastLimit(*edit, *event, MaxCoefficientLength);
}

bool TCaliDlgForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        for (auto* edit : edits_)
            if (watched == edit) return EditKeyPress(edit, static_cast<QKeyEvent*>(event));
    }
    return QDialog::eventFilter(watched, event);
}

void TCaliDlgForm::showEvent(QShowEvent* event) {
    shown_ = CurrentState();
    QDialog::showEvent(event);
}

bool RenderCalibrationDialogScreenshot(const QString& pngPath, platform::Platform& platform) {
    TCaliDlgForm dialog(platform);
    dialog.findChild<QRadioButton*>("LedieuUD2RB")->setChecked(true);
    dialog.show();
    const bool saved = dialog.grab().save(pngPath, "PNG");
    dialog.hide();
    return saved;
}

}  // namespace analysis
