#include "platform/qt/dialog_buttons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace platform {

namespace {

QPushButton* button(const QString& caption, const char* objectName, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAccessibleName(QString(caption).remove('&'));
    return b;
}

}  // namespace

DialogButtons MakeDialogButtons(QWidget* dialog, const char* okName, const char* cancelName, const char* helpName,
                                const char* helpCaption) {
    DialogButtons b{button("&OK", okName, dialog), button("&Cancel", cancelName, dialog),
                    button(helpCaption, helpName, dialog), new QHBoxLayout};
    b.ok->setDefault(true);
    b.row->addStretch(1);
    b.row->addWidget(b.ok);
    b.row->addWidget(b.cancel);
    b.row->addWidget(b.help);
    return b;
}

}  // namespace platform
