#pragma once
// "Dynamic Text" (DynText): where the text lies (percent of the graph, 0 width or height:
// sized from the text), its border, background and precision; "Te&xt Parameters..." sets
// the text size and style, "Alar&m Attributes..." the data set's alarms.

#include "dynaview/text/dynamic_text.h"

#include "dynaview/text/dialogs/text_object_dialog.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace dynaview {

class DynTextDialog : public TextObjectDialog {
    Q_OBJECT
public:
    DynTextDialog(plotbase::Environment& env, int graph, int object, QWidget* owner);

private:
    bool apply() override;

    QLineEdit* LeftEd = nullptr;
    QLineEdit* TopEd = nullptr;
    QLineEdit* WidthEd = nullptr;
    QLineEdit* HeightEd = nullptr;
    QComboBox* BackgroundCombo = nullptr;
    QSpinBox* PrecisionSpin = nullptr;
};

}  // namespace dynaview
