#pragma once
// "Time Axis" (TimeAxis): a time axis's start, range, ticks, intercept, time unit and the
// grids drawn at its ticks.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace plotbase {
class Environment;
}

namespace dynaview {

class TimeAxisDialog : public QDialog {
    Q_OBJECT
public:
    TimeAxisDialog(plotbase::Environment& env, int graph, int axis, QWidget* owner);

    void OKBtnClick();

private:
    // The plotbase grid of the axis of this kind (0 major, 1 minor), 0 when none.
    int gridOf(int kind) const;

    plotbase::Environment& env_;
    int graph_;
    int axis_;
    QLineEdit* StartEdit = nullptr;
    QLineEdit* RangeEdit = nullptr;
    QLineEdit* TickSpacingEdit = nullptr;
    QSpinBox* MinorTicksSpin = nullptr;
    QLineEdit* InterceptEdit = nullptr;
    QComboBox* UnitCombo = nullptr;
    QCheckBox* MajorGridCheck = nullptr;
    QCheckBox* MinorGridCheck = nullptr;
};

}  // namespace dynaview
