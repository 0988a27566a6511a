#pragma once
// "PID Parameters" (PIDDLG): one loop's settings. It edits a copy; each field is taken
// into the copy when its text changes and the value is acceptable (a refused value shows
// in red and leaves the copy as it was). "Enter" applies the copy and stays open, OK
// applies and closes. Only one may be open at a time.

#include "dynaview/pid/pid_loop.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QGridLayout;
class QLineEdit;

namespace plotbase {
class Environment;
}

namespace dynaview {

class PidDialog : public QDialog {
    Q_OBJECT
public:
    PidDialog(plotbase::Environment& env, int loop, QWidget* owner);
    ~PidDialog() override;

    // Whether a PID dialog is open now (a second one is not opened).
    static bool anyOpen();

    const PidLoop& copy() const { return copy_; }

    void EnterBtnClick();
    void OKBtnClick();
    void AutoCheckClick();

private:
    QLineEdit* field(const char* name, int id, const QString& label, const QString& text, int row, int column,
                     const std::function<bool(double)>& take);
    void showOutput();
    void rederiveCoefficients();
    void apply();

    plotbase::Environment& env_;
    int loop_;
    PidLoop copy_;
    std::optional<double> integral_;    // as the user sees it (repeats per time unit)
    std::optional<double> derivative_;  // time units
    QGridLayout* grid_ = nullptr;
    QLineEdit* OutputEd = nullptr;
    QCheckBox* AutoCheck = nullptr;
};

}  // namespace dynaview
