#pragma once
// "Alarm Text" (AlarmText): where the box lies in the graph (percent), its channel,
// border, background and the colour of each state's text; "Alar&m Attributes..." edits
// the data set's messages and limits.

#include "dynaview/alarms/alarm_displays.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace plotbase {
class Environment;
}

namespace dynaview {

class AlarmTextDialog : public QDialog {
    Q_OBJECT
public:
    AlarmTextDialog(plotbase::Environment& env, int graph, int object, QWidget* owner);

    void OKBtnClick();
    void AlarmAttributesBtnClick();

private:
    bool apply();

    plotbase::Environment& env_;
    int graph_;
    int object_;
    QLineEdit* LeftEd = nullptr;
    QLineEdit* TopEd = nullptr;
    QLineEdit* WidthEd = nullptr;
    QLineEdit* HeightEd = nullptr;
    QSpinBox* ChannelSpin = nullptr;
    QCheckBox* BorderCheck = nullptr;
    QComboBox* BackgroundCombo = nullptr;
    std::array<QComboBox*, AlarmText::ColourCount> colourCombos_{};
};

}  // namespace dynaview
