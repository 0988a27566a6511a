#include "app/dialogs/about_box.h"

#include "app/dialogs/program_icon.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace app {

namespace {

QLabel* MakeLabel(const QString& text, const char* objectName, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setAccessibleName(text);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("AboutBox");
    setWindowTitle("About");
    setFixedSize(ClientWidth, ClientHeight);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);

    auto* icon = new QLabel(panel);
    icon->setObjectName("ProgramIcon");
    icon->setAccessibleName("WAVIX program icon");
    icon->setPixmap(ProgramIconPixmap(48));
    icon->setFixedSize(48, 48);

    QLabel* product = MakeLabel("RFX410 PC Software", "ProductName", panel);
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    QLabel* version = MakeLabel("Version 2.05 (32-bit)", "Version", panel);

    QLabel* name = MakeLabel("WAVIX", "ProgramName", panel);
    QFont large = name->font();
    large.setBold(true);
    large.setPointSize(20);
    name->setFont(large);
    QPalette red = name->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    name->setPalette(red);

    QLabel* comments = MakeLabel("TDR Graphing Software", "Comments", panel);
    QLabel* purpose = MakeLabel("Waveforms, water content and bulk EC", "PurposeLine", panel);
    QLabel* link = MakeLabel("from the RFX410 over a serial line.", "LinkLine", panel);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(10);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(product, 0, 1, Qt::AlignBottom);
    grid->addWidget(version, 1, 1, Qt::AlignTop);
    grid->addWidget(name, 2, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(comments, 3, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(purpose, 4, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(link, 5, 0, 1, 2, Qt::AlignHCenter);
    grid->setColumnStretch(1, 1);

    auto* ok = new QPushButton("&OK", this);
    ok->setObjectName("OKButton");
    ok->setAccessibleName("OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(panel, 1);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void TAboutBox::OKButtonClick() { accept(); }

void TAboutBox::showEvent(QShowEvent* event) {
    if (QScreen* s = screen()) move(s->availableGeometry().center() - frameGeometry().center() + pos());
    QDialog::showEvent(event);
}

}  // namespace app
