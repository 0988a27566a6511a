#pragma once
// "Dynamic Bar Graphs" (DynBars): the width of the bars and the hatch style and colour of
// one bar (the one nearest the pointer when the dialog was opened, as a double click on a
// bar opens it); "Alar&m Attributes..." edits the data set's limits.

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace plotbase {
class Environment;
}

namespace dynaview {

class DynBarsDialog : public QDialog {
    Q_OBJECT
public:
    DynBarsDialog(plotbase::Environment& env, int graph, int object, QWidget* owner);

    int bar() const { return bar_; }

    void OKBtnClick();
    void AlarmAttributesBtnClick();
    void ColourScroll();

private:
    plotbase::Environment& env_;
    int graph_;
    int object_;
    int bar_ = 0;
    double positionRange_ = 1.0;
    QLineEdit* WidthEd = nullptr;
    QComboBox* HatchStylesCombo = nullptr;
    QScrollBar* RedScroll = nullptr;
    QScrollBar* GreenScroll = nullptr;
    QScrollBar* BlueScroll = nullptr;
    QLabel* RedValue = nullptr;
    QLabel* GreenValue = nullptr;
    QLabel* BlueValue = nullptr;
    QLabel* ColourSample = nullptr;
};

}  // namespace dynaview
