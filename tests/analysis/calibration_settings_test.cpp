// The calibration dialog's rules without widgets: converting the coefficient texts, the
// stored state and what start-up makes of it, and the keystroke filter.

#include "analysis/calibration_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace analysis {
namespace {

const platform::Numbers Dot('.');

int EditIndex(std::string_view name) {
    for (int i = 0; i < CoefficientEditCount; ++i)
        if (name == CoefficientEdits()[static_cast<std::size_t>(i)].name) return i;
    ADD_FAILURE() << name;
    return 0;
}

TEST(CoefficientConversion, EachEquationTakesOnlyItsOwnEdits) {
    CoefficientTexts texts = DefaultCoefficientTexts(Dot);
    texts[static_cast<std::size_t>(EditIndex("LedieuCoef1"))] = "2.5";
    texts[static_cast<std::size_t>(EditIndex("LedieuCoef2"))] = "-0.25";
    texts[static_cast<std::size_t>(EditIndex("ToppCoef3"))] = "1e-3";
    texts[static_cast<std::size_t>(EditIndex("LedieuCoef21"))] = "junk";  // not read by 2 or 5

    const CaliCoefficients before{9, 9, 9, 9, 9, 9};
    CaliCoefficients coef = before;
    EXPECT_FALSE(ConvertCoefficients(LedieuLinear, texts, Dot, coef));
    EXPECT_EQ(coef, (CaliCoefficients{2.5f, -0.25f, 9, 9, 9, 9}));
    EXPECT_FALSE(ConvertCoefficients(ToppPolynomial, texts, Dot, coef));
    EXPECT_EQ(coef, (CaliCoefficients{0, 0, 1e-3f, 0, 1, 0}));

    coef = before;
    for (int fixed : {LedieuFixed, ToppFixed}) {
        EXPECT_FALSE(ConvertCoefficients(fixed, texts, Dot, coef));
        EXPECT_EQ(coef, before);
    }
}

TEST(CoefficientConversion, ABadTextChangesNothingAndIsNamed) {
    CoefficientTexts texts = DefaultCoefficientTexts(Dot);
    texts[static_cast<std::size_t>(EditIndex("LedieuCoef21"))] = "3";
    texts[static_cast<std::size_t>(EditIndex("LedieuCoef23"))] = "1-2";
    const CaliCoefficients before{9, 9, 9, 9, 9, 9};
    CaliCoefficients coef = before;
    const auto problem = ConvertCoefficients(LedieuPolynomial, texts, Dot, coef);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->edit, EditIndex("LedieuCoef23"));
    EXPECT_EQ(problem->message, "'1-2' is not a valid floating point value");
    EXPECT_EQ(coef, before);

    texts[static_cast<std::size_t>(EditIndex("LedieuCoef23"))] = "1e39";  // a double, not a float
    EXPECT_EQ(ConvertCoefficients(LedieuPolynomial, texts, Dot, coef)->message,
              "'1e39' is too large for a calibration coefficient");
    texts[static_cast<std::size_t>(EditIndex("LedieuCoef23"))] = "";
    EXPECT_EQ(ConvertCoefficients(LedieuPolynomial, texts, Dot, coef)->message, "'' is not a valid floating point value");
}

TEST(CoefficientConversion, TheLocaleSeparatorIsUsedForDefaultsParsingAndKeys) {
    const platform::Numbers comma(',');
    const CoefficientTexts texts = DefaultCoefficientTexts(comma);
    EXPECT_EQ(texts[0], "1,0");
    CaliCoefficients coef{};
    EXPECT_FALSE(ConvertCoefficients(ToppPolynomial, texts, comma, coef));
    EXPECT_EQ(coef, (CaliCoefficients{0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(FilterCoefficientKey(U',', "1", ','), (KeyVerdict{true, false}));
    EXPECT_EQ(FilterCoefficientKey(U'.', "1", ','), (KeyVerdict{false, true}));
}

TEST(CoefficientKeys, DigitsMinusBackspaceAndOneSeparatorPass) {
    for (char32_t key : {U'0', U'5', U'9', U'-', BackspaceKey}) EXPECT_EQ(FilterCoefficientKey(key, "-1.5", '.'), (KeyVerdict{true, false}));
    for (char32_t key : {U'a', U'E', U' ', U'+', U',', char32_t{22}, U'\u00b2'})
        EXPECT_EQ(FilterCoefficientKey(key, "1", '.'), (KeyVerdict{false, true})) << static_cast<int>(key);
    // One separator: a second is refused wherever it would go, over a selection too.
    EXPECT_EQ(FilterCoefficientKey(U'.', "1.5", '.'), (KeyVerdict{false, true}));
    EXPECT_EQ(FilterCoefficientKey(U'.', "15", '.'), (KeyVerdict{true, false}));
}

class CalibrationFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("wavix_calibration_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    platform::ProfileFile Write(const std::string& contents) {
        std::ofstream(dir / "RFX410.INI") << contents;
        return platform::ProfileFile(dir / "RFX410.INI");
    }
    std::filesystem::path dir;
};

TEST_F(CalibrationFile, MissingKeysGiveTheDefaults) {
    const auto settings = ReadCalibrationSettings(platform::ProfileFile(dir / "none.ini"), Dot);
    EXPECT_EQ(settings.texts, DefaultCoefficientTexts(Dot));
    EXPECT_EQ(settings.radioButton, 1);
    const auto startup = StartupFromSettings(settings, Dot);
    EXPECT_EQ(startup.calibration, (Calibration{LedieuFixed, {}}));
    EXPECT_EQ(startup.checkedButton, 1);
}

TEST_F(CalibrationFile, StoredChoiceZeroChecksNothingButUsesLedieuAndOutOfRangeIsKeptUnchecked) {
    auto startup = StartupFromSettings(ReadCalibrationSettings(Write("[Settings]\r\nCaliRadioBtn=0\r\n"), Dot), Dot);
    EXPECT_EQ(startup.calibration.equation, LedieuFixed);
    EXPECT_EQ(startup.checkedButton, 0);

    startup = StartupFromSettings(ReadCalibrationSettings(Write("[Settings]\r\nCaliRadioBtn=7\r\n"), Dot), Dot);
    EXPECT_EQ(startup.calibration.equation, 7);
    EXPECT_EQ(startup.checkedButton, 0);
    EXPECT_FALSE(startup.calibration.Evaluate(2));
}

TEST_F(CalibrationFile, StartupConvertsTheChosenEquationAndReportsBadTextsOnce) {
    const auto settings = ReadCalibrationSettings(
        Write("[settings]\nCaliRadioBtn=5\nToppCoef2=abc\nToppCoef4=0.5\nToppCoef5=\nLedieuCoef1=zz\n"), Dot);
    EXPECT_EQ(settings.texts[static_cast<std::size_t>(EditIndex("ToppCoef2"))], "abc");
    const auto startup = StartupFromSettings(settings, Dot);
    EXPECT_EQ(startup.calibration.equation, ToppPolynomial);
    // The bad texts fall back to their defaults (0.0 and 1.0); LedieuCoef1 is not in use.
    EXPECT_EQ(startup.calibration.coef, (CaliCoefficients{0, 0, 0, 0.5f, 1, 0}));
    ASSERT_EQ(startup.problems.size(), 2u);
    const std::string message = DescribeStartupProblems(startup.problems, Dot);
    EXPECT_NE(message.find("ToppCoef2: 'abc' is not a valid floating point value; 0.0 is used instead."), std::string::npos);
    EXPECT_NE(message.find("ToppCoef5: '' is not a valid floating point value; 1.0 is used instead."), std::string::npos);
    EXPECT_EQ(message.find("LedieuCoef1"), std::string::npos);
}

TEST_F(CalibrationFile, WriteKeepsTheOrderAndReadsBackWhatWasWritten) {
    platform::ProfileFile file(dir / "RFX410.INI");
    CalibrationSettings settings{DefaultCoefficientTexts(Dot), 3};
    settings.texts[3] = "-12345.678";  // longer than an edit takes when typed
    settings.texts[13] = "abc";
    ASSERT_TRUE(WriteCalibrationSettings(file, settings));

    std::vector<std::string> expected;
    for (const auto& edit : CoefficientEdits()) expected.emplace_back(edit.name);
    expected.emplace_back("CaliRadioBtn");
    EXPECT_EQ(file.keys("Settings"), expected);

    const auto back = ReadCalibrationSettings(file, Dot);
    EXPECT_EQ(back.texts, settings.texts);
    EXPECT_EQ(back.radioButton, 3);
}

}  // namespace
}  // namespace analysis
