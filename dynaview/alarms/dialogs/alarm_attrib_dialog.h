#pragma once
// "Alarm Attributes" (AlarmAttrib): a data set's alarm definition. It edits a copy; OK
// checks the numbers (a bad one is named and keeps the dialog open) and applies the copy,
// and the data set's alarm displays follow.

#include "dynaview/alarms/alarm_block.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;

namespace plotbase {
class Environment;
}

namespace dynaview {

class AlarmAttribDialog : public QDialog {
    Q_OBJECT
public:
    AlarmAttribDialog(plotbase::Environment& env, int dataSet, QWidget* owner);

    void OKBtnClick();
    void GlobalEnableClick();

private:
    bool apply();

    plotbase::Environment& env_;
    int dataSet_;
    std::array<QCheckBox*, AlarmKinds> definedChecks_{};
    std::array<QLineEdit*, AlarmKinds> limitEdits_{};
    std::array<QLineEdit*, AlarmKinds> messageEdits_{};
    QLineEdit* SetpointEd = nullptr;
    QLineEdit* NormalMessageEd = nullptr;
    QLineEdit* DeadBandHighLowEd = nullptr;
    QLineEdit* DeadBandDeviationEd = nullptr;
    QCheckBox* GlobalEnableCheck = nullptr;
};

}  // namespace dynaview
