#include "cli/measurement_logger.h"

#include "cli/append_file.h"
#include "cli/measurement_report.h"
#include "cli/measurement_session.h"

#include "app/settings_panel.h"
#include "platform/qt/signal_watcher.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <ctime>
#include <iostream>

namespace cli {

namespace {

using Clock = std::chrono::steady_clock;

void Say(const std::string& text) { std::cerr << "wavix-cli: " << text << std::endl; }

}  // namespace

bool OpenChosenPort(instrument::TTDRdataObject& data, const PortChoice& port) {
    return port.devicePath.empty() ? data.OpenPort(port.comPort, port.baud) : data.OpenPortPath(port.devicePath, port.baud);
}

int RunMeasurements(const Options& options, platform::Platform& services, ConsoleDialogs& dialogs,
                    const platform::PortMap& ports, const PortChoice& port, const std::filesystem::path& directory) {
    std::string warning;
    const SessionSetup setup = SetupFromSettingsFile(options, directory, services.numbers, warning);
    if (!warning.empty()) Say(warning);
    // The settings are checked once, before anything is sent: they do not change during a run.
    app::SettingTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = setup.settings[i];
    if (const auto failure = app::ValidateSettings(texts, services.numbers)) {
        Say(failure->message);
        return ExitUsage;
    }

    MeasurementSession session(services, &ports, setup, [&dialogs] { return dialogs.Take(); });
    instrument::TTDRdataObject& data = session.Data();
    if (!OpenChosenPort(data, port)) {
        Say(data.Driver().LastOpenError());
        return ExitPortError;
    }
    if (options.log) {
        data.Driver().SetLowLevelLogging(true);
        data.Driver().SetLogging(true);
    }

    AppendFile file;
    if (!options.outputPath.empty()) {
        std::string error;
        const std::string header = options.format == OutputFormat::Csv ? CsvHeader() : std::string();
        if (!file.Open(options.outputPath, header, error)) {
            Say(error);
            return ExitUsage;
        }
    } else if (options.format == OutputFormat::Csv) {
        std::cout << CsvHeader() << std::endl;
    }

    int stopRequests = 0;  // Ctrl+C, SIGTERM
    bool stopRequested = false;
    platform::SignalWatcher signalWatcher([&](int) {
        ++stopRequests;
        stopRequested = true;
    });
    std::string signalError;
    if (!signalWatcher.install(signalError)) Say(signalError + " Ctrl+C will end the program at once.");

    // Runs the event loop until done() holds; false when a stop was asked for first.
    const auto runUntil = [&stopRequested](const std::function<bool()>& done) {
        while (!done()) {
            if (stopRequested) return false;
            QEventLoop loop;
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
                if (done() || stopRequested) loop.quit();
            });
            poll.start(20);
            loop.exec();
        }
        return true;
    };

    const bool repeating = options.everySeconds.has_value();
    const long total = options.count ? *options.count : (repeating ? -1 : 1);
    const auto every = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(repeating ? *options.everySeconds : 0.0));
    auto next = Clock::now();
    long made = 0;
    long succeeded = 0;
    bool silent = false;  // the instrument answered nothing last time
    while (total < 0 || made < total) {
        if (made > 0) {
            next += every;
            const auto now = Clock::now();
            if (now > next) {
                // The measurement took longer than the interval: the next one starts at once
                // and the schedule goes on from there.
                Say("the measurement took longer than --every; the next one starts at once");
                next = now;
            }
            if (!runUntil([&next] { return Clock::now() >= next; })) break;
        }
        if (silent) {
            // A dead line: the port is opened afresh (a device that went away and came back
            // has a new connection), then tried again.
            data.ClosePort();
            if (!OpenChosenPort(data, port)) Say(data.Driver().LastOpenError());
        }
        const auto record = session.Measure(options.kind, runUntil, IsoTime(std::time(nullptr)));
        if (!record) {
            // Stopped during a measurement: no further command goes out, and the one under
            // way is given a few seconds, so that the instrument is not left answering into
            // the next program that opens the line. A second Ctrl+C does not wait.
            if (data.Busy()) {
                Say("stopping after the command under way (Ctrl+C again to stop at once)");
                const auto deadline = Clock::now() + std::chrono::seconds(5);
                const int requests = stopRequests;
                stopRequested = false;
                runUntil([&] { return !data.Busy() || stopRequests > requests || Clock::now() >= deadline; });
                stopRequested = true;
            }
            session.Abandon();
            break;
        }
        ++made;
        if (record->ok()) ++succeeded;
        const std::string row = FormatRecord(*record, options.format, services.numbers);
        if (file.IsOpen()) {
            std::string error;
            if (!file.Append(row, error)) Say(error + " The row was: " + row);
        } else {
            std::cout << row << std::flush;
        }
        if (!record->ok() && !record->answered) {
            if (!silent || !repeating)
                Say("no answer from the instrument on " + port.Describe() +
                    (repeating ? "; trying again at every measurement, reopening the port first" : ""));
            silent = true;
        } else if (silent && record->answered) {
            Say("the instrument on " + port.Describe() + " answers again");
            silent = false;
        }
    }
    if (stopRequested) Say("stopped after " + std::to_string(made) + " measurement" + (made == 1 ? "" : "s") + ".");
    file.Close();
    return made == 0 || succeeded > 0 ? ExitOk : ExitReplyFailed;
}

}  // namespace cli
