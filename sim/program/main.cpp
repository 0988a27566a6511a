// rfx410-sim: the simulated RFX410 on a pseudo-terminal. The device path is the first line
// on standard output; everything meant for people goes to standard error. SIGUSR1 pulls
// the cable (the terminal and the link vanish, the instrument keeps running) and the next
// SIGUSR1 puts it back on a new terminal, whose path is printed as the next line.

#include "platform/qt/qt_clock.h"
#include "platform/qt/signal_watcher.h"
#include "sim/program/device_link.h"
#include "sim/program/line_server.h"
#include "sim/program/pseudo_terminal.h"
#include "sim/program_options.h"
#include "sim/rfx410.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
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
    platform::QtClock clock;
    sim::Rfx410 instrument(clock, options->config);
    for (const sim::Fault& fault : options->faults) instrument.faults().add(fault);
    if (options->verbose) instrument.setLogger(report);

    // The line: the terminal, the link to it and the server between it and the instrument.
    std::unique_ptr<sim::program::PseudoTerminal> terminal;
    sim::program::DeviceLink link;
    std::unique_ptr<sim::program::LineServer> server;
    auto plugIn = [&](std::string& why) {
        auto fresh = std::make_unique<sim::program::PseudoTerminal>();
        if (!fresh->open(why)) return false;
        if (!options->linkPath.empty() && !link.create(options->linkPath, fresh->devicePath(), why)) return false;
        terminal = std::move(fresh);
        server = std::make_unique<sim::program::LineServer>(*terminal, instrument, clock, options->pace, report);
        std::printf("%s\n", terminal->devicePath().c_str());
        std::fflush(stdout);
        return true;
    };
    auto unplug = [&] {
        server.reset();
        link.remove();
        terminal.reset();
    };

    platform::SignalWatcher signalWatcher([&](int signal) {
        if (signal != SIGUSR1) {
            app.quit();
            return;
        }
        if (terminal) {
            const std::string path = terminal->devicePath();
            unplug();
            report("cable pulled: " + path + " is gone; SIGUSR1 puts it back");
            return;
        }
        std::string why;
        if (plugIn(why)) report("cable back in on " + terminal->devicePath());
        else report("cannot put the cable back: " + why);
    });
    if (!signalWatcher.install(error)) {
        report(error);
        return 1;
    }
    if (!plugIn(error)) {
        report(error);
        return 1;
    }

    const sim::Medium& medium = options->config.medium;
    const std::string input = options->config.referenceSource
                                  ? "a reference source on the input"
                                  : "probe medium Ka " + formatNumber(medium.dielectric) + ", " +
                                        formatNumber(medium.conductivity) + " S/m";
    const std::string timebase = options->config.timebaseError != 0
                                     ? ", time base off by " + formatNumber(options->config.timebaseError * 100) + " %"
                                     : "";
    report("serving an RFX410 on " + terminal->devicePath() +
           (options->linkPath.empty() ? "" : " (linked from " + options->linkPath + ")") + ", " + input + timebase +
           (options->pace ? ", paced" : "") + "; stop with Ctrl+C, pull the cable with SIGUSR1");
    for (const sim::Fault& fault : options->faults) report("fault armed: " + sim::describeFault(fault));

    const int result = app.exec();
    unplug();
    report("stopped");
    return result;
}
