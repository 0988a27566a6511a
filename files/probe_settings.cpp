#include "files/probe_settings.h"

#include "platform/profile_file.h"

namespace files {

std::filesystem::path ProbeSettingsPath(const std::filesystem::path& startDirectory, std::string_view address) {
    return startDirectory / (std::string(address) + ".INI");
}

ProbeSettings ReadProbeSettings(const std::filesystem::path& file, const platform::Numbers& numbers) {
    const platform::ProfileFile ini(file);
    ProbeSettings s;
    for (std::size_t i = 0; i < s.texts.size(); ++i)
        s.texts[i] = ini.readString(ProbeSettingsSection, ProbeSettingKeys[i], ProbeSettingDefaults[i]);
    s.cellConstant = ini.readFloat(ProbeSettingsSection, CellConstKey, DefaultCellConstant, numbers);
    return s;
}

}  // namespace files
