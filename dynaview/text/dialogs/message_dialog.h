#pragma once
// "Message Parameters" (Message): where the box lies (percent of the graph), its
// background and border, and the eight messages with their colours; "Te&xt Parameters..."
// sets the font size and style, "Alar&m Attributes..." the data set's alarms.

#include "dynaview/text/message_object.h"

#include "dynaview/text/dialogs/text_object_dialog.h"

#include <array>

class QComboBox;
class QLineEdit;

namespace dynaview {

class MessageDialog : public TextObjectDialog {
    Q_OBJECT
public:
    MessageDialog(plotbase::Environment& env, int graph, int object, QWidget* owner);

private:
    bool apply() override;

    QLineEdit* LeftEd = nullptr;
    QLineEdit* TopEd = nullptr;
    QComboBox* BackgroundCombo = nullptr;
    std::array<QLineEdit*, MaxMessages> textEdits_{};
    std::array<QComboBox*, MaxMessages> colourCombos_{};
};

}  // namespace dynaview
