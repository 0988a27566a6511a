#include "cli/cli_options.h"

#include "link/command_set.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>

namespace cli {

namespace {

std::optional<int> number(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    return std::stoi(text);
}

}  // namespace

std::string UsageText() {
    return "usage: wavix-cli [--port PATH | --com N] [--baud 9600|19200|57600] [--log] [--json | --csv]\n"
           "                 get NAME [--timeout SECONDS]\n"
           "       wavix-cli [options] set \"TEXT\"\n"
           "       wavix-cli [options] measure wc|ec|waveform [settings] [--every SECONDS [--count N]]\n"
           "                 [--output FILE]\n"
           "\n"
           "get and set send one command to the RFX410 and print what its reply put into the store.\n"
           "measure runs the program's own measurement: water content (wc), bulk electrical\n"
           "conductivity (ec) or a waveform, with the settings and calibration of RFX410.INI in the\n"
           "current directory (WAVIX's settings file; it is not changed).\n"
           "  --port PATH     serial device (for example /dev/ttyUSB0 or the path rfx410-sim prints)\n"
           "  --com N         COM port N as mapped in RFX410.INI [Ports] of the current directory\n"
           "                  (default: the port RFX410.INI names, else COM 1)\n"
           "  --baud B        9600, 19200 or 57600 (default: as RFX410.INI says, else 57600)\n"
           "  --log           append the bytes exchanged to TDR_IO.log in the current directory\n"
           "  --json, --csv   machine-readable output (CSV: the points of an array reply; a measurement\n"
           "                  as a row with a header)\n"
           "  get NAME        a fetch command: DUMP GTIM GWAV GNWA GLWF GLDR GNDR GCAL GCON GMOS GVAR\n"
           "                  GVER GDTS GRLN\n"
           "  set \"TEXT\"      a set command with its argument, e.g. set \"S_VP 0.67\", set \"CCCC 21.5\"\n"
           "  --timeout S     reply time-out in whole seconds (default: what the program uses)\n"
           "\n"
           "measure settings (instead of those in RFX410.INI; sent as typed, checked as WAVIX does):\n"
           "  --vp V  --averages N  --points N  --start M  --length M  --probe-length M  --probe-offset M\n"
           "  --kp KP         probe cell constant for ec (default: CellConst of RFX410.INI, else 1)\n"
           "  --derivative    measure waveform: fetch the derivative as well\n"
           "  --every S       measure every S seconds (at least 1) until --count measurements are\n"
           "                  made or Ctrl+C; one row per measurement with its ISO 8601 time\n"
           "  --count N       number of measurements (default 1, or unlimited with --every)\n"
           "  --output FILE   append the rows to FILE (CSV with a header unless --json, which writes\n"
           "                  one JSON object per line); an existing file is continued, never cut\n"
           "\n"
           "Exit status: 0 success, 1 usage, 2 port cannot be opened, 3 command not sent,\n"
           "4 no valid reply (time-out, CRC, wrong reply ...; for measure: every measurement\n"
           "failed), 5 the instrument reported an error.\n";
}

std::string MeasureKindName(MeasureKind kind) {
    switch (kind) {
        case MeasureKind::WaterContent: return "wc";
        case MeasureKind::BulkEC: return "ec";
        case MeasureKind::Waveform: return "waveform";
    }
    return "wc";
}

int DefaultTimeout(const std::string& name) {
    using namespace instrument::ReplyTimeouts;
    if (name == "GLWF" || name == "GWAV" || name == "GNWA" || name == "GMOS") return Glwf;
    if (name == "GLDR" || name == "GNDR" || name == "GCAL" || name == "GCON" || name == "GVAR") return Gldr;
    return Dump;
}

namespace {

// The measure options that take one of the seven settings, in tag order.
constexpr const char* SettingOptions[7] = {"--vp", "--averages", "--points", "--start",
                                           "--length", "--probe-length", "--probe-offset"};

std::optional<double> decimal(const std::string& text) {
    if (text.empty() || text.size() > 30) return std::nullopt;
    std::size_t used = 0;
    try {
        const double v = std::stod(text, &used);
        if (used != text.size() || !std::isfinite(v)) return std::nullopt;
        return v;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    bool haveAction = false;
    bool measureOnly = false;  // an option that only measure takes was given
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const char* what) -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                error = std::string(a) + " needs " + what + ".";
                return std::nullopt;
            }
            return args[++i];
        };
        if (a == "--port") {
            auto v = value("a device path");
            if (!v) return std::nullopt;
            o.devicePath = *v;
        } else if (a == "--com") {
            auto v = value("a port number");
            if (!v) return std::nullopt;
            auto n = number(*v);
            if (!n || *n < 1 || *n > 255) {
                error = "--com needs a port number from 1 to 255, not \"" + *v + "\".";
                return std::nullopt;
            }
            o.comPort = *n;
        } else if (a == "--baud") {
            auto v = value("a baud rate");
            if (!v) return std::nullopt;
            auto n = number(*v);
            if (!n || (*n != 9600 && *n != 19200 && *n != 57600)) {
                error = "--baud must be 9600, 19200 or 57600, not \"" + *v + "\".";
                return std::nullopt;
            }
            o.baud = *n;
        } else if (a == "--kp") {
            auto v = value("a cell constant");
            if (!v) return std::nullopt;
            auto kp = decimal(*v);
            if (!kp || *kp < 0 || *kp > 1000) {
                error = "--kp needs a cell constant from 0 to 1000, not \"" + *v + "\".";
                return std::nullopt;
            }
            o.kp = *kp;
            measureOnly = true;
        } else if (a == "--every") {
            auto v = value("seconds");
            if (!v) return std::nullopt;
            auto s = decimal(*v);
            if (!s || *s < 1 || *s > 31 * 86400.0) {
                error = "--every needs seconds from 1 to 2678400, not \"" + *v + "\".";
                return std::nullopt;
            }
            o.everySeconds = *s;
            measureOnly = true;
        } else if (a == "--count") {
            auto v = value("a number of measurements");
            if (!v) return std::nullopt;
            auto n = number(*v);
            if (!n || *n < 1) {
                error = "--count needs a number of measurements from 1 to 999999999, not \"" + *v + "\".";
                return std::nullopt;
            }
            o.count = *n;
            measureOnly = true;
        } else if (a == "--output") {
            auto v = value("a file name");
            if (!v) return std::nullopt;
            if (v->empty()) {
                error = "--output needs a file name.";
                return std::nullopt;
            }
            o.outputPath = *v;
            measureOnly = true;
        } else if (a == "--derivative") {
            o.derivative = true;
            measureOnly = true;
        } else if (std::find(std::begin(SettingOptions), std::end(SettingOptions), a) != std::end(SettingOptions)) {
            auto v = value("a value");
            if (!v) return std::nullopt;
            const auto tag = std::find(std::begin(SettingOptions), std::end(SettingOptions), a) - std::begin(SettingOptions);
            // Checked as WAVIX checks its edits, before anything is sent.
            if (v->size() > 20) {
                error = a + " takes a number, not \"" + *v + "\".";
                return std::nullopt;
            }
            o.settings[static_cast<std::size_t>(tag)] = *v;
            measureOnly = true;
        } else if (a == "measure" && !haveAction) {
            auto v = value("wc, ec or waveform");
            if (!v) return std::nullopt;
            if (*v == "wc") o.kind = MeasureKind::WaterContent;
            else if (*v == "ec") o.kind = MeasureKind::BulkEC;
            else if (*v == "waveform") o.kind = MeasureKind::Waveform;
            else {
                error = "measure takes wc, ec or waveform, not \"" + *v + "\".";
                return std::nullopt;
            }
            o.action = Options::Action::Measure;
            haveAction = true;
        } else if (a == "--timeout") {
            auto v = value("whole seconds");
            if (!v) return std::nullopt;
            auto n = number(*v);
            if (!n) {
                error = "--timeout needs whole seconds, not \"" + *v + "\".";
                return std::nullopt;
            }
            o.timeoutSecs = *n;
        } else if (a == "--log") {
            o.log = true;
        } else if (a == "--json") {
            o.format = OutputFormat::Json;
            o.formatGiven = true;
        } else if (a == "--csv") {
            o.format = OutputFormat::Csv;
            o.formatGiven = true;
        } else if ((a == "get" || a == "set") && !haveAction) {
            auto v = value(a == "get" ? "a command name" : "a command text");
            if (!v) return std::nullopt;
            o.action = a == "get" ? Options::Action::Get : Options::Action::Set;
            o.command = *v;
            haveAction = true;
        } else {
            error = "unexpected argument \"" + a + "\".";
            return std::nullopt;
        }
    }
    if (!haveAction) {
        error = "nothing to do: give get NAME, set \"TEXT\" or measure wc|ec|waveform.";
        return std::nullopt;
    }
    if (!o.devicePath.empty() && o.comPort != 0) {
        error = "give either --port or --com, not both.";
        return std::nullopt;
    }
    if (o.action == Options::Action::Measure) {
        if (o.count && *o.count > 1 && !o.everySeconds) {
            error = "--count needs --every to say how far apart the measurements are.";
            return std::nullopt;
        }
        if (o.derivative && o.kind != MeasureKind::Waveform) {
            error = "--derivative goes with measure waveform.";
            return std::nullopt;
        }
        // A file of rows is CSV unless JSON lines are asked for.
        if (!o.outputPath.empty() && !o.formatGiven) o.format = OutputFormat::Csv;
        return o;
    }
    if (measureOnly) {
        error = "that option goes with measure.";
        return std::nullopt;
    }
    if (o.command.empty() || o.command.size() > 120 || o.command.find_first_of("\r\n") != std::string::npos) {
        error = "the command must be one line of at most 120 characters.";
        return std::nullopt;
    }
    if (o.action == Options::Action::Get && o.command.size() != 4) {
        error = "get takes a four-letter command name, not \"" + o.command + "\".";
        return std::nullopt;
    }
    return o;
}

}  // namespace cli
