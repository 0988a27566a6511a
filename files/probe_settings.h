#pragma once
// Per-probe settings files: "<address>.INI" in the start directory (for the address 3-5,
// 3-5.INI), section "Settings", holding the seven settings texts of the probe and its cell
// constant. They are read when a probe is addressed and written as its settings are saved.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace platform {
class Numbers;
}

namespace files {

inline constexpr const char* ProbeSettingsSection = "Settings";
inline constexpr const char* CellConstKey = "CellConst";

// The file of a probe address ("3-5" -> <start directory>/3-5.INI).
std::filesystem::path ProbeSettingsPath(const std::filesystem::path& startDirectory, std::string_view address);

// The keys of the seven settings texts, in the settings panel's order (Vp, averages,
// points, start, length, probe length, probe offset), and their defaults in a probe file.
inline constexpr std::array<const char*, 7> ProbeSettingKeys = {"VpEd",  "AvgEd",  "PtsEd", "SrtEd",
                                                                "LgtEd", "PLgtEd", "POffEd"};
inline constexpr std::array<const char*, 7> ProbeSettingDefaults = {"1.0", "4",   "251",  "0",
                                                                    "50",  "0.3", "0.000"};
inline constexpr double DefaultCellConstant = 1.0;

struct ProbeSettings {
    std::array<std::string, 7> texts;
    double cellConstant = DefaultCellConstant;
};

// What a probe's file holds, with the defaults for whatever is missing or not a number.
ProbeSettings ReadProbeSettings(const std::filesystem::path& file, const platform::Numbers& numbers);

}  // namespace files
