#include "platform/numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string Numbers::localize(std::string text) const {
    if (separator_ != '.')
        for (char& c : text)
            if (c == '.') c = separator_;
    return text;
}

std::optional<double> Numbers::parseReal(std::string_view text) const {
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (i < n && blank(text[i])) ++i;
    std::size_t end = n;
    while (end > i && blank(text[end - 1])) --end;

    std::string canonical;  // the same number with '.' as separator, for strtod
    if (i < end && (text[i] == '+' || text[i] == '-')) canonical += text[i++];
    std::size_t digits = 0;
    while (i < end && isDigit(text[i])) {
        canonical += text[i++];
        ++digits;
    }
    if (i < end && text[i] == separator_) {
        canonical += '.';
        ++i;
        while (i < end && isDigit(text[i])) {
            canonical += text[i++];
            ++digits;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        canonical += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) canonical += text[i++];
        std::size_t expDigits = 0;
        while (i < end && isDigit(text[i])) {
            canonical += text[i++];
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
    }
    if (i != end) return std::nullopt;
    // strtod reads '.' whatever the C locale is, as long as the C locale is "C", which is
    // the default of every program that does not call setlocale.
    const double value = std::strtod(canonical.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int32_t> Numbers::parseInteger(std::string_view text) const {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string Numbers::formatFixed(double value, int decimals, int precision) const {
    if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    if (decimals < 0) decimals = 0;
    if (precision < 1) precision = 1;
    char buf[64];
    if (value != 0.0) {
        // Round to `precision` significant digits first.
        std::snprintf(buf, sizeof buf, "%.*e", precision - 1, value);
        value = std::strtod(buf, nullptr);
        const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value)))) + 1;
        if (magnitude > precision) {
            std::snprintf(buf, sizeof buf, "%.*E", precision - 1, value);
            return localize(buf);
        }
    }
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    std::string text = buf;
    // No negative zero: -0.00 reads as 0.00.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
    return localize(text);
}

std::string Numbers::formatGeneral(double value, int precision) const {
    if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", precision < 1 ? 1 : (precision > 17 ? 17 : precision), value);
    std::string text = buf;
    const auto e = text.find('E');
    if (e != std::string::npos) {
        // "1.5E+20" -> "1.5E20", "1E-07" -> "1E-7"
        std::string mantissa = text.substr(0, e);
        std::string exponent = text.substr(e + 1);
        std::string sign;
        if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
            if (exponent[0] == '-') sign = "-";
            exponent.erase(0, 1);
        }
        while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
        text = mantissa + "E" + sign + exponent;
    }
    return localize(text);
}

std::string Numbers::formatWidth(double value, int width, int decimals) const {
    char buf[128];
    std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, value);
    return localize(buf);
}

std::string Numbers::notAFloatMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid floating point value";
}

std::string Numbers::notAnIntegerMessage(std::string_view text) {
    return "'" + std::string(text) + "' is not a valid integer value";
}

}  // namespace platform
