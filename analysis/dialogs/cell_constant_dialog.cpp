#include "analysis/dialogs/cell_constant_dialog.h"

#include "platform/qt/dialog_buttons.h"
#include "platform/qt/typing_limit.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace analysis {

namespace {

QLabel* Text(const QString& text, const char* name, QWidget* parent, bool wrap = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(wrap);
    return label;
}

}  // namespace

TCellConst::TCellConst(CellConstantChain& chain, ChainSettings& mainWindowSettings, platform::Platform& platform,
                       QWidget* parent)
    : QDialog(parent), chain_(chain), mainWindow_(mainWindowSettings), platform_(platform) {
    setObjectName("CellConst");
    setWindowTitle("Compute Probe Cell Constant");
    setProperty("helpContext", HelpContext);
    BuildLayout();
    SetCellConstantText("1.0");
}

void TCellConst::BuildLayout() {
    // The Kp part, always shown.
    auto* kpLabel = Text("Probe Cell Constant ( Kp )", "lblCellConst", this);
    CellConstEd = new QLineEdit(this);
    CellConstEd->setObjectName("CellConstEd");
    CellConstEd->setAccessibleName("Probe Cell Constant ( Kp )");
    CellConstEd->setFixedWidth(90);
    CellConstEd->installEventFilter(this);
    // The key filter decides what enters the edits: no paste or drop around it.
    CellConstEd->setContextMenuPolicy(Qt::NoContextMenu);
    CellConstEd->setAcceptDrops(false);
    kpLabel->setBuddy(CellConstEd);
    auto* explanation = Text("Enter Probe Cell Constant( Kp ) for Soil Bulk Electrical Conductivity Measurement.  "
                             "Conductivity value returned by RFX410 will be multiplied by Kp to get Bulk EC.",
                             "lblExplanation", this, true);
    CalculateBtn = new QPushButton("&Measure Cell Constant", this);
    CalculateBtn->setObjectName("CalculateBtn");
    CalculateBtn->setAccessibleName("Measure Cell Constant");
    connect(CalculateBtn, &QPushButton::clicked, this, &TCellConst::CalculateBtnClick);

    auto* kpRow = new QHBoxLayout;
    kpRow->addWidget(kpLabel);
    kpRow->addWidget(CellConstEd);
    kpRow->addStretch(1);
    kpRow->addWidget(CalculateBtn);

    // The procedure, shown once "Measure Cell Constant" is pressed.
    procedure_ = new QWidget(this);
    procedure_->setObjectName("ProcedurePanel");
    lblInstruction = Text("Compute probe cell constant (Kp) procedure", "lblInstruction", procedure_);
    QFont bold = lblInstruction->font();
    bold.setBold(true);
    lblInstruction->setFont(bold);
    auto* steps = new QGridLayout(procedure_);
    steps->setContentsMargins(0, 8, 0, 0);
    steps->setHorizontalSpacing(8);
    steps->setVerticalSpacing(10);
    steps->addWidget(lblInstruction, 0, 0, 1, 4);
    const char* texts[] = {
        "This procedure uses values from WAVIX main window for Waveform Start and Probe length.",
        "Immerse Probe rods in de-ionized water with rods no closer than 3 cm from container surface.",
        "Measure temperature of DI water.",
        "Enter temperature. ------------------------>",
        "Initiate Computation of Probe Cell Constant by RFX410. -------------------->",
    };
    for (int i = 0; i < 5; ++i) {
        const QString number = QString::number(i + 1) + ".";
        // A step's number, text, edit or button line up at their tops.
        steps->addWidget(Text(number, qPrintable("lblStep" + QString::number(i + 1)), procedure_), i + 1, 0,
                         Qt::AlignTop);
        auto* text = Text(texts[i], qPrintable("lblStepText" + QString::number(i + 1)), procedure_, true);
        steps->addWidget(text, i + 1, 1, Qt::AlignTop);
    }
    WaterTempEd = new QLineEdit(procedure_);
    WaterTempEd->setObjectName("WaterTempEd");
    WaterTempEd->setAccessibleName("Temperature");
    WaterTempEd->setFixedWidth(70);
    WaterTempEd->installEventFilter(this);
    WaterTempEd->setContextMenuPolicy(Qt::NoContextMenu);
    WaterTempEd->setAcceptDrops(false);
    steps->addWidget(WaterTempEd, 4, 2, Qt::AlignTop);
    steps->addWidget(Text("Celsius", "lblCelsius", procedure_), 4, 3, Qt::AlignTop);
    DoItBtn = new QPushButton("&Do It", procedure_);
    DoItBtn->setObjectName("DoItBtn");
    DoItBtn->setAccessibleName("Do It");
    connect(DoItBtn, &QPushButton::clicked, this, &TCellConst::DoItBtnClick);
    steps->addWidget(DoItBtn, 5, 2, 1, 2, Qt::AlignTop);
    auto* units = new QLabel(procedure_);
    units->setObjectName("lblUnits");
    units->setTextFormat(Qt::RichText);
    units->setWordWrap(true);
    units->setText("Applying computed cell constant gives units of Seimens * meter<sup>-1</sup> for electrical "
                   "conductivity measurement.");
    units->setAccessibleName("Applying computed cell constant gives units of Seimens * meter to the power -1 for "
                             "electrical conductivity measurement.");
    steps->addWidget(units, 6, 0, 1, 4);
    steps->setColumnStretch(1, 1);
    steps->setRowStretch(7, 1);

    const auto buttons = platform::MakeDialogButtons(this, "OKbtn", "CancelBtn", "HelpBtn");
    OKbtn = buttons.ok;
    CancelBtn = buttons.cancel;
    HelpBtn = buttons.help;
    connect(OKbtn, &QPushButton::clicked, this, &TCellConst::OKbtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TCellConst::CancelBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this, &TCellConst::HelpBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kpRow);
    layout->addWidget(explanation);
    layout->addWidget(procedure_, 1);
    layout->addStretch(0);
    layout->addLayout(buttons.row);  // anchored to the bottom in both sizes

    setTabOrder(CellConstEd, CalculateBtn);
    setTabOrder(CalculateBtn, WaterTempEd);
    setTabOrder(WaterTempEd, DoItBtn);
    setTabOrder(DoItBtn, OKbtn);
    setTabOrder(OKbtn, CancelBtn);
    setTabOrder(CancelBtn, HelpBtn);
    setFixedWidth(DialogWidth);
}

void TCellConst::SetCellConstantText(const QString& text) { CellConstEd->setText(text); }

QString TCellConst::CellConstantText() const { return CellConstEd->text(); }

bool TCellConst::Expanded() const { return !procedure_->isHidden(); }

void TCellConst::Place(int height) {
    setFixedHeight(height);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - ExpandedHeight) / 2);
    }
}

void TCellConst::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TCellConst::FormShow() {
    // Collapsed: only the Kp part.
    procedure_->hide();
    lblInstruction->hide();
    CalculateBtn->setEnabled(true);
    Place(CollapsedHeight);
}

void TCellConst::CalculateBtnClick() {
    procedure_->show();
    lblInstruction->show();
    CalculateBtn->setEnabled(false);
    Place(ExpandedHeight);
    WaterTempEd->setFocus(Qt::OtherFocusReason);
}

void TCellConst::DoItBtnClick() {
    const std::string temperature = WaterTempEd->text().toStdString();
    if (const auto problem = CheckCellConstantRequest(temperature, mainWindow_.WindowStartText(),
                                                      mainWindow_.ProbeLengthText(), platform_.numbers)) {
        platform_.dialogs.message(*problem, platform::MessageKind::Information);
        return;
    }
    SetEnable(false);
    CellConstantChain::DialogHooks hooks;
    hooks.setEnable = [this](bool on) { SetEnable(on); };
    hooks.showResult = [this](const std::string& kp) { CellConstEd->setText(QString::fromStdString(kp)); };
    chain_.Start(temperature, std::move(hooks));
}

void TCellConst::SetEnable(bool on) {
    measuring_ = !on;
    for (QPushButton* b : {OKbtn, CancelBtn, HelpBtn, DoItBtn}) b->setEnabled(on);
}

void TCellConst::OKbtnClick() {
    if (const auto problem = CheckCellConstant(CellConstEd->text().toStdString(), platform_.numbers)) {
        platform_.dialogs.message(*problem, platform::MessageKind::Information);
        CellConstEd->setFocus(Qt::OtherFocusReason);
        return;
    }
    accept();
}

void TCellConst::CancelBtnClick() { reject(); }

void TCellConst::reject() {
    // While the instrument measures, the dialog stays: the result is on its way into it.
    if (measuring_) return;
    QDialog::reject();
}

void TCellConst::HelpBtnClick() { platform_.help.showContext(HelpContext); }

bool TCellConst::EdKeyPress(QLineEdit* edit, QKeyEvent* event) {
    // Pasting would put in text the filter has not seen.
    if (platform::IsPasteKey(*event)) {
        platform_.tones.messageBeep(platform::Tones::Warning);
        return true;
    }
    const QString text = event->text();
    if (event->key() == Qt::Key_Backspace) return false;
    // Keys that type nothing (arrows, Delete, function keys) and the dialog's own keys.
    if (text.isEmpty() || event->key() == Qt::Key_Delete) return false;
    if (text == "\r" || text == "\n" || text == "\t" || text == "\x1b" || text == "\x7f") return false;
    CellKeyVerdict verdict{false, true};
    if (text.size() == 1)
        verdict = FilterCellConstantKey(text.at(0).unicode(), edit->text().toStdString(), platform_.numbers.decimalSeparator());
    if (verdict.beep) platform_.tones.messageBeep(platform::Tones::Warning);
    return !verdict.accept;
}

bool TCellConst::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == CellConstEd || watched == WaterTempEd))
        return EdKeyPress(static_cast<QLineEdit*>(watched), static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

}  // namespace analysis
