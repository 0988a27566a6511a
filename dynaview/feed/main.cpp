// dynaview-feed: publishes items for dynaview's data link from standard input or generated.
//   some-producer | dynaview-feed Tank Plant Temp
//   dynaview-feed --sine --values 2 Tank Plant Temp Level
// Run with --help for the options.

#include "dynaview/feed/feed_options.h"
#include "dynaview/feed/feed_publisher.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QTimer>

#include <csignal>
#include <iostream>
#include <string>
#include <thread>

using namespace dynaview::feed;

namespace {

// Reads standard input on its own thread and hands each line to the event loop; the end of
// the input ends the program.
void readStandardInput(QCoreApplication& application, Publisher& publisher, const Options& options) {
    std::thread([&application, &publisher, &options] {
        std::string line;
        while (std::getline(std::cin, line)) {
            QMetaObject::invokeMethod(&application, [&publisher, &options, line] {
                const std::optional<LineText> text = ReadLine(line, options.items);
                if (!text) {
                    std::cerr << "dynaview-feed: no item named in \"" << line << "\"\n";
                    return;
                }
                publisher.setText(text->item, text->text);
            }, Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(&application, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    }).detach();
}

void quitOnSignal(int) { QCoreApplication::quit(); }

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const Parsed parsed = ParseOptions(arguments);
    if (!parsed.options) {
        std::cerr << "dynaview-feed: " << parsed.error << "\n" << Usage;
        return 2;
    }
    const Options options = *parsed.options;
    if (options.help) {
        std::cout << Usage;
        return 0;
    }
    QCoreApplication application(argc, argv);
    std::signal(SIGTERM, quitOnSignal);
    std::signal(SIGINT, quitOnSignal);

    std::unique_ptr<Publisher> publisher = OpenPublisher(options);
    std::string error;
    if (!publisher || !publisher->open(&error)) {
        std::cerr << "dynaview-feed: " << (publisher ? error : std::string("cannot publish on ") + options.service) << "\n";
        return 1;
    }
    Generator generator(options);
    QElapsedTimer elapsed;
    elapsed.start();
    auto generate = [&] {
        const std::vector<std::string> texts = generator.texts(static_cast<double>(elapsed.elapsed()) / 1000.0);
        for (std::size_t i = 0; i < options.items.size(); ++i) publisher->setText(options.items[i], texts[i]);
    };
    QTimer timer;
    if (options.source == Source::Lines) {
        std::string zeros = "0";
        for (int v = 1; v < options.values; ++v) zeros += " 0";
        for (const std::string& item : options.items) publisher->setText(item, zeros);
        readStandardInput(application, *publisher, options);
    } else {
        generate();
        QObject::connect(&timer, &QTimer::timeout, generate);
        timer.start(static_cast<int>(options.intervalMs));
    }
    std::cerr << "dynaview-feed: publishing " << options.items.size() << " item(s) of " << options.topic << " on " << options.service << "\n";
    const int result = application.exec();
    timer.stop();
    publisher.reset();
    // The reading thread may still be blocked on the input: leave without waiting for it.
    std::cout.flush();
    std::_Exit(result);
}
