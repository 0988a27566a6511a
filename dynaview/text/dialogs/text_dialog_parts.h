#pragma once
// What the "Message" and "DynText" dialogs share: the small "Border Attributes" and "Text
// Parameters" dialogs their buttons open, and reading a position in percent of the graph.

#include "plotbase/graph_objects.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLineEdit;
class QSpinBox;
class QCheckBox;

namespace plotbase {
class Environment;
}

namespace dynaview {

// "Border Attributes": the border's line pattern and width.
class BorderAttributesDialog : public QDialog {
    Q_OBJECT
public:
    BorderAttributesDialog(int pattern, int width, QWidget* owner);
    int pattern() const;
    int width() const;

private:
    QComboBox* PatternCombo = nullptr;
    QSpinBox* WidthSpin = nullptr;
};

// "Text Parameters": size and style of the text.
class TextParametersDialog : public QDialog {
    Q_OBJECT
public:
    TextParametersDialog(const plotbase::TextParams& params, QWidget* owner);
    plotbase::TextParams params() const;

private:
    plotbase::TextParams params_;
    QSpinBox* SizeSpin = nullptr;
    QCheckBox* BoldCheck = nullptr;
    QCheckBox* ItalicCheck = nullptr;
};

// A number of the edit within low..high; nothing after telling the user (naming the field)
// and putting the focus on the edit.
std::optional<double> ReadWithin(plotbase::Environment& env, QLineEdit* edit, const char* field, double low, double high);

}  // namespace dynaview
