#pragma once
// "Time Labels" (TimeLabels): where the labels stand, their format and start, the number
// format's precision, and what the last tick shows.

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

class TimeLabelsDialog : public QDialog {
    Q_OBJECT
public:
    TimeLabelsDialog(plotbase::Environment& env, int graph, int object, QWidget* owner);

    void OKBtnClick();

private:
    plotbase::Environment& env_;
    int graph_;
    int object_;
    QComboBox* PositionCombo = nullptr;
    QComboBox* FormatCombo = nullptr;
    QSpinBox* HoursSpin = nullptr;
    QSpinBox* MinutesSpin = nullptr;
    QSpinBox* SecondsSpin = nullptr;
    QLineEdit* NumericStartEdit = nullptr;
    QCheckBox* PrecisionCheck = nullptr;
    QSpinBox* DecimalsSpin = nullptr;
    QRadioButton* EveryTickRadio = nullptr;
    QRadioButton* LastBlankRadio = nullptr;
    QRadioButton* FixedTextRadio = nullptr;
    QLineEdit* FixedTextEdit = nullptr;
    // What the start showed when the dialog opened: an unchanged start keeps running.
    int shownClockStart_ = 0;
    double shownNumericStart_ = 0.0;
};

}  // namespace dynaview
