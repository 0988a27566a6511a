#pragma once
// "Meter Parameters" (Meter): range and angles, the Ticks, Labels, Dynamic Text (read-out)
// and Color Attributes (needle style and colours) groups; "Bac&kground..." opens "Meter
// Background", "Alar&m Attributes..." the data set's alarms.

#include "dynaview/meters/meter.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace plotbase {
class Environment;
}

namespace dynaview {

class MeterDialog : public QDialog {
    Q_OBJECT
public:
    MeterDialog(plotbase::Environment& env, int graph, int object, QWidget* owner);

    void OKBtnClick();
    void BackgroundBtnClick();
    void AlarmAttributesBtnClick();

private:
    bool apply();

    plotbase::Environment& env_;
    int graph_;
    int object_;
    QLineEdit* FromEd = nullptr;
    QLineEdit* ToEd = nullptr;
    QLineEdit* CentreValueEd = nullptr;
    QSpinBox* AngleFromSpin = nullptr;
    QSpinBox* AngleToSpin = nullptr;
    QLineEdit* TickLengthEd = nullptr;
    QLineEdit* TickStepEd = nullptr;
    QSpinBox* MinorTicksSpin = nullptr;
    QComboBox* TickPositionCombo = nullptr;
    QCheckBox* LabelsOutsideCheck = nullptr;
    QSpinBox* LabelPrecisionSpin = nullptr;
    QCheckBox* ReadoutCheck = nullptr;
    QSpinBox* ReadoutPrecisionSpin = nullptr;
    QComboBox* NeedleStyleCombo = nullptr;
    std::array<QComboBox*, MaxNeedles> needleColours_{};
};

// "Meter Background" (MeterBackground): the face colour and the border around the dial.
class MeterBackgroundDialog : public QDialog {
    Q_OBJECT
public:
    MeterBackgroundDialog(plotbase::Environment& env, int graph, int object, QWidget* owner);

    void OKBtnClick();

private:
    bool apply();

    plotbase::Environment& env_;
    int graph_;
    int object_;
    QComboBox* FaceColourCombo = nullptr;
    QComboBox* BorderStyleCombo = nullptr;
    QComboBox* BorderColourCombo = nullptr;
    QSpinBox* BorderWidthSpin = nullptr;
    QLineEdit* CentreXEd = nullptr;
    QLineEdit* CentreYEd = nullptr;
    QLineEdit* WidthEd = nullptr;
    QLineEdit* HeightEd = nullptr;
};

}  // namespace dynaview
