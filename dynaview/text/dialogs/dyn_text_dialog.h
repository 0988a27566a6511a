#pragma once
// "Dynamic Text" (DynText): where the text lies (percent of the graph, 0 width or height:
// sized from the text), its border, background and precision; "Te&xt Parameters..." sets
// the text size and style, "Alar&m Attributes..." the data set's alarms.

#include "dynaview/text/dynamic_text.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace plotbase {
class Environment;
}

namespace dynaview {

class DynTextDialog : public QDialog {
    Q_OBJECT
public:
    DynTextDialog(plotbase::Environment& env, int graph, int object, QWidget* owner);

    void OKBtnClick();
    void BorderAttributesBtnClick();
    void TextParametersBtnClick();
    void AlarmAttributesBtnClick();

private:
    bool apply();

    plotbase::Environment& env_;
    int graph_;
    int object_;
    int borderPattern_ = 0;
    int borderWidth_ = 1;
    plotbase::TextParams text_;
    QLineEdit* LeftEd = nullptr;
    QLineEdit* TopEd = nullptr;
    QLineEdit* WidthEd = nullptr;
    QLineEdit* HeightEd = nullptr;
    QCheckBox* BorderCheck = nullptr;
    QComboBox* BackgroundCombo = nullptr;
    QSpinBox* PrecisionSpin = nullptr;
};

}  // namespace dynaview
