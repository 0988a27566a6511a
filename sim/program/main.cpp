// rfx410-sim: the simulated RFX410 on a pseudo-terminal. The device path is the first line
// on standard output; everything meant for people goes to standard error.

#include "platform/qt/qt_clock.h"
#include "sim/program/device_link.h"
#include "sim/program/line_server.h"
#include "sim/program/pseudo_terminal.h"
#include "platform/qt/signal_watcher.h"
#include "sim/program_options.h"
#include "sim/rfx410.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

void report(const std::string& message) { std::cerr << "rfx410-sim: " << message << std::endl; }

std::string formatNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = sim::parseProgramOptions(args, error);
    if (!options) {
        report(error);
        return 2;
    }
    if (options->help) {
        std::cout << sim::programUsage();
        return 0;
    }

    QCoreApplication app(argc, argv);
    platform::SignalWatcher signalWatcher([&app](int) { app.quit(); });
    if (!signalWatcher.install(error)) {
        report(error);
        return 1;
    }
    sim::program::PseudoTerminal terminal;
    if (!terminal.open(error)) {
        report(error);
        return 1;
    }
    sim::program::DeviceLink link;
    if (!options->linkPath.empty() && !link.create(options->linkPath, terminal.devicePath(), error)) {
        report(error);
        return 1;
    }

    platform::QtClock clock;
    sim::Rfx410 instrument(clock, options->config);
    for (const sim::Fault& fault : options->faults) instrument.faults().add(fault);
    if (options->verbose) instrument.setLogger(report);
    sim::program::LineServer server(terminal, instrument, clock, options->pace, report);

    std::printf("%s\n", terminal.devicePath().c_str());
    std::fflush(stdout);
    const sim::Medium& medium = options->config.medium;
    const std::string input = options->config.referenceSource
                                  ? "a reference source on the input"
                                  : "probe medium Ka " + formatNumber(medium.dielectric) + ", " +
                                        formatNumber(medium.conductivity) + " S/m";
    const std::string timebase = options->config.timebaseError != 0
                                     ? ", time base off by " + formatNumber(options->config.timebaseError * 100) + " %"
                                     : "";
    report("serving an RFX410 on " + terminal.devicePath() +
           (options->linkPath.empty() ? "" : " (linked from " + options->linkPath + ")") + ", " + input + timebase +
           (options->pace ? ", paced" : "") + "; stop with Ctrl+C");
    for (const sim::Fault& fault : options->faults) report("fault armed: " + sim::describeFault(fault));

    const int result = app.exec();
    report("stopped");
    return result;
}
