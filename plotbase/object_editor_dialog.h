#pragma once
// The editor for one object of a graph: range and ticks of an axis, colour, width and
// pattern of a line, the text of a text or title, the decimals of labels, the colour of a
// data cursor. OK checks the entries (a bad one is named in a message box and keeps the
// dialog open) and applies them through the change operations.

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;

namespace plotbase {

class Environment;
class GraphObject;

class ObjectEditorDialog : public QDialog {
    Q_OBJECT
public:
    ObjectEditorDialog(Environment& env, int graph, int object, QWidget* parent);

    // Whether the object has anything this editor can change.
    static bool canEdit(const GraphObject& object);

    void OKBtnClick();

private:
    QLineEdit* addNumberEdit(QFormLayout* form, const char* name, const QString& label, double value);
    void addColour(QFormLayout* form, int colour);
    void addLineStyle(QFormLayout* form, int pattern, int width, bool withWidth);
    bool readNumber(QLineEdit* edit, const QString& label, double& value);
    void refuse(const QString& text, QWidget* control);
    bool apply();

    Environment& env_;
    int graph_;
    int object_;
    QLineEdit* AxisMinEd = nullptr;
    QLineEdit* AxisMaxEd = nullptr;
    QLineEdit* TickSpacingEd = nullptr;
    QSpinBox* TickCountSpin = nullptr;
    QComboBox* TickSideCombo = nullptr;
    QSpinBox* DecimalsSpin = nullptr;
    QLineEdit* TextEd = nullptr;
    QComboBox* ColourCombo = nullptr;
    QComboBox* LinePatternCombo = nullptr;
    QSpinBox* LineWidthSpin = nullptr;
};

}  // namespace plotbase
