#pragma once
// The small "Border Attributes" and "Text Parameters" dialogs that buttons of the "Message"
// and "DynText" dialogs open.

#include "plotbase/graph_objects.h"

#include <QDialog>

class QComboBox;
class QSpinBox;
class QCheckBox;

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

}  // namespace dynaview
