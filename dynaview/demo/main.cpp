// dynaview-demo: a heated tank watched through dynaview's alarm displays.
//   dynaview-demo [--warm-up S] [--seconds N] [--screenshots DIR] [--open-page FILE] [--save-page FILE] [--feed SERVICE TOPIC ITEM [ITEM]]
// --warm-up runs the process for S seconds at once before the window shows; --seconds
// ends it after N seconds and prints the alarm log; --screenshots saves the window and the
// alarm dialogs as PNG files in DIR before it ends. --open-page shows a saved page instead
// of the built one; --save-page saves the page when the demo ends. --feed takes the
// temperature (and with a second item the level) from the data link, from dynaview-feed for
// example; the fed temperature is what the PID loop works on.

#include "dynaview/alarms/dialogs/alarm_attrib_dialog.h"
#include "dynaview/alarms/dialogs/alarm_lines_dialog.h"
#include "dynaview/alarms/dialogs/alarm_marks_dialog.h"
#include "dynaview/alarms/dialogs/alarm_text_dialog.h"
#include "dynaview/bars/dialogs/dyn_bars_dialog.h"
#include "dynaview/demo/demo_window.h"
#include "dynaview/demo/page_files.h"
#include "dynaview/pid/dialogs/pid_dialog.h"

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTimer>

#include <cstdio>
#include <iostream>
#include <optional>

namespace {

constexpr const char* Usage =
    "usage: dynaview-demo [--warm-up S] [--seconds N] [--screenshots DIR] [--open-page FILE] [--save-page FILE]\n"
    "                     [--feed SERVICE TOPIC ITEM [ITEM]] [--help]\n";
constexpr const char* Help =
    "A heated tank whose temperature a PID loop holds by driving the heater.\n"
    "  --warm-up S      run the process S seconds before the window shows\n"
    "  --seconds N      end after N seconds, printing the alarm log\n"
    "  --screenshots D  save the window and the dialogs as PNG files in D before the end\n"
    "  --open-page F    show a saved page instead of the built one\n"
    "  --save-page F    save the page at the end (File > Save Page... saves it at any time)\n"
    "  --feed S T I [L] take the temperature (item I) and the level (item L) from the data link,\n"
    "                   from dynaview-feed for example: the fed temperature is the process value\n"
    "                   the loop reads; while its item is in Fail the loop holds its output\n";

void save(QWidget& widget, const QString& directory, const char* name) {
    const QString path = QDir(directory).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    if (widget.grab().save(path, "PNG")) std::cout << path.toStdString() << "\n";
}

void saveDialogs(dynaview::demo::DemoWindow& window, const QString& directory) {
    using namespace dynaview;
    const auto& t = window.temperature();
    AlarmAttribDialog attributes(window.environment(), t.dataSet, &window);
    AlarmLinesDialog lines(window.environment(), t.handle, t.lines, &window);
    AlarmMarksDialog marks(window.environment(), t.handle, t.marks, &window);
    AlarmTextDialog text(window.environment(), t.handle, t.text, &window);
    const demo::TankLoopPanel& loop = *window.tankLoop();
    PidDialog pid(window.environment(), loop.loop(), &window);
    DynBarsDialog bars(window.environment(), loop.overviewGraph(), loop.overviewBars(), &window);
    for (auto [dialog, name] : {std::pair<QDialog*, const char*>{&attributes, "dynaview-alarm-attributes"},
                                {&lines, "dynaview-alarm-lines"}, {&marks, "dynaview-alarm-marks"}, {&text, "dynaview-alarm-text"},
                                {&pid, "dynaview-pid-parameters"}, {&bars, "dynaview-dynamic-bars"}}) {
        dialog->show();
        save(*dialog, directory, name);
        dialog->hide();
    }
}

// The trends page once the strip chart has jumped (history view needs a full window), 30 s
// back in history while five more seconds of the process arrive, and resumed. Only for the
// simulated process: with a data link the strip chart is not fed.
void saveHistoryView(dynaview::demo::DemoWindow& window, const QString& directory) {
    dynaview::demo::ScrollDisplays& trends = *window.scrollDisplays();
    for (int step = 0; step < 1000 && !trends.stripFilled(); ++step) window.FeedTimer();
    if (!trends.stripFilled()) return;
    for (int step = 0; step < 50; ++step) window.FeedTimer();
    save(trends, directory, "dynaview-trends");
    trends.BackBtnClick();
    for (int step = 0; step < 50; ++step) window.FeedTimer();
    save(trends, directory, "dynaview-trends-back");
    trends.ResumeBtnClick();
    save(trends, directory, "dynaview-trends-resumed");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("dynaview-demo"));
    int seconds = 0, warmUp = 0;
    QString screenshots, openPage, savePage;
    std::optional<dynaview::demo::FeedSpec> feed;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QStringLiteral("--help") || argument == QStringLiteral("-h")) {
            std::cout << Usage << Help;
            return 0;
        } else if (argument == QStringLiteral("--seconds") && i + 1 < argc) {
            seconds = QString::fromLocal8Bit(argv[++i]).toInt();
        } else if (argument == QStringLiteral("--warm-up") && i + 1 < argc) {
            warmUp = QString::fromLocal8Bit(argv[++i]).toInt();
        } else if (argument == QStringLiteral("--screenshots") && i + 1 < argc) {
            screenshots = QString::fromLocal8Bit(argv[++i]);
        } else if (argument == QStringLiteral("--open-page") && i + 1 < argc) {
            openPage = QString::fromLocal8Bit(argv[++i]);
        } else if (argument == QStringLiteral("--save-page") && i + 1 < argc) {
            savePage = QString::fromLocal8Bit(argv[++i]);
        } else if (argument == QStringLiteral("--feed") && i + 3 < argc) {
            feed = dynaview::demo::FeedSpec{QString::fromLocal8Bit(argv[i + 1]), QString::fromLocal8Bit(argv[i + 2]),
                                            {QString::fromLocal8Bit(argv[i + 3])}};
            i += 3;
            if (i + 1 < argc && argv[i + 1][0] != '-') feed->items << QString::fromLocal8Bit(argv[++i]);
        } else {
            std::cerr << Usage;
            return 1;
        }
    }
    dynaview::demo::DemoWindow window;
    if (!openPage.isEmpty() && !window.pageFiles().openPage(openPage.toStdString())) return 1;
    QString feedError;
    if (feed && !window.useFeed(*feed, &feedError)) {
        std::cerr << "dynaview-demo: " << feedError.toStdString() << "\n";
        return 1;
    }
    for (int step = 0; step < warmUp * 10; ++step) window.FeedTimer();
    window.show();
    if (seconds > 0 || !screenshots.isEmpty() || !savePage.isEmpty()) {
        QTimer::singleShot(std::max(seconds, 1) * 1000, &window, [&] {
            if (!screenshots.isEmpty()) {
                QDir().mkpath(screenshots);
                save(window, screenshots, "dynaview-demo");
                saveDialogs(window, screenshots);
                if (!feed) saveHistoryView(window, screenshots);
            }
            std::cout << window.alarmLog()->toPlainText().toStdString() << std::endl;
            if (feed) std::cout << window.feedSummary().toStdString() << "\n" << window.tankLoop()->summary().toStdString() << std::endl;
            const bool saved = savePage.isEmpty() || window.pageFiles().savePage(savePage.toStdString());
            application.exit(saved ? 0 : 1);
        });
    }
    return application.exec();
}
