#pragma once
// "Message Parameters" (Message): where the box lies (percent of the graph), its
// background and border, and the eight messages with their colours; "Te&xt Parameters..."
// sets the font size and style, "Alar&m Attributes..." the data set's alarms.

#include "dynaview/text/message_object.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace plotbase {
class Environment;
}

namespace dynaview {

class MessageDialog : public QDialog {
    Q_OBJECT
public:
    MessageDialog(plotbase::Environment& env, int graph, int object, QWidget* owner);

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
    QComboBox* BackgroundCombo = nullptr;
    QCheckBox* BorderCheck = nullptr;
    std::array<QLineEdit*, MaxMessages> textEdits_{};
    std::array<QComboBox*, MaxMessages> colourCombos_{};
};

}  // namespace dynaview
