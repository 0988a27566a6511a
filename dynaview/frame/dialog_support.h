#pragma once
// What every dynaview dialog is built from: controls named for tests and screen readers
// (objectName says what the control edits, the property "controlId" carries the
// dialog's identifier, the accessible name is its label), colour and line-pattern
// choosers over plotbase's palette, number edits in the user's number format, the
// "&OK" (1) / "&Cancel" (2) row, and running a dialog procedure's dialog.

#include "dynaview/include/dynaview.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QDialog;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace plotbase {
class Environment;
}

namespace dynaview::dialogs {

// Sets the control's names and identifier; returns it.
template <typename W>
W* Named(W* control, const char* objectName, int controlId, const QString& accessibleName);
void NameControl(QWidget* control, const char* objectName, int controlId, const QString& accessibleName);

// A chooser of the 16 palette colours (with "Transparent" first when asked: index -1).
QComboBox* ColourCombo(int colour, bool withTransparent = false);
int ChosenColour(const QComboBox* combo, bool withTransparent = false);
// A chooser of the line patterns: Solid, Dash, Dot, Dash Dot, Dash Dot Dot, None.
QComboBox* PatternCombo(int pattern);

// A number edit showing the value with `decimals` decimals (right-aligned in `width`
// characters when width > 0) in the user's number format.
QLineEdit* NumberEdit(const plotbase::Environment& env, double value, int decimals, int width = 0);
// A spin box over low..high showing the value.
QSpinBox* SpinBox(int low, int high, int value);
// The edit's number; nothing after telling the user (an information box naming the
// field) and putting the focus on the edit.
std::optional<double> ReadNumber(plotbase::Environment& env, QLineEdit* edit, const QString& field);
// A number of the edit within low..high; nothing after telling the user (naming the field)
// and putting the focus on the edit.
std::optional<double> ReadWithin(plotbase::Environment& env, QLineEdit* edit, const char* field, double low, double high);

// "Position (% of the graph)": number edits for the left and top edges, and for the width
// and height when the object has them.
struct PositionFields {
    QGroupBox* box = nullptr;
    QLineEdit* left = nullptr;
    QLineEdit* top = nullptr;
    QLineEdit* width = nullptr;
    QLineEdit* height = nullptr;
};
PositionFields PositionBox(const plotbase::Environment& env, double left, double top, std::optional<double> width = {},
                           std::optional<double> height = {});

struct OkCancel {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* row;
};
// "&OK" (identifier 1, the default button) and "&Cancel" (2), right-aligned.
OkCancel OkCancelRow(QDialog* dialog);

// The common part of the dialog procedures: the template name must be null or the
// procedure's own; the dialog runs modally over the owner (a window dynaview knows) or the
// graph window. Returns 1 OK, 2 cancelled, 0 refused (after reporting).
int RunDialogProcedure(const char* templateName, const char* ownTemplate, DVWindow owner, const DVDialogParam* param,
                       const std::function<QDialog*(plotbase::Environment&, const DVDialogParam&, QWidget* owner)>& make);

// Whether the parameter's object has the type and, unless `subtype` is AnySubtype, the
// subtype; reported with the dialog's name when it has not.
bool IsObjectOf(plotbase::Environment& env, const DVDialogParam& param, std::int16_t type, int subtype, const char* dialog);

// The procedure of an editor of one kind of object: the dialog D(env, graph, object, owner)
// on the parameter's object, refused unless the object is of that kind.
template <typename D>
int RunObjectDialog(const char* templateName, const char* ownTemplate, DVWindow owner, const DVDialogParam* param, std::int16_t type,
                    int subtype) {
    return RunDialogProcedure(templateName, ownTemplate, owner, param,
                              [=](plotbase::Environment& env, const DVDialogParam& p, QWidget* window) -> QDialog* {
                                  if (!IsObjectOf(env, p, type, subtype, ownTemplate)) return nullptr;
                                  return new D(env, p.graph, p.object, window);
                              });
}

// --- template definition ---
template <typename W>
W* Named(W* control, const char* objectName, int controlId, const QString& accessibleName) {
    NameControl(control, objectName, controlId, accessibleName);
    return control;
}

}  // namespace dynaview::dialogs
