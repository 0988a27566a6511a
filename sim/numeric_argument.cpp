#include "sim/numeric_argument.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace sim {

namespace {

std::string_view trimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> parseDecimal(std::string_view text) {
    text = trimSpaces(text);
    // Long enough for any sensible setting; longer texts are not numbers the instrument reads.
    if (text.empty() || text.size() > 32) return std::nullopt;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-') ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    // A comma is read as the decimal point too: the program sends what its user typed,
    // with the user's decimal separator.
    std::string canonical(text);
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        canonical[i] = '.';
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0 || i != text.size()) return std::nullopt;
    // from_chars ignores the process locale (QCoreApplication adopts the user's), and
    // takes no leading '+'.
    std::string_view number = canonical;
    if (number.front() == '+') number.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> parseWholeNumber(std::string_view text) {
    const auto value = parseDecimal(text);
    if (!value || *value != std::floor(*value) || std::fabs(*value) > 1e9) return std::nullopt;
    return static_cast<int>(*value);
}

}  // namespace sim
