// The rules of the measurements without an instrument: the linearity test's zero
// crossings, the cell-constant dialog's checks and key filter, where Kp is kept, and how
// the results are shown.

#include "analysis/bulk_ec.h"
#include "analysis/cell_constant.h"
#include "analysis/linearity_test.h"
#include "analysis/water_content.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace analysis {
namespace {

using Wave = std::array<float, 2048>;

// A sine of the given period (in points) falling through zero at point numbers first,
// first + period, ... (point number k is a[k - 1]).
Wave FallingAt(double first, double period) {
    Wave a{};
    for (int k = 1; k <= 2048; ++k)
        a[static_cast<std::size_t>(k - 1)] = static_cast<float>(-std::sin(2 * std::numbers::pi * (k - first) / period));
    return a;
}

TEST(LinearitySpacings, EvenCrossingsGiveTheirSpacingInMetres) {
    // Crossings at 100.5, 182.5 and 264.5 only: two spacings of 82 points.
    Wave a{};
    Wave b{};
    a.fill(0.25f);
    for (double c : {100.5, 182.5, 264.5}) {
        const auto i = static_cast<std::size_t>(c);  // point number floor(c) is a[i - 1]
        a[i - 1] = 0.5f;
        a[i] = -0.5f;
    }
    EXPECT_EQ(LinearitySpacings(a, b), 2);
    EXPECT_FLOAT_EQ(b[0], 100.5f);
    EXPECT_FLOAT_EQ(b[1], 182.5f);
    EXPECT_FLOAT_EQ(b[2], 264.5f);
    EXPECT_EQ(a[0], 1.0009765625f);  // 82 x 25 / 2048
    EXPECT_EQ(a[1], 1.0009765625f);

    // A sine: the interpolation finds each crossing between its two points.
    Wave sine = FallingAt(10.3, 16.4);
    const int n = LinearitySpacings(sine, b);
    EXPECT_EQ(n, static_cast<int>((2048 - 10.3) / 16.4));
    EXPECT_NEAR(b[0], 10.3, 0.01);
    for (int j = 0; j < n; ++j) ASSERT_NEAR(sine[static_cast<std::size_t>(j)], 16.4 * 25 / 2048, 1e-3) << j;
}

TEST(LinearitySpacings, CrossingIsInterpolatedAndComparisonsAreStrict) {
    Wave a{};
    Wave b{};
    a[9] = 0.5f;  // i = 10: a[i - 1] = 0.5, a[i] = -0.5
    a[10] = -0.5f;
    EXPECT_LE(LinearitySpacings(a, b), 0);  // a single crossing: no result
    EXPECT_FLOAT_EQ(b[0], 10.5f);

    // Zeros neither start nor end a crossing; rising crossings do not count.
    Wave c{};
    Wave d{};
    c[20] = 0.5f;
    c[21] = 0.0f;
    c[22] = -0.5f;
    c[40] = -0.5f;
    c[41] = 0.5f;
    EXPECT_EQ(LinearitySpacings(c, d), -1);
    Wave flat{};
    EXPECT_EQ(LinearitySpacings(flat, d), -1);
}

TEST(CellConstantRequest, ChecksTemperatureStartAndProbeLengthInOrder) {
    const platform::Numbers numbers;
    auto check = [&](const char* t, const char* s, const char* p) {
        return CheckCellConstantRequest(t, s, p, numbers).value_or("");
    };
    EXPECT_EQ(check("", "", ""), "Value Required for Temperature!");
    EXPECT_EQ(check("0", "0", "0.3"), "Value Out of Range. [ 0 <= Temperature > 100 ]");
    EXPECT_EQ(check("100.1", "0", "0.3"), "Value Out of Range. [ 0 <= Temperature > 100 ]");
    EXPECT_EQ(check(".", "0", "0.3"), "'.' is not a valid floating point value");
    EXPECT_EQ(check("100", "", "0.3"), "Value Required for Waveform Start on main window!");
    EXPECT_EQ(check("100", "-2", "0.3"), "Value Out of Range. [ -2 <= Waveform Start >= 2100 ]");
    EXPECT_EQ(check("100", "2100.01", "0.3"), "Value Out of Range. [ -2 <= Waveform Start >= 2100 ]");
    EXPECT_EQ(check("100", "2100", ""), "Value Required for Probe Length on main window!");
    EXPECT_EQ(check("100", "2100", "0"), "Value Out of Range. [ 0 <= Probe Length > 10 ]");
    EXPECT_EQ(check("100", "2100", "10.001"), "Value Out of Range. [ 0 <= Probe Length > 10 ]");
    EXPECT_EQ(check("100", "-1.99", "10"), "");
    EXPECT_EQ(check("0.01", "2100", "0.001"), "");
}

TEST(CellConstantRequest, KpMustLieWithinOneToAThousand) {
    const platform::Numbers comma(',');
    EXPECT_FALSE(CheckCellConstant("1", comma));
    EXPECT_FALSE(CheckCellConstant("1000", comma));
    EXPECT_FALSE(CheckCellConstant("2,5", comma));
    EXPECT_EQ(CheckCellConstant("0,999", comma).value_or(""), "Value Out of Range!");
    EXPECT_EQ(CheckCellConstant("1000,1", comma).value_or(""), "Value Out of Range!");
    EXPECT_EQ(CheckCellConstant("", comma).value_or(""), "Value Required for Kp!");
    EXPECT_EQ(CheckCellConstant("2.5", comma).value_or(""), "'2.5' is not a valid floating point value");
}

TEST(CellConstantKeys, DigitsBackspaceAndOnePointPass) {
    EXPECT_EQ(FilterCellConstantKey(U'7', "", '.'), (CellKeyVerdict{true, false}));
    EXPECT_EQ(FilterCellConstantKey(8, "1.5", '.'), (CellKeyVerdict{true, false}));
    EXPECT_EQ(FilterCellConstantKey(U'.', "15", '.'), (CellKeyVerdict{true, false}));
    EXPECT_EQ(FilterCellConstantKey(U'.', "1.5", '.'), (CellKeyVerdict{false, true}));
    EXPECT_EQ(FilterCellConstantKey(U'-', "", '.'), (CellKeyVerdict{false, true}));
    EXPECT_EQ(FilterCellConstantKey(U'e', "", '.'), (CellKeyVerdict{false, true}));
    EXPECT_EQ(FilterCellConstantKey(22, "", '.'), (CellKeyVerdict{false, true}));  // paste
    EXPECT_EQ(FilterCellConstantKey(U',', "15", ','), (CellKeyVerdict{true, false}));
    EXPECT_EQ(FilterCellConstantKey(U'.', "15", ','), (CellKeyVerdict{false, true}));
}

TEST(CellConstantStore, KpGoesToTheProbeFileWhenThereIsOneAndAlwaysToTheSettingsFile) {
    const auto dir = std::filesystem::temp_directory_path() / "wavix_cellconst_store";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const platform::Numbers numbers;
    platform::ProfileFile settings(dir / "RFX410.INI");
    EXPECT_DOUBLE_EQ(ReadCellConstant(settings, numbers), 1.0);  // no file yet
    EXPECT_EQ(StoreCellConstant(0.22f, settings, std::nullopt, numbers), "");
    EXPECT_EQ(settings.readString("Settings", "CellConst", ""), "0.219999998807907");
    EXPECT_FALSE(std::filesystem::exists(dir / "1-2.INI"));
    EXPECT_EQ(StoreCellConstant(12.5, settings, dir / "1-2.INI", numbers), "");
    EXPECT_DOUBLE_EQ(ReadCellConstant(platform::ProfileFile(dir / "1-2.INI"), numbers), 12.5);
    EXPECT_DOUBLE_EQ(ReadCellConstant(settings, numbers), 12.5);
    // A probe file that cannot be written does not keep the settings file from its value.
    const std::string problem = StoreCellConstant(3.0, settings, dir / "missing" / "1-3.INI", numbers);
    EXPECT_FALSE(problem.empty());
    EXPECT_DOUBLE_EQ(ReadCellConstant(settings, numbers), 3.0);
    std::ofstream(dir / "bad.INI") << "[Settings]\nCellConst=abc\n";
    EXPECT_DOUBLE_EQ(ReadCellConstant(platform::ProfileFile(dir / "bad.INI"), numbers), 1.0);
    std::filesystem::remove_all(dir);
}

TEST(ResultFields, WaterContentAndBulkECAreShownRightAlignedInEightCharacters) {
    const platform::Numbers numbers;
    const Calibration ledieu{LedieuFixed, {}};
    const Calibration topp{ToppFixed, {}};
    EXPECT_EQ(FormatWaterContent(ledieu.Evaluate(2.0f), numbers), "   0.052");
    EXPECT_EQ(FormatWaterContent(topp.Evaluate(0.0f), numbers), "   0.000");
    EXPECT_EQ(FormatWaterContent(Calibration{7, {}}.Evaluate(2.0f), numbers), "");
    EXPECT_EQ(FormatWaterContent(-0.1758f, platform::Numbers(',')), "  -0,176");

    EXPECT_EQ(FormatBulkEC(0.05f, 1.5, numbers), "  0.0750");
    EXPECT_EQ(FormatBulkEC(0.05f, 0.0, numbers), "  0.0500");  // Kp 0: unscaled
    EXPECT_EQ(BulkConductivity(0.05f, 1.5), static_cast<float>(0.05f * 1.5));
    EXPECT_EQ(FormatBulkEC(123.456f, 1000.0, numbers), "123456.0000");  // wider than eight: not cut
}

}  // namespace
}  // namespace analysis
