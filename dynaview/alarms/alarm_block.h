#pragma once
// The alarm definition every data set carries: up to seven limits with a message each, a
// setpoint, two dead bands, the Normal message, the alarm-check switch, and the previous
// and current alarm state of each channel (one bit per kind).

#include <array>
#include <cstdint>
#include <string>

namespace dynaview {

enum AlarmKind : int { NormalAlarm = 0, HighAlarm = 1, LowAlarm = 2, HighHighAlarm = 3, LowLowAlarm = 4, RateAlarm = 5, DeviationAlarm = 6, FailAlarm = 7 };
constexpr int AlarmKinds = 7;  // kinds 1..7 have a limit

// The bit of a kind (1..7) in the defined mask and in a channel's state.
constexpr std::uint8_t AlarmBit(int kind) { return static_cast<std::uint8_t>(1u << (kind - 1)); }

struct AlarmLimit {
    float limit = 0.0f;
    std::string message;  // at most 31 characters
};

struct AlarmBlock {
    static constexpr std::size_t MessageLength = 31;
    static constexpr std::size_t NormalLength = 11;

    std::uint8_t defined = 0;
    std::array<AlarmLimit, AlarmKinds> limits;  // kind k at [k - 1]
    double setpoint = 0.0;
    double deadBandHighLow = 0.0;
    double deadBandDeviation = 0.0;
    std::string normalMessage;  // at most 11 characters
    bool checkOn = false;
    std::array<std::uint8_t, 32> previousState{};
    std::array<std::uint8_t, 32> currentState{};

    bool isDefined(int kind) const { return kind >= 1 && kind <= AlarmKinds && (defined & AlarmBit(kind)); }
    AlarmLimit& limit(int kind) { return limits[static_cast<std::size_t>(kind - 1)]; }
    const AlarmLimit& limit(int kind) const { return limits[static_cast<std::size_t>(kind - 1)]; }
};

// A copy of at most `length` characters of a caller's text (null: empty); never reads
// past them.
std::string CutText(const char* text, std::size_t length);

// Kind 0 sets the Normal message; kinds 1..7 define the limit with its message and switch
// the check on. False for any other kind.
bool SetAlarm(AlarmBlock& block, int kind, double limit, const char* message);
// Removes a kind: its defined bit and its bit in every channel's state, without a call.
bool RemoveAlarm(AlarmBlock& block, int kind);
// Switching off keeps each channel's state as its previous state and clears the current
// one; switching on clears the previous states. Nothing happens when unchanged.
void EnableAlarmCheck(AlarmBlock& block, bool on);
// The kind a display shows for a channel: the most severe one it is in (Fail, High-high,
// Low-low, High, Low, Rate, Deviation), else Normal.
int ShownAlarmKind(const AlarmBlock& block, int channel);
// The message of a kind (0: the Normal message).
const std::string& AlarmMessage(const AlarmBlock& block, int kind);
// The name of a kind: "Normal", "High", "Low", "High-high", "Low-low", "Rate",
// "Deviation", "Fail".
const char* AlarmKindName(int kind);

}  // namespace dynaview
