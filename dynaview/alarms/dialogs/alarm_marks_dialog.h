#pragma once
// "Alarm Marks" (AlarmMarks): which of the five marks are shown, their names and colours,
// their side of the axis, size and line width; "Alar&m Attributes..." edits the limits.

#include "dynaview/alarms/alarm_displays.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace plotbase {
class Environment;
}

namespace dynaview {

class AlarmMarksDialog : public QDialog {
    Q_OBJECT
public:
    AlarmMarksDialog(plotbase::Environment& env, int graph, int object, QWidget* owner);

    void OKBtnClick();
    void AlarmAttributesBtnClick();

private:
    plotbase::Environment& env_;
    int graph_;
    int object_;
    std::array<QCheckBox*, AlarmLineCount> shownChecks_{};
    std::array<QLineEdit*, AlarmLineCount> nameEdits_{};
    std::array<QComboBox*, AlarmLineCount> colourCombos_{};
    QRadioButton* InsideRadio = nullptr;
    QRadioButton* OutsideRadio = nullptr;
    QSpinBox* MarkSizeSpin = nullptr;
    QSpinBox* LineWidthSpin = nullptr;
};

}  // namespace dynaview
