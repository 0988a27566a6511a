#pragma once
// The command line of wavix-cli.

#include "cli/reply_report.h"

#include <optional>
#include <string>
#include <vector>

namespace cli {

// Exit status of wavix-cli.
enum ExitStatus : int {
    ExitOk = 0,
    ExitUsage = 1,          // the command line is wrong
    ExitPortError = 2,      // the serial port could not be opened
    ExitRefused = 3,        // the request could not be sent (port not open, write failed)
    ExitReplyFailed = 4,    // no valid reply: time-out, CRC, wrong command, wrong size ...
    ExitInstrumentError = 5 // the instrument answered with one of its error numbers
};

struct Options {
    std::string devicePath;    // --port PATH
    int comPort = 0;           // --com N (looked up in RFX410.INI)
    int baud = 57600;
    bool log = false;
    OutputFormat format = OutputFormat::Text;
    enum class Action { Get, Set } action = Action::Get;
    std::string command;       // the command name (get) or text (set)
    std::optional<int> timeoutSecs;
};

// Parses the arguments after the program name; on error returns nothing and fills error.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);
// The reply time-out a fetch command gets when --timeout is not given.
int DefaultTimeout(const std::string& name);
std::string UsageText();

}  // namespace cli
