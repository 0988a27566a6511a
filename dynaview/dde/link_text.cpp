#include "dynaview/dde/link_text.h"

#include <charconv>
#include <cmath>

namespace dynaview::link {

namespace {

bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The end of the word starting at `begin`. With a decimal comma, a comma between two digits
// belongs to the number, once.
std::size_t wordEnd(std::string_view text, std::size_t begin, char decimalSeparator) {
    bool decimalSeen = false;
    std::size_t i = begin;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '.' || c == decimalSeparator) {
            if (c == ',' && (decimalSeen || i == begin || !isDigit(text[i - 1]) || i + 1 >= text.size() || !isDigit(text[i + 1])))
                break;
            decimalSeen = true;
        } else if (isSeparator(c)) {
            break;
        }
        ++i;
    }
    return i;
}

// The word as a number: the whole word must be one.
bool readNumber(std::string_view word, char decimalSeparator, double& value) {
    std::string plain(word);
    if (decimalSeparator != '.')
        for (char& c : plain)
            if (c == decimalSeparator) c = '.';
    std::size_t start = plain.size() > 1 && plain[0] == '+' && plain[1] != '-' ? 1 : 0;
    // Only digits, a point, a sign and an exponent: from_chars would also take "inf"/"nan".
    for (std::size_t i = start; i < plain.size(); ++i) {
        const char c = plain[i];
        if (!isDigit(c) && c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E') return false;
    }
    const char* first = plain.data() + start;
    const char* last = plain.data() + plain.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (end != last) return false;
    if (error == std::errc::result_out_of_range) {
        // Too large: an infinity of its sign (as the data set would make it); too small: zero.
        const bool negative = *first == '-';
        const bool large = plain.find_first_of("eE") == std::string::npos || plain[plain.find_first_of("eE") + 1] != '-';
        value = large ? (negative ? -HUGE_VAL : HUGE_VAL) : (negative ? -0.0 : 0.0);
        return true;
    }
    return error == std::errc{};
}

}  // namespace

std::string_view ReceivedText(std::string_view text) {
    text = text.substr(0, std::min(text.size(), ReceiveBufferSize));
    const std::size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

std::vector<double> ParseItemNumbers(std::string_view text, char decimalSeparator, int maxValues) {
    std::vector<double> values;
    std::size_t i = 0;
    while (i < text.size() && static_cast<int>(values.size()) < maxValues) {
        if (isSeparator(text[i])) {
            ++i;
            continue;
        }
        const std::size_t end = wordEnd(text, i, decimalSeparator);
        double value = 0.0;
        if (readNumber(text.substr(i, end - i), decimalSeparator, value)) values.push_back(value);
        i = end;
    }
    return values;
}

std::string ServiceFromCommandLine(std::string_view commandLine) {
    std::size_t i = 0;
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
    std::string_view program;
    if (i < commandLine.size() && (commandLine[i] == '"' || commandLine[i] == '\'')) {
        const std::size_t close = commandLine.find(commandLine[i], i + 1);
        program = commandLine.substr(i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1);
    } else {
        const std::size_t end = commandLine.find_first_of(" \t", i);
        program = commandLine.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
    }
    const std::size_t slash = program.find_last_of('/');
    if (slash != std::string_view::npos) program.remove_prefix(slash + 1);
    const std::size_t dot = program.find_last_of('.');
    if (dot != std::string_view::npos && dot > 0) program = program.substr(0, dot);
    return std::string(program);
}

std::string BusNameForService(std::string_view service) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::string name = "org.dynaview.Link.";
    if (service.empty()) return name + "_";
    for (std::size_t i = 0; i < service.size(); ++i) {
        const auto c = static_cast<unsigned char>(service[i]);
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter || (isDigit(static_cast<char>(c)) && i > 0)) {
            name += static_cast<char>(c);
        } else {
            name += '_';
            name += Hex[c >> 4];
            name += Hex[c & 15];
        }
    }
    return name;
}

}  // namespace dynaview::link
