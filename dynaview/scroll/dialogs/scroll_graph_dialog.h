#pragma once
// "Scrolling Graph" (SCROLLG), "Logic Graph Parameters" (LOGICG) and "XY Plot Parameters"
// (XYG): the sample interval, relative reset and scroll style of a scrolling graph (as the
// subtype has them), each trace's pattern, width and colour, and a logic graph's bit names.

#include "dynaview/scroll/scroll_graph.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace plotbase {
class Environment;
}

namespace dynaview {

class ScrollGraphDialog : public QDialog {
    Q_OBJECT
public:
    // templateName: "SCROLLG", "LOGICG" or "XYG" (the caption and what is shown).
    ScrollGraphDialog(plotbase::Environment& env, int graph, int object, const char* templateName, QWidget* owner);

    void OKBtnClick();

private:
    plotbase::Environment& env_;
    int graph_;
    int object_;
    QLineEdit* IntervalEd = nullptr;
    QLineEdit* ResetEd = nullptr;
    QRadioButton* NoStepRadio = nullptr;
    QRadioButton* StepStartRadio = nullptr;
    QRadioButton* StepEndRadio = nullptr;
    std::vector<QComboBox*> patternCombos_;
    std::vector<QSpinBox*> widthSpins_;
    std::vector<QComboBox*> colourCombos_;
    std::vector<QLineEdit*> tagEdits_;
};

// "Scrolling Bars" (ScrollB): interval, relative reset, the channel, bar width, hatch and colour.
class ScrollBarsDialog : public QDialog {
    Q_OBJECT
public:
    ScrollBarsDialog(plotbase::Environment& env, int graph, int object, QWidget* owner);

    void OKBtnClick();

private:
    plotbase::Environment& env_;
    int graph_;
    int object_;
    QLineEdit* IntervalEd = nullptr;
    QLineEdit* ResetEd = nullptr;
    QSpinBox* ChannelSpin = nullptr;
    QLineEdit* BarWidthEd = nullptr;
    QComboBox* HatchCombo = nullptr;
    QComboBox* BarColourCombo = nullptr;
};

}  // namespace dynaview
