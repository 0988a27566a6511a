#pragma once
// The command line of wavix-cli.

#include "cli/reply_report.h"

#include <array>
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

enum class MeasureKind { WaterContent, BulkEC, Waveform };
std::string MeasureKindName(MeasureKind kind);  // "wc", "ec", "waveform"

struct Options {
    std::string devicePath;    // --port PATH
    int comPort = 0;           // --com N (looked up in RFX410.INI); 0: the one RFX410.INI names
    std::optional<int> baud;   // --baud; otherwise the one RFX410.INI names
    bool log = false;
    OutputFormat format = OutputFormat::Text;
    bool formatGiven = false;
    enum class Action { Get, Set, Measure } action = Action::Get;
    std::string command;       // the command name (get) or text (set)
    std::optional<int> timeoutSecs;

    // measure
    MeasureKind kind = MeasureKind::WaterContent;
    // The seven settings by tag (1..7 at 0..6), as typed; unset ones come from RFX410.INI.
    std::array<std::optional<std::string>, 7> settings;
    std::optional<double> kp;   // --kp, instead of "CellConst" of RFX410.INI
    bool derivative = false;    // measure waveform: fetch the derivative too
    std::optional<double> everySeconds;
    std::optional<long> count;  // measurements; none: one, or until stopped with --every
    std::string outputPath;     // append rows here instead of standard output
};

// Parses the arguments after the program name; on error returns nothing and fills error.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);
// The reply time-out a fetch command gets when --timeout is not given.
int DefaultTimeout(const std::string& name);
std::string UsageText();

}  // namespace cli
