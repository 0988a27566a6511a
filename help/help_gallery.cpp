// help-gallery DIRECTORY: renders views of the help viewer to PNG files in DIRECTORY and
// prints their paths (run it with QT_QPA_PLATFORM=offscreen).

#include "help/help_screenshot.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Usage: help-gallery DIRECTORY\n");
        return 2;
    }
    const QStringList written = help::RenderHelpScreenshots(QString::fromLocal8Bit(argv[1]));
    for (const QString& path : written) std::printf("%s\n", qPrintable(path));
    return written.isEmpty() ? 1 : 0;
}
