// The About box, the splash window, the program icon and the dialog pictures.

#include "app/dialogs/about_box.h"
#include "app/dialogs/dialog_screenshots.h"
#include "app/dialogs/program_icon.h"
#include "app/dialogs/splash_form.h"

#include "platform/doubles/test_platform.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace app {
namespace {

QString Text(const QWidget& window, const char* name) { return window.findChild<QLabel*>(name)->text(); }

// Every label shows its whole text: none is narrower or lower than it needs.
void ExpectNoLabelClipped(const QWidget& window) {
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->objectName().toStdString();
        EXPECT_GE(label->height(), label->sizeHint().height()) << label->objectName().toStdString();
    }
}

void ExpectCentredOnItsScreen(const QWidget& window) {
    const QPoint centre = window.screen()->availableGeometry().center();
    EXPECT_LE((window.frameGeometry().center() - centre).manhattanLength(), 2);
}

TEST(AboutBox, ShowsTheProductInItsFixedSizeAndClosesWithOk) {
    TAboutBox about;
    about.show();
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.size(), QSize(298, 213));
    EXPECT_EQ(Text(about, "ProductName"), "RFX410 PC Software");
    EXPECT_EQ(Text(about, "Version"), "Version 2.05 (32-bit)");
    EXPECT_EQ(Text(about, "ProgramName"), "WAVIX");
    EXPECT_EQ(Text(about, "Comments"), "TDR Graphing Software");
    EXPECT_FALSE(about.findChild<QLabel*>("ProgramIcon")->pixmap().isNull());

    const QLabel* name = about.findChild<QLabel*>("ProgramName");
    EXPECT_TRUE(name->font().bold());
    EXPECT_GT(name->font().pointSize(), about.findChild<QLabel*>("Version")->font().pointSize());
    EXPECT_EQ(name->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(about.findChild<QLabel*>("ProductName")->font().bold());
    ExpectNoLabelClipped(about);
    ExpectCentredOnItsScreen(about);

    QTest::mouseClick(about.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

TEST(SplashForm, FramelessCentredWithPictureAndTexts) {
    TSplashForm splash;
    splash.ShowAndPaint();
    EXPECT_EQ(splash.size(), QSize(276, 183));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.findChild<QLabel*>("SplashImage")->pixmap().size(), QSize(193, 113));
    EXPECT_EQ(Text(splash, "TitleLbl"), "Time Domain Reflectometry");
    EXPECT_TRUE(splash.findChild<QLabel*>("TitleLbl")->font().bold());
    EXPECT_EQ(Text(splash, "LoadingLbl"), "WAVIX410 Loading...");
    ExpectNoLabelClipped(splash);
    ExpectCentredOnItsScreen(splash);
}

TEST(ProgramIcon, IsDrawnAtEverySizeAsked) {
    const QIcon icon = ProgramIcon();
    EXPECT_GE(icon.availableSizes().size(), 5);
    const QImage image = ProgramIconPixmap(32).toImage();
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);  // rounded corner
    EXPECT_EQ(image.pixelColor(16, 16).alpha(), 255);
}

TEST(DialogScreenshots, OnePicturePerDialog) {
    // Kept in the build directory when there is one, for looking at.
    QTemporaryDir temporary;
    const QByteArray build = qgetenv("WAVIX_BUILD_DIR");
    const QString dir = build.isEmpty() ? temporary.path() : QString::fromUtf8(build) + "/screenshots/dialogs";
    platform::TestPlatform test;
    platform::Platform services = test.platform();
    const QStringList written = RenderDialogScreenshots(dir, services);
    EXPECT_EQ(written.size(), 8);
    for (const QString& path : written) EXPECT_FALSE(QImage(path).isNull()) << path.toStdString();
    EXPECT_EQ(QImage(QDir(dir).filePath("about_box.png")).size(), QSize(298, 213));
    EXPECT_EQ(QImage(QDir(dir).filePath("splash.png")).size(), QSize(276, 183));
    EXPECT_TRUE(test.dialogs.records.empty());
    EXPECT_EQ(test.serial.openCount(), 0);
}

}  // namespace
}  // namespace app
