// Per-probe settings files: their names and what a missing or odd file gives.

#include "files/probe_settings.h"
#include "fixture_files.h"

#include "platform/numbers.h"

#include <gtest/gtest.h>

namespace files::testing {
namespace {

TEST(ProbeSettings, NamedByTheAddressInTheStartDirectory) {
    EXPECT_EQ(ProbeSettingsPath("/data/site", "1-2-1"), std::filesystem::path("/data/site/1-2-1.INI"));
    EXPECT_EQ(ProbeSettingsPath("/data/site", "4"), std::filesystem::path("/data/site/4.INI"));
}

TEST(ProbeSettings, MissingKeysAndOddNumbersGiveTheDefaults) {
    ScratchDirectory dir;
    const platform::Numbers numbers('.');
    const ProbeSettings none = ReadProbeSettings(dir / "3-5.INI", numbers);
    EXPECT_EQ(none.texts, (std::array<std::string, 7>{"1.0", "4", "251", "0", "50", "0.3", "0.000"}));
    EXPECT_EQ(none.cellConstant, 1.0);

    Write(dir / "3-5.INI", "[settings]\r\nvped=0.67\r\nLgtEd=3.5\r\nCellConst=abc\r\n");
    const ProbeSettings some = ReadProbeSettings(dir / "3-5.INI", numbers);
    EXPECT_EQ(some.texts[0], "0.67");
    EXPECT_EQ(some.texts[4], "3.5");
    EXPECT_EQ(some.texts[1], "4");
    EXPECT_EQ(some.cellConstant, 1.0);
    Write(dir / "3-5.INI", "[Settings]\nCellConst=6,25\n");
    EXPECT_EQ(ReadProbeSettings(dir / "3-5.INI", platform::Numbers(',')).cellConstant, 6.25);
}

}  // namespace
}  // namespace files::testing
