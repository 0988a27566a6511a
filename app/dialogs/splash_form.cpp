#include "app/dialogs/splash_form.h"

#include "app/dialogs/program_icon.h"
#include "app/dialogs/tdr_picture.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr QRgb Silver = 0xC0C0C0;

QFrame* SilverFrame(QWidget* parent, const char* objectName, QFrame::Shadow shadow) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(objectName);
    frame->setFrameStyle(QFrame::Panel | shadow);
    frame->setLineWidth(1);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, QColor(Silver));
    palette.setColor(QPalette::WindowText, Qt::black);
    frame->setPalette(palette);
    frame->setAutoFillBackground(true);
    return frame;
}

}  // namespace

TSplashForm::TSplashForm(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("SplashForm");
    setWindowTitle("WAVIX");
    setWindowIcon(ProgramIcon());
    setFixedSize(ClientWidth, ClientHeight);

    // A panel raised on the outside with a lowered bevel just inside it.
    QFrame* panel = SilverFrame(this, "Panel1", QFrame::Raised);
    QFrame* inner = SilverFrame(panel, "InnerBevel", QFrame::Sunken);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(inner);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);

    auto* picture = new QLabel(inner);
    picture->setObjectName("SplashImage");
    picture->setAccessibleName("Reflection waveform");
    picture->setFixedSize(PictureWidth, PictureHeight);
    picture->setPixmap(TdrPicture(QSize(PictureWidth, PictureHeight)));

    auto* title = new QLabel("Time Domain Reflectometry", inner);
    title->setObjectName("TitleLbl");
    title->setAccessibleName(title->text());
    QFont titleFont("Tahoma");
    titleFont.setBold(true);
    titleFont.setPointSize(10);
    title->setFont(titleFont);

    auto* bevel = new QFrame(inner);
    bevel->setObjectName("Bevel1");
    bevel->setFrameStyle(QFrame::HLine | QFrame::Raised);
    bevel->setLineWidth(1);

    auto* loading = new QLabel("WAVIX410 Loading...", inner);
    loading->setObjectName("LoadingLbl");
    loading->setAccessibleName(loading->text());

    auto* layout = new QVBoxLayout(inner);
    layout->setContentsMargins(8, 8, 8, 6);
    layout->setSpacing(4);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(bevel);
    layout->addWidget(loading, 0, Qt::AlignHCenter);
}

void TSplashForm::ShowAndPaint() {
    show();
    raise();
    repaint();
    QCoreApplication::processEvents();
}

void TSplashForm::showEvent(QShowEvent* event) {
    if (QScreen* s = screen()) move(s->availableGeometry().center() - frameGeometry().center() + pos());
    QWidget::showEvent(event);
}

}  // namespace app
