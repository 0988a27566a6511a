#include "app/dialogs/export_image_dialog.h"

#include "graph/graph_image.h"
#include "platform/qt/dialog_buttons.h"
#include "platform/help.h"
#include "platform/qt/help_key_filter.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace app {

TExportImageDlg::TExportImageDlg(platform::Help& help, QWidget* parent) : QDialog(parent) {
    setObjectName("ExportImageDlg");
    setWindowTitle("Export Graph Image");
    setAccessibleName(windowTitle());
    setProperty(platform::HelpContextProperty, HelpContext);

    auto spin = [this](const char* name, const char* accessible) {
        auto* s = new QSpinBox(this);
        s->setObjectName(name);
        s->setAccessibleName(accessible);
        s->setRange(graph::MinImageSide, graph::MaxImageSide);
        s->setSuffix(" pixels");
        return s;
    };
    ImageWidth = spin("ImageWidth", "Width");
    ImageHeight = spin("ImageHeight", "Height");
    SetImageSize(QSize(1280, 862));

    auto* form = new QFormLayout();
    form->addRow("&Width:", ImageWidth);
    form->addRow("H&eight:", ImageHeight);
    auto* note = new QLabel("The next step chooses the file: a name ending in .svg gives an SVG drawing, "
                            "any other a PNG image.",
                            this);
    note->setWordWrap(true);

    const auto buttons = platform::MakeDialogButtons(this, "OKBtn", "CancelBtn", "HelpBtn");
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(buttons.help, &QPushButton::clicked, this, [&help] { help.showContext(HelpContext); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addLayout(buttons.row);
    setMinimumWidth(320);
}

QSize TExportImageDlg::ImageSize() const { return QSize(ImageWidth->value(), ImageHeight->value()); }

void TExportImageDlg::SetImageSize(QSize size) {
    ImageWidth->setValue(size.width());
    ImageHeight->setValue(size.height());
}

}  // namespace app
