#pragma once
// Every number the user reads or types, and every number in a settings file, goes through
// here, with the decimal separator of the user's locale. The program takes the separator
// from the system locale at start-up; tests force one.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class Numbers {
public:
    explicit Numbers(char decimalSeparator = '.') : separator_(decimalSeparator) {}
    char decimalSeparator() const { return separator_; }

    // A real written with the locale separator: blanks around it, an optional sign, digits
    // with at most one separator (at least one digit), an optional exponent. Anything else
    // gives nothing.
    std::optional<double> parseReal(std::string_view text) const;
    // A decimal integer with an optional sign; leading blanks are allowed, nothing after it.
    std::optional<std::int32_t> parseInteger(std::string_view text) const;

    // Fixed-point with the given decimals, first rounded to `precision` significant digits;
    // values too large for that precision are written in exponent form.
    std::string formatFixed(double value, int decimals, int precision = 15) const;
    // The shortest text with up to `precision` significant digits ("0.3", "1", "1E-7",
    // "1.5E20"); with 15 it reads back as the value.
    std::string formatGeneral(double value, int precision = 15) const;
    // Like printf "%<width>.<decimals>f": right-aligned in width characters.
    std::string formatWidth(double value, int width, int decimals) const;

    // The text a failed conversion reports, as "'abc' is not a valid floating point value".
    static std::string notAFloatMessage(std::string_view text);
    static std::string notAnIntegerMessage(std::string_view text);

private:
    std::string localize(std::string text) const;
    char separator_;
};

}  // namespace platform
