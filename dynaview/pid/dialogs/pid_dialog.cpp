#include "dynaview/pid/dialogs/pid_dialog.h"

#include "dynaview/frame/dialog_support.h"
#include "dynaview/pid/pid_table.h"
#include "platform/numbers.h"
#include "plotbase/environment.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace dynaview {

using dialogs::Named;

namespace {

constexpr int FieldLength = 15;
int openDialogs = 0;

QString plain(const QString& caption) { return QString(caption).remove(QLatin1Char('&')); }

}  // namespace

bool PidDialog::anyOpen() { return openDialogs > 0; }

PidDialog::~PidDialog() { --openDialogs; }

QLineEdit* PidDialog::field(const char* name, int id, const QString& label, const QString& text, int row, int column,
                            const std::function<bool(double)>& take) {
    auto* edit = Named(new QLineEdit(text), name, id, plain(label).replace(QStringLiteral(": "), QStringLiteral(" ")));
    edit->setMaxLength(FieldLength);
    auto* caption = new QLabel(label);
    caption->setBuddy(edit);
    grid_->addWidget(caption, row, column);
    grid_->addWidget(edit, row, column + 1);
    if (take) {
        connect(edit, &QLineEdit::textChanged, this, [this, edit, take](const QString& t) {
            const std::optional<double> value = env_.numbers.parseReal(t.trimmed().toStdString());
            const bool accepted = value && std::isfinite(*value) && take(*value);
            // A refused entry stays visible in red; the copy keeps what it had.
            edit->setProperty("accepted", accepted);
            edit->setStyleSheet(accepted || t.trimmed().isEmpty() ? QString() : QStringLiteral("color: red"));
        });
    } else {
        edit->setReadOnly(true);
    }
    return edit;
}

PidDialog::PidDialog(plotbase::Environment& env, int loop, QWidget* owner) : QDialog(owner), env_(env), loop_(loop) {
    ++openDialogs;
    setObjectName(QStringLiteral("PIDDLG"));
    setWindowTitle(QStringLiteral("PID Parameters"));
    setAccessibleName(windowTitle());
    RTTop* top = TopOf(env);
    const PidSlot* slot = top ? PidTable::of(*top).at(loop) : nullptr;
    if (slot) copy_ = slot->loop;
    if (copy_.kp != 0.0 && copy_.dt != 0.0) {
        integral_ = copy_.ki / (copy_.kp * copy_.dt);
        derivative_ = copy_.kd / copy_.kp * copy_.dt;
    }
    auto number = [&](double v) { return QString::fromStdString(env.numbers.formatGeneral(v, 10)); };
    // Integral and derivative: 6 wide with 4 decimals; empty when there is no gain to convert with.
    auto coefficient = [&](const std::optional<double>& v) {
        return v ? QString::fromStdString(env.numbers.formatWidth(*v, 6, 4)).trimmed() : QString();
    };

    auto* output = new QGroupBox(QStringLiteral("Output"));
    grid_ = new QGridLayout(output);
    field("RangeHighEd", 1701, QStringLiteral("Range: &High"), number(copy_.rangeHigh), 0, 0, {});
    field("RangeLowEd", 1702, QStringLiteral("&Low"), number(copy_.rangeLow), 1, 0, {});
    field("LimitHighEd", 1709, QStringLiteral("Li&mit: High"), number(copy_.limitHigh), 2, 0, [this](double v) {
        if (!(v > copy_.limitLow && v <= copy_.rangeHigh)) return false;
        copy_.limitHigh = v;
        return true;
    });
    field("LimitLowEd", 1710, QStringLiteral("Lo&w"), number(copy_.limitLow), 3, 0, [this](double v) {
        if (!(v >= copy_.rangeLow && v < copy_.limitHigh)) return false;
        copy_.limitLow = v;
        return true;
    });
    OutputEd = field("OutputEd", 1713, QStringLiteral("&Output"), QString(), 4, 0, [this](double v) {
        copy_.u = v;
        return true;
    });
    if (auto* label = qobject_cast<QLabel*>(grid_->itemAtPosition(4, 0)->widget())) Named(label, "OutputLabel", 1714, QStringLiteral("Output"));
    AutoCheck = Named(new QCheckBox(QStringLiteral("&Auto")), "AutoCheck", 1715, QStringLiteral("Auto"));
    AutoCheck->setChecked(copy_.automatic);
    grid_->addWidget(AutoCheck, 5, 1);
    connect(AutoCheck, &QCheckBox::toggled, this, &PidDialog::AutoCheckClick);
    showOutput();

    auto* tuning = new QGroupBox(QStringLiteral("Tuning"));
    grid_ = new QGridLayout(tuning);
    field("GainEd", 1704, QStringLiteral("&Gain"), number(copy_.kp), 0, 0, [this](double v) {
        if (v < 0.0) return false;
        copy_.kp = v;
        rederiveCoefficients();
        return true;
    });
    field("IntegralEd", 1705, QStringLiteral("&Integral"), coefficient(integral_), 1, 0, [this](double v) {
        integral_ = v;
        rederiveCoefficients();
        return true;
    });
    field("DerivativeEd", 1706, QStringLiteral("&Derivative"), coefficient(derivative_), 2, 0, [this](double v) {
        derivative_ = v;
        rederiveCoefficients();
        return true;
    });
    field("BiasEd", 1707, QStringLiteral("&Bias"), number(copy_.bias), 3, 0, [this](double v) {
        if (v < copy_.limitLow || v > copy_.limitHigh) return false;
        copy_.bias = v;
        return true;
    });
    field("FilterEd", 1716, QStringLiteral("&Filter"), number(copy_.filter), 4, 0, [this](double v) {
        if (v < 0.0 || v >= 1.0) return false;  // 1 and above would never follow the process
        copy_.filter = v;
        return true;
    });
    field("RateLimitEd", 1712, QStringLiteral("Ra&te Limit"), number(copy_.rateLimit), 5, 0, [this](double v) {
        if (v < 0.0) return false;
        copy_.rateLimit = v;
        return true;
    });
    // The setpoint is read as a plain decimal number, whatever the user's number format.
    QLineEdit* setpoint = field("SetpointEd", 1708, QStringLiteral("&Setpoint"), QString::number(copy_.setpoint, 'g', 10), 6, 0, {});
    setpoint->setReadOnly(false);
    connect(setpoint, &QLineEdit::textChanged, this, [this, setpoint](const QString& t) {
        bool ok = false;
        const double v = QLocale::c().toDouble(t.trimmed(), &ok);
        const bool accepted = ok && std::isfinite(v);
        if (accepted) copy_.setpoint = v;
        setpoint->setProperty("accepted", accepted);
        setpoint->setStyleSheet(accepted || t.trimmed().isEmpty() ? QString() : QStringLiteral("color: red"));
    });

    auto* columns = new QHBoxLayout;
    columns->addWidget(output);
    columns->addWidget(tuning);

    const dialogs::OkCancel buttons = dialogs::OkCancelRow(this);
    auto* enter = Named(new QPushButton(QStringLiteral("E&nter")), "EnterBtn", 42, QStringLiteral("Enter"));
    enter->setAutoDefault(false);
    buttons.row->insertWidget(1, enter);
    connect(enter, &QPushButton::clicked, this, &PidDialog::EnterBtnClick);
    connect(buttons.ok, &QPushButton::clicked, this, &PidDialog::OKBtnClick);

    auto* layout = new QVBoxLayout(this);
    if (!copy_.name.empty()) layout->addWidget(Named(new QLabel(QString::fromStdString(copy_.name)), "LoopName", 0, QStringLiteral("Loop Name")));
    layout->addLayout(columns);
    layout->addLayout(buttons.row);
}

void PidDialog::rederiveCoefficients() {
    // The gain scales both: the fields keep meaning what they show.
    if (integral_) copy_.ki = IntegralCoefficient(copy_.kp, *integral_, copy_.dt);
    if (derivative_) copy_.kd = DerivativeCoefficient(copy_.kp, *derivative_, copy_.dt);
}

void PidDialog::showOutput() {
    const bool manual = !AutoCheck->isChecked();
    OutputEd->setEnabled(manual);
    const QSignalBlocker quiet(OutputEd);
    OutputEd->setText(manual ? QString::fromStdString(env_.numbers.formatGeneral(copy_.u, 10)) : QString());
}

void PidDialog::AutoCheckClick() {
    copy_.automatic = AutoCheck->isChecked();
    if (!copy_.automatic) {
        // Taking over by hand starts from where the loop is now.
        RTTop* top = TopOf(env_);
        if (const PidSlot* slot = top ? PidTable::of(*top).at(loop_) : nullptr) copy_.u = slot->loop.u;
    }
    showOutput();
}

void PidDialog::apply() {
    RTTop* top = TopOf(env_);
    PidSlot* slot = top ? PidTable::of(*top).at(loop_) : nullptr;
    if (!slot) return;  // deleted meanwhile
    PidLoop& live = slot->loop;
    // Ki x S stays as it was, so the integral action does not jump.
    if (copy_.ki != 0.0) live.sum *= live.ki / copy_.ki;
    live.kp = copy_.kp;
    live.ki = copy_.ki;
    live.kd = copy_.kd;
    live.limitHigh = copy_.limitHigh;
    live.limitLow = copy_.limitLow;
    live.automatic = copy_.automatic;
    if (!live.automatic) live.u = copy_.u;
    live.setpoint = ClampToProcessRange(live, copy_.setpoint);
    live.bias = copy_.bias;
    Rebalance(live);
    live.rateLimit = copy_.rateLimit;
    live.filter = copy_.filter;
}

void PidDialog::EnterBtnClick() { apply(); }

void PidDialog::OKBtnClick() {
    apply();
    accept();
}

}  // namespace dynaview
