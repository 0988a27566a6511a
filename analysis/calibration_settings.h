#pragma once
// What the calibration dialog does without widgets: its 14 coefficient edits (names,
// defaults, which equation and coefficient each feeds), turning their texts into
// coefficients, the keystroke filter, and the settings file keys the dialog's state is
// kept under.

#include "analysis/moisture_calibration.h"

#include "platform/numbers.h"
#include "platform/profile_file.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

struct CoefficientEdit {
    const char* name;            // the edit's object name and its settings key
    const char* defaultText;     // written with '.', shown with the locale separator
    int equation;                // 2, 3 or 5
    int coefficient;             // 1..6: C1..C6
    const char* accessibleName;  // what a screen reader calls the edit
};

inline constexpr int CoefficientEditCount = 14;
inline constexpr int MaxCoefficientLength = 9;  // characters the user may type into an edit (stored texts may be longer)
inline constexpr const char* SettingsSection = "Settings";
inline constexpr const char* RadioButtonKey = "CaliRadioBtn";
inline constexpr int DefaultRadioButton = LedieuFixed;

// In the order they are stored: LedieuCoef1, LedieuCoef2, LedieuCoef21..26, ToppCoef1..6.
const std::array<CoefficientEdit, CoefficientEditCount>& CoefficientEdits();

using CoefficientTexts = std::array<std::string, CoefficientEditCount>;  // same order

// The edits' initial texts, with the locale decimal separator.
CoefficientTexts DefaultCoefficientTexts(const platform::Numbers& numbers);

struct CoefficientProblem {
    int edit;             // index into CoefficientEdits()
    std::string text;     // what the edit holds
    std::string message;  // for the user
};

// A coefficient text as a float: nothing (with the reason in problem) when it is not a
// number or too large for a float.
std::optional<float> ParseCoefficient(std::string_view text, const platform::Numbers& numbers, std::string& problem);

// Converts the texts of the equation's edits into coef (C1, C2 for equation 2; C1..C6 for
// 3 and 5; nothing for the others). All or nothing: on the first text that is not a
// number coef is left unchanged and that edit is reported.
std::optional<CoefficientProblem> ConvertCoefficients(int equation, const CoefficientTexts& texts,
                                                      const platform::Numbers& numbers, CaliCoefficients& coef);

// The dialog's state as the settings file keeps it.
struct CalibrationSettings {
    CoefficientTexts texts;
    int radioButton = DefaultRadioButton;  // 1..5 as stored; other values are kept as read
};

CalibrationSettings ReadCalibrationSettings(const platform::ProfileFile& file, const platform::Numbers& numbers);
// Writes the 14 texts in table order, then "CaliRadioBtn". False when a write failed
// (file.lastError() says why); the remaining keys are still written.
bool WriteCalibrationSettings(platform::ProfileFile& file, const CalibrationSettings& settings);

// What start-up makes of the stored state.
struct StartupCalibration {
    Calibration calibration;    // equation as read (0 reads as 1), coefficients converted
    int checkedButton = 0;      // 1..5, or 0 for none (a stored number outside 1..5)
    std::vector<CoefficientProblem> problems;  // texts that did not convert
};
// A coefficient text that is not a number is left in its edit (so nothing the user
// stored is lost) and its default value is used instead; every such text is listed in
// problems so that it can be reported once.
StartupCalibration StartupFromSettings(const CalibrationSettings& settings, const platform::Numbers& numbers);
// One message naming every stored coefficient that could not be used.
std::string DescribeStartupProblems(const std::vector<CoefficientProblem>& problems, const platform::Numbers& numbers);

// The keystroke filter of the coefficient edits: backspace, '-', the digits and one
// decimal separator pass; anything else is refused with the warning beep. A separator is
// refused while the edit's text holds one, even when the key would type over it.
struct KeyVerdict {
    bool accept = false;
    bool beep = false;
    bool operator==(const KeyVerdict&) const = default;
};
inline constexpr char32_t BackspaceKey = 8;
// `text` is the edit's whole text, selection included.
KeyVerdict FilterCoefficientKey(char32_t key, std::string_view text, char decimalSeparator);

}  // namespace analysis
