#pragma once
// The row of "&OK" (the default button), "&Cancel" and "&Help" at the foot of the
// program's dialogs, with their object and accessible names.

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace platform {

struct DialogButtons {
    QPushButton* ok;
    QPushButton* cancel;
    QPushButton* help;
    QHBoxLayout* row;  // right-aligned; add it to the dialog's layout
};

// helpCaption: a dialog whose Help button has no accelerator says "Help".
DialogButtons MakeDialogButtons(QWidget* dialog, const char* okName, const char* cancelName, const char* helpName,
                                const char* helpCaption = "&Help");

}  // namespace platform
