#include "analysis/calibration_settings.h"

#include <cmath>
#include <limits>

namespace analysis {

namespace {

std::string Localized(std::string_view text, char separator) {
    std::string out(text);
    for (char& c : out)
        if (c == '.') c = separator;
    return out;
}

}  // namespace

const std::array<CoefficientEdit, CoefficientEditCount>& CoefficientEdits() {
    static const std::array<CoefficientEdit, CoefficientEditCount> edits{{
        {"LedieuCoef1", "1.0", LedieuLinear, 1, "Linear coefficient of X"},
        {"LedieuCoef2", "0.0", LedieuLinear, 2, "Linear constant"},
        {"LedieuCoef21", "0.0", LedieuPolynomial, 1, "X polynomial coefficient of X^5"},
        {"LedieuCoef22", "0.0", LedieuPolynomial, 2, "X polynomial coefficient of X^4"},
        {"LedieuCoef23", "0.0", LedieuPolynomial, 3, "X polynomial coefficient of X^3"},
        {"LedieuCoef24", "0.0", LedieuPolynomial, 4, "X polynomial coefficient of X^2"},
        {"LedieuCoef25", "1.0", LedieuPolynomial, 5, "X polynomial coefficient of X"},
        {"LedieuCoef26", "0.0", LedieuPolynomial, 6, "X polynomial constant"},
        {"ToppCoef1", "0.0", ToppPolynomial, 1, "Ka polynomial coefficient of Ka^5"},
        {"ToppCoef2", "0.0", ToppPolynomial, 2, "Ka polynomial coefficient of Ka^4"},
        {"ToppCoef3", "0.0", ToppPolynomial, 3, "Ka polynomial coefficient of Ka^3"},
        {"ToppCoef4", "0.0", ToppPolynomial, 4, "Ka polynomial coefficient of Ka^2"},
        {"ToppCoef5", "1.0", ToppPolynomial, 5, "Ka polynomial coefficient of Ka"},
        {"ToppCoef6", "0.0", ToppPolynomial, 6, "Ka polynomial constant"},
    }};
    return edits;
}

CoefficientTexts DefaultCoefficientTexts(const platform::Numbers& numbers) {
    CoefficientTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = Localized(CoefficientEdits()[i].defaultText, numbers.decimalSeparator());
    return texts;
}

std::optional<float> ParseCoefficient(std::string_view text, const platform::Numbers& numbers, std::string& problem) {
    const auto value = numbers.parseReal(text);
    if (!value) {
        problem = platform::Numbers::notAFloatMessage(text);
        return std::nullopt;
    }
    if (std::fabs(*value) > static_cast<double>(std::numeric_limits<float>::max())) {
        problem = "'" + std::string(text) + "' is too large for a calibration coefficient";
        return std::nullopt;
    }
    return static_cast<float>(*value);
}

std::optional<CoefficientProblem> ConvertCoefficients(int equation, const CoefficientTexts& texts,
                                                      const platform::Numbers& numbers, CaliCoefficients& coef) {
    CaliCoefficients converted = coef;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const CoefficientEdit& edit = CoefficientEdits()[i];
        if (edit.equation != equation) continue;
        std::string problem;
        const auto value = ParseCoefficient(texts[i], numbers, problem);
        if (!value) return CoefficientProblem{static_cast<int>(i), texts[i], problem};
        converted[static_cast<std::size_t>(edit.coefficient - 1)] = *value;
    }
    coef = converted;
    return std::nullopt;
}

CalibrationSettings ReadCalibrationSettings(const platform::ProfileFile& file, const platform::Numbers& numbers) {
    CalibrationSettings settings;
    const CoefficientTexts defaults = DefaultCoefficientTexts(numbers);
    for (std::size_t i = 0; i < settings.texts.size(); ++i)
        settings.texts[i] = file.readString(SettingsSection, CoefficientEdits()[i].name, defaults[i]);
    settings.radioButton = file.readInteger(SettingsSection, RadioButtonKey, DefaultRadioButton);
    return settings;
}

bool WriteCalibrationSettings(platform::ProfileFile& file, const CalibrationSettings& settings) {
    bool ok = true;
    for (std::size_t i = 0; i < settings.texts.size(); ++i)
        ok = file.writeString(SettingsSection, CoefficientEdits()[i].name, settings.texts[i]) && ok;
    ok = file.writeInteger(SettingsSection, RadioButtonKey, settings.radioButton) && ok;
    return ok;
}

StartupCalibration StartupFromSettings(const CalibrationSettings& settings, const platform::Numbers& numbers) {
    StartupCalibration startup;
    const int stored = settings.radioButton;
    // 0 checks no button and puts equation 1 in force.
    startup.calibration.equation = stored == 0 ? LedieuFixed : stored;
    startup.checkedButton = IsEquationNumber(stored) ? stored : 0;

    const int equation = startup.calibration.equation;
    for (std::size_t i = 0; i < settings.texts.size(); ++i) {
        const CoefficientEdit& edit = CoefficientEdits()[i];
        if (edit.equation != equation) continue;
        std::string problem;
        auto value = ParseCoefficient(settings.texts[i], numbers, problem);
        if (!value) {
            startup.problems.push_back({static_cast<int>(i), settings.texts[i], problem});
            value = static_cast<float>(*numbers.parseReal(Localized(edit.defaultText, numbers.decimalSeparator())));
        }
        startup.calibration.coef[static_cast<std::size_t>(edit.coefficient - 1)] = *value;
    }
    return startup;
}

std::string DescribeStartupProblems(const std::vector<CoefficientProblem>& problems, const platform::Numbers& numbers) {
    if (problems.empty()) return {};
    std::string text = "The settings file holds calibration coefficients that cannot be used:\n";
    for (const auto& p : problems) {
        const CoefficientEdit& edit = CoefficientEdits()[static_cast<std::size_t>(p.edit)];
        text += "\n" + std::string(edit.name) + ": " + p.message + "; " +
                Localized(edit.defaultText, numbers.decimalSeparator()) + " is used instead.";
    }
    text += "\n\nCorrect them under Settings, Calibration Functions, Volumetric Water Content.";
    return text;
}

KeyVerdict FilterCoefficientKey(char32_t key, std::string_view text, char decimalSeparator) {
    if (key == BackspaceKey || key == U'-' || (key >= U'0' && key <= U'9')) return {true, false};
    if (key == static_cast<unsigned char>(decimalSeparator)) {
        if (text.find(decimalSeparator) != std::string_view::npos) return {false, true};
        return {true, false};
    }
    return {false, true};
}

}  // namespace analysis
