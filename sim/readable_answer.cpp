#include "sim/readable_answer.h"

#include "link/wire.h"

#include <cstdio>

namespace sim {

namespace {

constexpr const char* errorTexts[] = {
    "No Error, Success",
    "Bad Checksum",
    "Illegal Command Format, Not Defined",
    "No Valid Letters Or Numbers",
    "Could Not Be Parsed",
    "Command Not Identified",
    "Command Not Recognized",
    "Calibration Unsuccessful",
    "Extra Period(terminal mode)",
    "No Reference Cable Length",
    "Value Out Of Range",
    "Timeout - Cable Short Not Found",
    "Timeout Waiting For Data",
    "Exponent Not Defined",
    "No Command Defined For Output",
    "Bad Data",
    "Bad Moisture Calculation",
    "Could Not Detect Liquid Level",
    "Incorrect Mux Address Or Channel",
    "Unable To Locate Pulse",
    "Could Not Measure Baseline",
    "Could Not Measure Top Of Pulse",
    "UnKnown Internal Error",
};

std::string format(const char* pattern, double a, double b = 0, double c = 0) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, a, b, c);
    return text;
}

float floatAt(const CommandResult& r, std::size_t i) { return i < r.words.size() ? wire::wordToFloat(r.words[i]) : 0.0f; }
std::uint32_t wordAt(const CommandResult& r, std::size_t i) { return i < r.words.size() ? r.words[i] : 0; }

}  // namespace

std::string errorText(int number) {
    if (number >= 0 && number < static_cast<int>(std::size(errorTexts))) return errorTexts[number];
    return "Unexpected Error";
}

std::string readableAnswer(const CommandResult& r) {
    char number[8];
    switch (r.kind) {
    case CommandResult::Kind::Error:
        std::snprintf(number, sizeof number, "%02d", r.error % 100);
        return std::string("ERROR ") + number + " " + errorText(r.error);
    case CommandResult::Kind::Acknowledge: return r.name + " OK";
    case CommandResult::Kind::Data: break;
    }
    const std::string& n = r.name;
    if (n == "DUMP")
        return format("Vp %.2f  Averages %.0f  Points %.0f", floatAt(r, 0), floatAt(r, 1), floatAt(r, 2)) +
               format("  Start %.2f m  Length %.2f m", floatAt(r, 3), floatAt(r, 4)) +
               format("  Probe %.3f m  Offset %.3f m", floatAt(r, 5), floatAt(r, 6));
    if (n == "GTIM") return format("Waveform %.2f s  Water content %.2f s", floatAt(r, 1), floatAt(r, 2));
    if (n == "GMOS") return format("La/L %.3f", floatAt(r, 0));
    if (n == "GVAR") return format("Markers %.2f %.2f points  La %.3f m", floatAt(r, 0), floatAt(r, 1), floatAt(r, 2));
    if (n == "GCON") return format("G %.6f S", floatAt(r, 0));
    if (n == "CCCC") return format("Kp %.4f /m", floatAt(r, 0));
    if (n == "GCAL") return format("Calibration %.0f mV", wordAt(r, 0));
    if (n == "GVER")
        return "RFX410 OS " + std::to_string(wordAt(r, 0)) + "." + std::to_string(wordAt(r, 1)) + " build " +
               std::to_string(wordAt(r, 2)) + " hardware " + std::to_string(wordAt(r, 3));
    if (n == "GDTS") return "OS date " + std::to_string(wordAt(r, 0));
    if (n == "GRLN") return "Reference length " + std::to_string(wordAt(r, 0)) + " mm";
    // The waveform and derivative fetches.
    std::string line = n + " " + std::to_string(r.words.size()) + " points";
    if (!r.words.empty()) line += format(", first %.4f, last %.4f", floatAt(r, 0), floatAt(r, r.words.size() - 1));
    return line;
}

}  // namespace sim
