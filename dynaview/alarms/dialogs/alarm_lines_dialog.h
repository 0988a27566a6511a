#pragma once
// "Alarm Lines" (AlarmLines): which of the five lines are shown and how they are drawn,
// their direction and refresh period; "Alar&m Attributes..." edits the data set's limits.

#include "dynaview/alarms/alarm_displays.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

namespace plotbase {
class Environment;
}

namespace dynaview {

class AlarmLinesDialog : public QDialog {
    Q_OBJECT
public:
    AlarmLinesDialog(plotbase::Environment& env, int graph, int object, QWidget* owner);

    void OKBtnClick();
    void AlarmAttributesBtnClick();

private:
    plotbase::Environment& env_;
    int graph_;
    int object_;
    std::array<QCheckBox*, AlarmLineCount> shownChecks_{};
    std::array<QComboBox*, AlarmLineCount> patternCombos_{};
    std::array<QSpinBox*, AlarmLineCount> widthSpins_{};
    std::array<QComboBox*, AlarmLineCount> colourCombos_{};
    QRadioButton* HorizontalRadio = nullptr;
    QRadioButton* VerticalRadio = nullptr;
    QSpinBox* RefreshPeriodSpin = nullptr;
};

// The names of the five lines and marks: "Setpoint", "High", "Low", "High-high", "Low-low",
// and the same without the dash for object names.
const char* AlarmLineName(int line);
const char* AlarmLineObjectName(int line);

// Opens "Alarm Attributes" for the data set an object shows (the 1760 button of the
// dialogs of objects that show a data set).
void OpenAlarmAttributes(plotbase::Environment& env, int graph, int object, QWidget* owner);

}  // namespace dynaview
