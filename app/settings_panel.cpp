#include "app/settings_panel.h"

namespace app {

namespace {

const std::array<SettingEdit, SettingCount> edits = {{
    {TagVp, "Cable_VpEd", "Cable ", "Vp", "Cable Vp", "(0.1 to 1.0)", "S_VP", "VpEd", "1.00", 2, 11,
     "Cable propagation velocity setting, value sent to RFX410 prior to each command."},
    {TagAverages, "WFavgEd", "Waveform", "Average", "Waveform Average", "(1 to 128)", "SNAV", "AvgEd", "4", -1, 12,
     "Number of Waveform Averages, value sent to RFX410 prior to each command."},
    {TagPoints, "WFpointsEd", "Waveform", "Points", "Waveform Points", "(20 to 2048)", "SPNT", "PtsEd", "251", -1, 13,
     "Number of waveform points, value sent to RFX410 prior to each command."},
    {TagStart, "WinStartEd", "Waveform", "Start", "Waveform Start", "(-2 to 2100m)", "SDIS", "SrtEd", "0.0", 2, 14,
     "Starting point of waveform, value sent to RFX410 prior to each command."},
    {TagLength, "WinLgtEd", "Waveform", "Length", "Waveform Length", "(0.1 to 2100m)", "SWLN", "LgtEd", "50", 2, 15,
     "Waveform length setting, value sent to RFX410 prior to each command."},
    {TagProbeLength, "ProbeLgtEd", "Probe", "Length", "Probe Length", "(0 to 10.0m)", "SPRL", "PLgtEd", "0.3", 3, 16,
     "Probe length setting, value sent to RFX410 prior to each command."},
    {TagProbeOffset, "ProbeOffsetEd", "Probe", "Offset", "Probe Offset", "(0 to 0.200m)", "SPRO", "POffEd", "0.000", 3, 17,
     "Probe offset setting, value sent to RFX410 prior to each command."},
}};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct Range {
    bool integer;
    double low;
    double high;
    const char* message;
};

const std::array<Range, SettingCount> ranges = {{
    {false, 0.1, 1.0, "Cable Vp Value is Out of Range [ 0.1 to 1.0 ]"},
    {true, 1, 128, "Waveform Average Value is Out of Range [ 1 to 128 ]"},
    {true, 20, 2048, "Waveform Points Value is Out of Range [ 20 to 2048 ]"},
    {false, -2, 2100, "Waveform Start Value is Out of Range [ -2 to 2100 ]"},
    {false, 0.1, 2100, "Waveform Length Value is Out of Range [ 0.1 to 2100 ]"},
    {false, 0, 10, "Probe Length Value is Out of Range [ 0.0 to 10.0 ]"},
    {false, 0, 0.2, "Probe Offset Value is Out of Range [ 0 to 0.200 ]"},
}};

}  // namespace

const std::array<SettingEdit, SettingCount>& SettingEdits() { return edits; }

const SettingEdit& Edit(int tag) { return edits.at(static_cast<std::size_t>(tag - 1)); }

KeyDecision FilterKey(int tag, std::string_view text, int selStart, int selLength, char key, char decimal) {
    if (key != Backspace && key != '-' && key != decimal && !isDigit(key)) return {false, true, false};
    const auto point = text.find(decimal);
    const int p = point == std::string_view::npos ? 0 : static_cast<int>(point) + 1;  // 1-based, 0 none
    const int length = static_cast<int>(text.size());
    auto selectionHolds = [&](std::size_t at) {
        return at != std::string_view::npos && static_cast<int>(at) >= selStart && static_cast<int>(at) < selStart + selLength;
    };

    if (key == '-') {
        if (tag != TagStart) return {false, false, false};
        const auto minus = text.find('-');
        // The sign always lands in front; a sign already there is only replaced when it
        // is part of the selection being typed over.
        if (minus == std::string_view::npos) return {true, false, true};
        if (selectionHolds(minus)) return {true, false, false};
        return {false, false, false};
    }
    if (key == decimal) {
        // A second point can only be typed over the first.
        if (p > 0 && !selectionHolds(point)) return {false, true, false};
        return {true, false, false};
    }
    if (isDigit(key) && p > 0) {
        const int limit = Edit(tag).decimals;
        if (limit >= 0) {
            const bool beforePoint = selStart + 1 <= p;
            const bool room = length - p < limit;
            const bool overSelection = selLength >= 1;
            if (!beforePoint && !room && !overSelection) return {false, true, false};
        }
    }
    return {true, false, false};
}

std::optional<ValidationFailure> ValidateSettings(const SettingTexts& texts, const platform::Numbers& numbers) {
    for (int tag = 1; tag <= SettingCount; ++tag) {
        const Range& range = ranges[static_cast<std::size_t>(tag - 1)];
        const std::string& text = texts[static_cast<std::size_t>(tag - 1)];
        std::optional<double> value;
        if (range.integer) {
            if (auto v = numbers.parseInteger(text)) value = *v;
        } else {
            value = numbers.parseReal(text);
        }
        if (!value || *value < range.low || *value > range.high) return ValidationFailure{tag, range.message};
    }
    return std::nullopt;
}

SettingTexts DisplayTexts(const instrument::InstrumentSettings& s, const platform::Numbers& numbers) {
    return {numbers.formatFixed(s.Vp, 2, 7),
            std::to_string(s.Averages),
            std::to_string(s.Points),
            numbers.formatFixed(s.WinStart, 2, 7),
            numbers.formatFixed(s.WinLgt, 2, 7),
            numbers.formatFixed(s.ProbeLgt, 3, 7),
            numbers.formatFixed(s.ProbeOffset, 3, 7)};
}

std::string SetCommandText(int tag, std::string_view text) { return std::string(Edit(tag).command) + " " + std::string(text); }

}  // namespace app
