// Configuration files against a fixture made from the layout: the bytes, the refusals of
// damaged files, and saves that fail without harming the old file.

#include "files/configuration_file.h"
#include "fixture_files.h"

#include "platform/doubles/failing_file_calls.h"
#include "platform/numbers.h"

#include <gtest/gtest.h>

namespace files::testing {
namespace {

SavedHeader FixtureHeader() {
    return SavedHeader{251, 4, 0.67f, 4.5f, 3.0f, 0.3f, 0.0f, 41001u, 0.25f, -0.75f};
}

std::array<float, WaveformCapacity> FixtureWave() {
    std::array<float, WaveformCapacity> wave{};
    for (int i = 0; i < 251; ++i) wave[static_cast<std::size_t>(i)] = static_cast<float>(-0.05 + 0.0025 * i);
    return wave;
}

TEST(ConfigurationFile, A251PointConfigurationIsThe1044BytesOfItsLayout) {
    const std::string fixture = Fixture("config-251.WFD");
    ASSERT_EQ(fixture.size(), 1044u);
    std::string error;
    const auto encoded = EncodeConfiguration(FixtureHeader(), FixtureWave(), error);
    ASSERT_TRUE(encoded) << error;
    EXPECT_EQ(*encoded, fixture);

    const auto decoded = DecodeConfiguration(fixture, "config-251.WFD", error);
    ASSERT_TRUE(decoded) << error;
    const SavedHeader& h = decoded->header;
    EXPECT_EQ(h.PointCount, 251);
    EXPECT_EQ(h.Averages, 4);
    EXPECT_FLOAT_EQ(h.Vp, 0.67f);
    EXPECT_FLOAT_EQ(h.WinStart, 4.5f);
    EXPECT_FLOAT_EQ(h.WinLgt, 3.0f);
    EXPECT_EQ(h.DumpWord9, 41001u);
    EXPECT_FLOAT_EQ(h.YaxisMax, 0.25f);
    EXPECT_FLOAT_EQ(h.YaxisMin, -0.75f);
    EXPECT_FLOAT_EQ(decoded->wave[0], -0.05f);
    EXPECT_FLOAT_EQ(decoded->wave[250], FixtureWave()[250]);
    EXPECT_EQ(decoded->wave[251], 0.0f);
}

TEST(ConfigurationFile, SavedAndLoadedKeepsEverythingIncludingTheValueRange) {
    ScratchDirectory dir;
    std::string error;
    SavedHeader header = FixtureHeader();
    header.YaxisMax = 0.219999998807907f;
    header.YaxisMin = -0.5f;
    ASSERT_TRUE(SaveConfiguration(dir / "a.WFD", header, FixtureWave(), error)) << error;
    EXPECT_EQ(std::filesystem::file_size(dir / "a.WFD"), 1044u);
    const auto loaded = LoadConfiguration(dir / "a.WFD", error);
    ASSERT_TRUE(loaded) << error;
    EXPECT_EQ(loaded->header.YaxisMax, header.YaxisMax);
    EXPECT_EQ(loaded->header.YaxisMin, -0.5f);
    EXPECT_EQ(loaded->wave, FixtureWave());
}

TEST(ConfigurationFile, DamagedFilesAreRefusedWithAReason) {
    const std::string fixture = Fixture("config-251.WFD");
    std::string error;
    auto withCount = [&](std::int32_t n) {
        std::string bytes = fixture;
        for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>((static_cast<std::uint32_t>(n) >> (8 * i)) & 0xFF);
        return bytes;
    };
    for (std::int32_t n : {0, -1, 2049, 0x7FFFFFFF}) {
        EXPECT_FALSE(DecodeConfiguration(withCount(n), "x.WFD", error)) << n;
        EXPECT_NE(error.find("x.WFD"), std::string::npos);
        EXPECT_NE(error.find(std::to_string(n) + " waveform points"), std::string::npos) << error;
    }
    // Shorter than the header promises: nothing, not half a waveform.
    EXPECT_FALSE(DecodeConfiguration(fixture.substr(0, 1043), "x.WFD", error));
    EXPECT_NE(error.find("1044 bytes"), std::string::npos) << error;
    EXPECT_FALSE(DecodeConfiguration(fixture.substr(0, 39), "x.WFD", error));
    // Bytes after the last point are ignored; 2048 points are the most.
    EXPECT_TRUE(DecodeConfiguration(fixture + "trailing", "x.WFD", error));
    std::string full = withCount(2048) + std::string(4 * (2048 - 251), '\0');
    EXPECT_TRUE(DecodeConfiguration(full, "x.WFD", error)) << error;

    ScratchDirectory dir;
    EXPECT_FALSE(LoadConfiguration(dir / "missing.WFD", error));
    EXPECT_NE(error.find("missing.WFD"), std::string::npos);
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

TEST(ConfigurationFile, AFailedSaveLeavesTheOldFileWholeAndSaysWhy) {
    ScratchDirectory dir;
    const auto path = dir / "kept.WFD";
    const std::string old = Fixture("config-251.WFD");
    Write(path, old);
    SavedHeader header = FixtureHeader();
    header.PointCount = 2048;
    const auto wave = FixtureWave();
    std::string error;

    auto readOnly = platform::FailingFileCalls::ReadOnlyDirectory();
    EXPECT_FALSE(SaveConfiguration(path, header, wave, error, readOnly));
    EXPECT_NE(error.find(path.string()), std::string::npos) << error;
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    EXPECT_EQ(Contents(path), old);

    auto full = platform::FailingFileCalls::FullDisk(100);
    EXPECT_FALSE(SaveConfiguration(path, header, wave, error, full));
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;
    EXPECT_EQ(Contents(path), old);
    // Nothing of the attempt is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // Nothing to save: no waveform points.
    header.PointCount = 0;
    EXPECT_FALSE(SaveConfiguration(path, header, wave, error));
    EXPECT_EQ(Contents(path), old);
}

TEST(ConfigurationFile, SettingsTextsAsThePanelShowsThem) {
    const platform::Numbers numbers('.');
    SavedHeader h = FixtureHeader();
    h.WinStart = 123.456789f;
    h.WinLgt = 1234567.89f;
    h.ProbeOffset = 0.015f;
    const auto texts = ConfigurationSettingTexts(h, numbers);
    EXPECT_EQ(texts[0], "0.67");
    EXPECT_EQ(texts[1], "4");
    EXPECT_EQ(texts[2], "251");
    EXPECT_EQ(texts[3], "123.46");
    EXPECT_EQ(texts[4], "1234568.");  // "1234568.00" cut to 8 characters
    EXPECT_EQ(texts[5], "0.300");
    EXPECT_EQ(texts[6], "0.015");
    EXPECT_EQ(ConfigurationSettingTexts(h, platform::Numbers(','))[0], "0,67");
}

}  // namespace
}  // namespace files::testing
