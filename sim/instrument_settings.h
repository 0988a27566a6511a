#pragma once
// The acquisition settings the instrument keeps, what each set command changes, and the
// ranges it accepts.

#include <optional>
#include <string_view>

namespace sim {

struct InstrumentSettings {
    float vp = 1.0f;            // cable propagation velocity the distances are scaled by
    int averages = 4;
    int points = 251;
    float start = 0.0f;         // window start, apparent metres
    float length = 50.0f;       // window length, apparent metres
    float probeLength = 0.3f;   // metres
    float probeOffset = 0.0f;   // metres

    bool operator==(const InstrumentSettings&) const = default;
};

// Instrument error numbers the simulator answers with.
namespace error {
constexpr int BadChecksum = 1;
constexpr int IllegalFormat = 2;
constexpr int NoLettersOrNumbers = 3;
constexpr int CouldNotBeParsed = 4;
constexpr int NotIdentified = 5;
constexpr int OutOfRange = 10;
constexpr int BadMoistureCalculation = 16;
constexpr int BadMuxAddress = 18;
constexpr int UnableToLocatePulse = 19;
}  // namespace error

// True for the seven commands that change a setting.
bool isSettingCommand(std::string_view name);
// Applies "NAME argument" to settings; returns 0 or an instrument error number (settings
// are unchanged on error).
int applySetting(InstrumentSettings& settings, std::string_view name, std::string_view argument);

}  // namespace sim
