#include "graph/axis_range_dialog.h"

#include "graph/tdr_gfx.h"
#include "link/chain_start.h"
#include "link/chain_steps.h"
#include "platform/qt/dialog_buttons.h"
#include "platform/qt/typing_limit.h"
#include "link/command_set.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace graph {

using instrument::ChainRow;
using instrument::NoLimit;
using instrument::NoTarget;

TAxisRange::TAxisRange(TDRGFX& graph, instrument::TTDRdataObject& data, instrument::TStateMach& machine,
                       instrument::BusySwitches& window, platform::Platform& platform,
                       std::function<void()> updateDisplay, QWidget* parent)
    : QDialog(parent), graph_(graph), data_(data), machine_(machine), window_(window), platform_(platform),
      updateDisplay_(std::move(updateDisplay)) {
    setObjectName("AxisRange");
    setWindowTitle("Graph Window Axis Range Change");
    setAccessibleName(windowTitle());
    setProperty("helpContext", HelpContext);

    auto* grid = new QGridLayout();
    auto edit = [this](const char* name, const char* accessible) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setAccessibleName(accessible);
        e->setMaxLength(12);
        e->setContextMenuPolicy(Qt::NoContextMenu);
        e->setAcceptDrops(false);
        e->installEventFilter(this);
        return e;
    };
    Xmin = edit("Xmin", "X-axis Min");
    Xmax = edit("Xmax", "X-axis Max");
    Ymin = edit("Ymin", "Y-axis Min");
    Ymax = edit("Ymax", "Y-axis Max");
    Units = new QLabel("Meters", this);
    Units->setObjectName("Units");
    auto label = [this](const char* text, QLineEdit* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(new QLabel("<b>X-axis (distance)</b>", this), 0, 0, 1, 4);
    grid->addWidget(label("M&in", Xmin), 1, 0);
    grid->addWidget(Xmin, 1, 1);
    grid->addWidget(label("M&ax", Xmax), 1, 2);
    grid->addWidget(Xmax, 1, 3);
    grid->addWidget(Units, 1, 4);
    grid->addWidget(new QLabel("<b>Y-axis (reflection coefficient)</b>", this), 2, 0, 1, 4);
    grid->addWidget(label("Mi&n", Ymin), 3, 0);
    grid->addWidget(Ymin, 3, 1);
    grid->addWidget(label("Ma&x", Ymax), 3, 2);
    grid->addWidget(Ymax, 3, 3);

    const auto buttons = platform::MakeDialogButtons(this, "OKbtn", "CancelBtn", "HelpBtn");
    connect(buttons.ok, &QPushButton::clicked, this, [this] { OKbtnClick(); });
    connect(buttons.cancel, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    connect(buttons.help, &QPushButton::clicked, this, [this] { CommDlgHelpBtnClick(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons.row);
    setTabOrder(Xmin, Xmax);
    setTabOrder(Xmax, Ymin);
    setTabOrder(Ymin, Ymax);
}

void TAxisRange::SetXYMaxMin(float rangeXMax, float rangeXMin, float rangeYMax, float rangeYMin) {
    rangeXMax_ = rangeXMax;
    rangeXMin_ = rangeXMin;
    rangeYMax_ = rangeYMax;
    rangeYMin_ = rangeYMin;
}

void TAxisRange::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TAxisRange::FormShow() {
    const auto& n = platform_.numbers;
    Units->setText("Meters");
    Xmin->setText(QString::fromStdString(n.formatWidth(rangeXMin_, 4, 4)).trimmed());
    Xmax->setText(QString::fromStdString(n.formatWidth(rangeXMax_, 4, 4)).trimmed());
    Ymin->setText(QString::fromStdString(n.formatGeneral(rangeYMin_, 4)));
    Ymax->setText(QString::fromStdString(n.formatGeneral(rangeYMax_, 4)));
    Xmin->setFocus();
    Xmin->selectAll();
}

void TAxisRange::OKbtnClick() {
    const AxisRangeTexts texts{Xmin->text().toStdString(), Xmax->text().toStdString(), Ymin->text().toStdString(),
                               Ymax->text().toStdString()};
    const AxisRangeVerdict verdict = CheckAxisRanges(texts, platform_.numbers);
    if (!verdict.ranges) {
        platform_.dialogs.message(verdict.message, platform::MessageKind::Information);
        QLineEdit* edits[] = {Xmin, Xmax, Ymax, Ymin};
        edits[verdict.failedField]->setFocus();
        return;
    }
    const AxisRanges& r = *verdict.ranges;
    graph_.SetDistanceAxis(r.xmin, r.xmax);
    graph_.SetValueAxis(r.ymin, r.ymax);
    graph_.YaxisMax = r.ymax;
    graph_.YaxisMin = r.ymin;
    winLength_ = r.xmax - r.xmin;
    sentXmin_ = texts.xmin;
    // Busy or not, the dialog closes: the graph has its new ranges already.
    instrument::StartChain(machine_, window_, platform_.dialogs, AxisChain());
    accept();
}

void TAxisRange::CancelBtnClick() { reject(); }

void TAxisRange::CommDlgHelpBtnClick() { platform_.help.showContext(HelpContext); }

std::vector<ChainRow> TAxisRange::AxisChain() {
    auto act = [this](void (TAxisRange::*step)(std::int32_t&)) {
        return [this, step](std::int32_t& result) { (this->*step)(result); };
    };
    return {
        //  #  name    action               limit    success   failure
        {0, "SDIS", act(&TAxisRange::SdisStep), 1000,    1,        3},
        {1, "SWLN", act(&TAxisRange::SwlnStep), 1000,    2,        3},
        {2, "DUMP", act(&TAxisRange::DumpStep), 2000,    4,        3},
        {3, "Err",  act(&TAxisRange::ErrStep),  NoLimit, 4,        4},
        {4, "END",  act(&TAxisRange::EndStep),  NoLimit, NoTarget, NoTarget},
    };
}

void TAxisRange::Request(std::int32_t code, const char* name, std::int32_t& result) {
    result = code;
    // Unlike elsewhere, a refused request is reported with its signed number.
    if (code != instrument::Success)
        platform_.dialogs.message(std::string("ERROR: Initiating ") + name + " command, Err#" + std::to_string(code),
                                  platform::MessageKind::Error);
}

void TAxisRange::SdisStep(std::int32_t& result) {
    if (data_.Busy()) {
        platform_.dialogs.message("Another Command is currently being processed.", platform::MessageKind::Warning);
        result = instrument::AnotherCommandActive;
        return;
    }
    Request(data_.SetCommand("SDIS " + sentXmin_, [this](std::int32_t) { machine_.ActionDone = true; }), "SDIS", result);
}

void TAxisRange::SwlnStep(std::int32_t& result) {
    const std::string length = platform_.numbers.formatFixed(winLength_, 4);
    Request(data_.SetCommand("SWLN " + length, [this](std::int32_t) { machine_.ActionDone = true; }), "SWLN", result);
}

void TAxisRange::DumpStep(std::int32_t& result) {
    Request(data_.GetCommand("DUMP", instrument::ReplyTimeouts::Dump,
                             [this](std::int32_t code) {
                                 if (code == instrument::Success && updateDisplay_) updateDisplay_();
                                 machine_.ActionDone = true;
                             }),
            "DUMP", result);
}

void TAxisRange::ErrStep(std::int32_t& result) {
    instrument::ChainErrorStep(machine_, data_, platform_.dialogs, "Error: Failed to set axis!", result);
}

void TAxisRange::EndStep(std::int32_t& result) { instrument::ChainEndStep(machine_, window_, platform_.tones, result); }

bool TAxisRange::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) return EditKeyPress(edit, static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

bool TAxisRange::EditKeyPress(QLineEdit* edit, QKeyEvent* key) {
    const QString text = key->text();
    // Pasting would bypass the filter: refused like any other key.
    if (platform::IsPasteKey(*key)) {
        platform_.tones.beep(500, 500);
        return true;
    }
    // Keys that type nothing, and the editing and dialog keys (Delete carries the text
    // "\x7f" under X11).
    if (key->key() == Qt::Key_Backspace || text.isEmpty() || key->key() == Qt::Key_Delete ||
        key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Return ||
        key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape)
        return false;
    const QChar c = text.at(0);
    const QChar point(platform_.numbers.decimalSeparator());
    if (c == point) {
        // Refused while the edit holds a point, even one the key would type over.
        if (edit->text().contains(point)) {
            platform_.tones.messageBeep(platform::Tones::Default);
            return true;
        }
        return false;
    }
    if (c == '-' || c.isDigit()) return false;
    platform_.tones.beep(500, 500);
    return true;
}

}  // namespace graph
