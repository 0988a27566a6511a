#pragma once
// What the "Message" and "DynText" dialogs share around their own fields: the object they
// edit, its border ("&Border" with its attributes button) and text settings, the buttons
// "Te&xt Parameters..." and "Alar&m Attributes...", and OK and Cancel. A dialog builds its
// place and look, then `finishLayout`; OK runs its `apply` and closes when that succeeds.

#include "plotbase/graph_objects.h"

#include <QDialog>

class QCheckBox;
class QHBoxLayout;
class QLayout;

namespace plotbase {
class Environment;
}

namespace dynaview {

class TextObjectDialog : public QDialog {
    Q_OBJECT
public:
    void OKBtnClick();
    void BorderAttributesBtnClick();
    void TextParametersBtnClick();
    void AlarmAttributesBtnClick();

protected:
    TextObjectDialog(plotbase::Environment& env, int graph, int object, QWidget* owner, const char* name, const char* title);

    // The border check box and its attributes button (`buttonText` with its mnemonic), one row.
    QHBoxLayout* borderRow(bool hasBorder, int pattern, int width, const QString& buttonText);
    // Place and look side by side, then `middle` when there is one, the two buttons, OK and Cancel.
    void finishLayout(QWidget* place, QLayout* look, QWidget* middle);
    // The border the dialog shows: pattern -1 for none.
    int chosenBorderPattern() const;
    int chosenBorderWidth() const;
    // Writes the fields to the object; false (after telling the user) when one is not accepted.
    virtual bool apply() = 0;

    plotbase::Environment& env_;
    const int graph_;
    const int object_;
    plotbase::TextParams text_;

private:
    int borderPattern_ = 0;
    int borderWidth_ = 1;
    QCheckBox* BorderCheck = nullptr;
};

}  // namespace dynaview
