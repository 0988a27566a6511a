#include "help/help_screenshot.h"

#include "help/help_topics.h"
#include "platform/qt/help_window.h"
#include "platform/qt/qt_help.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

namespace help {

namespace {

bool save(platform::HelpWindow& window, const QString& path) {
    QApplication::processEvents();
    return window.grab().save(path, "PNG");
}

}  // namespace

bool RenderHelpScreenshot(const QString& path, int context) {
    platform::QtHelp viewer(topicsRoot());
    viewer.setHelpFile(HelpFileName);
    viewer.showContext(context);
    return save(viewer.window(), path);
}

QStringList RenderHelpScreenshots(const QString& directory) {
    QDir().mkpath(directory);
    const QDir out(directory);
    QStringList written;
    auto keep = [&](bool saved, const QString& path) {
        if (saved) written << path;
    };
    // A button, a setting with its message, a dialog, a table of messages, a feature's page,
    // and the introduction with its picture.
    for (int context : {21, 11, 4, 28, 26, 200}) {
        const QString path = out.filePath(QStringLiteral("help-context-%1.png").arg(context));
        keep(RenderHelpScreenshot(path, context), path);
    }
    platform::QtHelp viewer(topicsRoot());
    viewer.setHelpFile(HelpFileName);
    viewer.showIndex("overl");
    keep(save(viewer.window(), out.filePath("help-index.png")), out.filePath("help-index.png"));
    viewer.showContext(12345);
    keep(save(viewer.window(), out.filePath("help-unknown-context.png")), out.filePath("help-unknown-context.png"));
    for (const char* topic : {"tdr_basics.html", "response_messages.html"}) {
        viewer.window().openTopic(QString::fromLatin1(topic));
        const QString path = out.filePath(QStringLiteral("help-%1.png").arg(QString::fromLatin1(topic).section('.', 0, 0)));
        keep(save(viewer.window(), path), path);
    }
    return written;
}

}  // namespace help
