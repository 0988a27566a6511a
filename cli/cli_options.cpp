#include "cli/cli_options.h"

#include "link/command_set.h"

#include <cctype>

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
           "\n"
           "Sends one command to the RFX410 and prints what its reply put into the store.\n"
           "  --port PATH     serial device (for example /dev/ttyUSB0 or the path rfx410-sim prints)\n"
           "  --com N         COM port N as mapped in RFX410.INI [Ports] of the current directory\n"
           "                  (default COM 1)\n"
           "  --baud B        9600, 19200 or 57600 (default 57600)\n"
           "  --log           append the bytes exchanged to TDR_IO.log in the current directory\n"
           "  --json, --csv   machine-readable output (CSV: the points of an array reply)\n"
           "  get NAME        a fetch command: DUMP GTIM GWAV GNWA GLWF GLDR GNDR GCAL GCON GMOS GVAR\n"
           "                  GVER GDTS GRLN\n"
           "  set \"TEXT\"      a set command with its argument, e.g. set \"S_VP 0.67\", set \"CCCC 21.5\"\n"
           "  --timeout S     reply time-out in whole seconds (default: what the program uses)\n"
           "\n"
           "Exit status: 0 success, 1 usage, 2 port cannot be opened, 3 command not sent,\n"
           "4 no valid reply (time-out, CRC, wrong reply ...), 5 the instrument reported an error.\n";
}

int DefaultTimeout(const std::string& name) {
    using namespace instrument::ReplyTimeouts;
    if (name == "GLWF" || name == "GWAV" || name == "GNWA" || name == "GMOS") return Glwf;
    if (name == "GLDR" || name == "GNDR" || name == "GCAL" || name == "GCON" || name == "GVAR") return Gldr;
    return Dump;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    bool haveAction = false;
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
        } else if (a == "--csv") {
            o.format = OutputFormat::Csv;
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
        error = "nothing to do: give get NAME or set \"TEXT\".";
        return std::nullopt;
    }
    if (!o.devicePath.empty() && o.comPort != 0) {
        error = "give either --port or --com, not both.";
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
    if (o.comPort == 0 && o.devicePath.empty()) o.comPort = 1;
    return o;
}

}  // namespace cli
