// ASCII waveform files against a fixture made from the layout.

#include "files/ascii_waveform.h"
#include "fixture_files.h"

#include "platform/doubles/failing_file_calls.h"
#include "platform/numbers.h"

#include <gtest/gtest.h>

namespace files::testing {
namespace {

instrument::InstrumentSettings Settings() {
    instrument::InstrumentSettings s;
    s.Averages = 4;
    s.Vp = 0.67f;
    s.Points = 251;
    s.WinStart = 4.5f;
    s.WinLgt = 3.0f;
    s.ProbeLgt = 0.3f;
    s.ProbeOffset = 0.0f;
    return s;
}

float Point(int i) { return static_cast<float>(-0.05 + 0.0025 * (i - 1)); }

TEST(AsciiWaveform, A251PointWaveformIsThe258LinesOfItsLayout) {
    const platform::Numbers numbers('.');
    const std::string text = FormatAsciiWaveform(Settings(), Point, numbers);
    EXPECT_EQ(text, Fixture("waveform-251.DAT"));
    EXPECT_EQ(text.substr(0, 20), "4\r\n0.6700\r\n251\r\n4.50");
    EXPECT_NE(text.find("\r\n-0.0500\r\n"), std::string::npos);  // point 1 is line 8
}

TEST(AsciiWaveform, TheLocaleSeparatorAndOddCounts) {
    auto s = Settings();
    s.Points = 20;
    const std::string comma = FormatAsciiWaveform(s, Point, platform::Numbers(','));
    EXPECT_EQ(comma.substr(0, 12), "4\r\n0,6700\r\n2");
    // The store holds 2048 points; a larger count writes those and says 2048.
    s.Points = 5000;
    int last = 0;
    const std::string big = FormatAsciiWaveform(s, [&last](int i) { last = i; return 0.0f; }, platform::Numbers('.'));
    EXPECT_EQ(last, 2048);
    EXPECT_NE(big.find("\r\n2048\r\n"), std::string::npos);
}

TEST(AsciiWaveform, AFailedSaveLeavesTheOldFileWhole) {
    ScratchDirectory dir;
    const auto path = dir / "w.DAT";
    Write(path, "old contents\r\n");
    const platform::Numbers numbers('.');
    std::string error;
    auto full = platform::FailingFileCalls::FullDisk(50);
    EXPECT_FALSE(SaveAsciiWaveform(path, Settings(), Point, numbers, error, full));
    EXPECT_NE(error.find(path.string()), std::string::npos);
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;
    EXPECT_EQ(Contents(path), "old contents\r\n");
    ASSERT_TRUE(SaveAsciiWaveform(path, Settings(), Point, numbers, error)) << error;
    EXPECT_EQ(Contents(path), Fixture("waveform-251.DAT"));
}

}  // namespace
}  // namespace files::testing
