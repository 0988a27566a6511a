#include "sim/program_options.h"

#include "sim/numeric_argument.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace sim {

namespace {

std::optional<std::uint64_t> parseUnsigned(const std::string& text) {
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string formatNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

std::string programUsage() {
    return R"(Usage: rfx410-sim [options]
A simulated RFX410 reflectometer on a pseudo-terminal. The first line written to standard
output is the terminal's device path; point the program's serial port at it.

Options:
  --link PATH             also make PATH a symbolic link to the device (a stale link is
                          replaced; removed at exit)
  --dielectric KA         apparent dielectric constant of the probe's medium (default 20)
  --conductivity S_PER_M  bulk electrical conductivity of the medium (default 0.02)
  --cable-length M        physical cable length to the probe (default 5)
  --cable-velocity V      the cable's true propagation velocity (default 0.67)
  --probe-length M        rod length of the probe (default 0.3)
  --cell-constant KP      probe cell constant, 1/m (default 6)
  --water-temperature C   temperature of the de-ionized water the probe stands in when its
                          cell constant is measured (CCCC), Celsius (default 20)
  --reference-source      a reference pulse source on the input instead of the probe: the
                          waveform is a sine-like wave of period 2 ns (for the linearity test)
  --timebase-error PCT    the time base stretches the point spacing by PCT percent from the
                          start of the window to its end (default 0: linear)
  --noise DEV             noise deviation with one average (default 0.01)
  --qrb N                 QRB address of the instrument (default 0)
  --erase-ms MS           flash erase time of the loader (default 3000)
  --seed N                seed of the noise (default 1)
  --pace                  send at the baud rate the line is set to
  --fault FAULT           inject a fault (repeatable), FAULT = KIND[=VALUE][:TARGET[:COUNT]]
                            KIND   no-reply | late=MS | bad-crc | wrong-name[=NAME] |
                                   wrong-size[=BYTES] | error=N | dead-line |
                                   corrupt-record=N | silent-record=N
                            TARGET a command name (GWAV, S_VP...) or any (default);
                                   none for the S-record faults of the loader
                            COUNT  once (default) | always | a number of commands
                          e.g. --fault late=3000:GTIM  --fault error=18:SMUX:always
                               --fault corrupt-record=5 (the 5th record of an upgrade
                               arrives damaged and is refused with ">")
  --verbose               log every command and reply on standard error
  --help                  show this text

Signals: SIGINT and SIGTERM stop the simulator. SIGUSR1 pulls the cable: the terminal
and the link vanish while the instrument keeps its state; the next SIGUSR1 puts it back
on a new terminal, whose path is printed on standard output (the link is made again).
)";
}

std::optional<ProgramOptions> parseProgramOptions(const std::vector<std::string>& args, std::string& error) {
    ProgramOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                error = "Option " + option + " needs a value.";
                return nullptr;
            }
            return &args[++i];
        };
        // A number within [low, high] for an option.
        auto number = [&](double low, double high, double& target) {
            const std::string* text = value();
            if (!text) return false;
            const auto v = parseDecimal(*text);
            if (!v || *v < low || *v > high) {
                error = "Option " + option + " takes a number from " + formatNumber(low) + " to " + formatNumber(high) +
                        ", not \"" + *text + "\".";
                return false;
            }
            target = *v;
            return true;
        };
        SimulatorConfig& c = options.config;
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--pace") {
            options.pace = true;
        } else if (option == "--verbose" || option == "-v") {
            options.verbose = true;
        } else if (option == "--link") {
            const std::string* text = value();
            if (!text) return std::nullopt;
            if (text->empty()) {
                error = "Option --link needs a path.";
                return std::nullopt;
            }
            options.linkPath = *text;
        } else if (option == "--dielectric") {
            if (!number(1, 100, c.medium.dielectric)) return std::nullopt;
        } else if (option == "--conductivity") {
            if (!number(0, 100, c.medium.conductivity)) return std::nullopt;
        } else if (option == "--cable-length") {
            if (!number(0, 2000, c.cable.length)) return std::nullopt;
        } else if (option == "--cable-velocity") {
            if (!number(0.1, 1, c.cable.velocity)) return std::nullopt;
        } else if (option == "--probe-length") {
            if (!number(0.01, 10, c.probe.rodLength)) return std::nullopt;
        } else if (option == "--cell-constant") {
            if (!number(0.01, 10000, c.probe.cellConstant)) return std::nullopt;
        } else if (option == "--water-temperature") {
            if (!number(0.1, 100, c.waterTemperature)) return std::nullopt;
        } else if (option == "--reference-source") {
            c.referenceSource = true;
        } else if (option == "--timebase-error") {
            double percent = 0;
            if (!number(-50, 50, percent)) return std::nullopt;
            c.timebaseError = percent / 100.0;
        } else if (option == "--noise") {
            if (!number(0, 1, c.noiseAtOneAverage)) return std::nullopt;
        } else if (option == "--qrb") {
            double qrb = 0;
            if (!number(0, 6, qrb)) return std::nullopt;
            if (qrb != std::floor(qrb)) {
                error = "Option --qrb takes a whole number.";
                return std::nullopt;
            }
            c.qrbAddress = static_cast<int>(qrb);
        } else if (option == "--erase-ms") {
            double ms = 0;
            if (!number(0, 600000, ms)) return std::nullopt;
            c.timing.eraseMs = static_cast<std::uint32_t>(ms);
        } else if (option == "--seed") {
            const std::string* text = value();
            if (!text) return std::nullopt;
            const auto seed = parseUnsigned(*text);
            if (!seed) {
                error = "Option --seed takes a whole number, not \"" + *text + "\".";
                return std::nullopt;
            }
            c.seed = *seed;
        } else if (option == "--fault") {
            const std::string* text = value();
            if (!text) return std::nullopt;
            auto fault = parseFault(*text, error);
            if (!fault) return std::nullopt;
            if (options.faults.size() >= FaultPlan::MaxFaults) {
                error = "At most " + std::to_string(FaultPlan::MaxFaults) + " faults can be given.";
                return std::nullopt;
            }
            options.faults.push_back(std::move(*fault));
        } else {
            error = "Unknown option \"" + option + "\"; see --help.";
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace sim
