#include "platform/profile_file.h"

#include "platform/numbers.h"

#include <fstream>

namespace platform {

namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string_view trim(std::string_view s) {
    const char* blanks = " \t";
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

// The section name of a header line ("[name]"), or nothing when the line is no header.
std::optional<std::string_view> sectionName(std::string_view line) {
    const auto t = trim(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    const auto close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;  // corrupt header: skipped
    return trim(t.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

// A "key=value" line; comments, blank and corrupt lines (no "=" or an empty key) give nothing.
std::optional<KeyValue> keyValue(std::string_view line) {
    const auto t = trim(line);
    if (t.empty() || t.front() == ';') return std::nullopt;
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    const auto key = trim(t.substr(0, eq));
    if (key.empty()) return std::nullopt;
    auto value = trim(t.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return KeyValue{key, value};
}

bool validName(std::string_view name, std::string& error) {
    if (trim(name).empty() || name.find_first_of("\r\n=[]") != std::string_view::npos) {
        error = "Invalid profile section or key name \"" + std::string(name) + "\".";
        return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> ProfileFile::loadLines() const {
    std::vector<std::string> lines;
    std::ifstream in(path_, std::ios::binary);
    if (!in) return lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

bool ProfileFile::saveLines(const std::vector<std::string>& lines) {
    std::string data;
    for (const auto& line : lines) {
        data += line;
        data += "\r\n";
    }
    return writeFileAtomically(path_, data, lastError_);
}

std::optional<std::string> ProfileFile::find(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (const auto& line : loadLines()) {
        if (auto name = sectionName(line)) {
            inSection = equalsNoCase(*name, section);
            continue;
        }
        if (!inSection) continue;
        if (auto kv = keyValue(line); kv && equalsNoCase(kv->key, key)) {
            std::string value(kv->value);
            if (value.size() > MaxValueLength) value.resize(MaxValueLength);
            return value;
        }
    }
    return std::nullopt;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key, std::string_view def) const {
    auto value = find(section, key);
    return value ? *value : std::string(def);
}

std::optional<int> ProfileFile::parseInteger(std::string_view text) {
    auto t = trim(text);
    bool negative = false;
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    int base = 10;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        t.remove_prefix(2);
    } else if (t.size() > 1 && t[0] == '$') {
        base = 16;
        t.remove_prefix(1);
    }
    if (t.empty()) return std::nullopt;
    long long value = 0;
    for (char c : t) {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFLL) return std::nullopt;
    }
    if (negative) value = -value;
    // Hexadecimal texts may spell a 32-bit pattern ("0xFFFFFFFF" is -1).
    if (base == 16 && value > 0x7FFFFFFFLL) value -= 0x100000000LL;
    if (value < -2147483648LL || value > 2147483647LL) return std::nullopt;
    return static_cast<int>(value);
}

int ProfileFile::readInteger(std::string_view section, std::string_view key, int def) const {
    auto value = find(section, key);
    if (!value) return def;
    auto parsed = parseInteger(*value);
    return parsed ? *parsed : def;
}

bool ProfileFile::readBool(std::string_view section, std::string_view key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

double ProfileFile::readFloat(std::string_view section, std::string_view key, double def, const Numbers& numbers) const {
    auto value = find(section, key);
    if (!value) return def;
    auto parsed = numbers.parseReal(*value);
    return parsed ? *parsed : def;
}

bool ProfileFile::sectionExists(std::string_view section) const {
    for (const auto& line : loadLines())
        if (auto name = sectionName(line); name && equalsNoCase(*name, section)) return true;
    return false;
}

std::vector<std::string> ProfileFile::sections() const {
    std::vector<std::string> out;
    for (const auto& line : loadLines())
        if (auto name = sectionName(line)) out.emplace_back(*name);
    return out;
}

std::vector<std::string> ProfileFile::keys(std::string_view section) const {
    std::vector<std::string> out;
    bool inSection = false;
    for (const auto& line : loadLines()) {
        if (auto name = sectionName(line)) {
            inSection = equalsNoCase(*name, section);
            continue;
        }
        if (inSection)
            if (auto kv = keyValue(line)) out.emplace_back(kv->key);
    }
    return out;
}

bool ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    if (!validName(section, lastError_) || !validName(key, lastError_)) return false;
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        lastError_ = "A profile value cannot hold a line break.";
        return false;
    }
    auto lines = loadLines();
    const std::string newLine = std::string(key) + "=" + std::string(value);
    bool inSection = false;
    std::size_t lastInSection = 0;  // index after the last non-blank line of the section
    bool found = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = sectionName(lines[i])) {
            if (inSection) break;
            inSection = equalsNoCase(*name, section);
            if (inSection) {
                found = true;
                lastInSection = i + 1;
            }
            continue;
        }
        if (!inSection) continue;
        if (auto kv = keyValue(lines[i]); kv && equalsNoCase(kv->key, key)) {
            lines[i] = newLine;
            return saveLines(lines);
        }
        if (!trim(lines[i]).empty()) lastInSection = i + 1;
    }
    if (found) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastInSection), newLine);
    } else {
        if (!lines.empty() && !trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(newLine);
    }
    return saveLines(lines);
}

bool ProfileFile::writeInteger(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

bool ProfileFile::writeBool(std::string_view section, std::string_view key, bool value) {
    return writeString(section, key, value ? "1" : "0");
}

bool ProfileFile::writeFloat(std::string_view section, std::string_view key, double value, const Numbers& numbers) {
    return writeString(section, key, numbers.formatGeneral(value));
}

bool ProfileFile::eraseKey(std::string_view section, std::string_view key) {
    auto lines = loadLines();
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto name = sectionName(lines[i])) {
            inSection = equalsNoCase(*name, section);
            continue;
        }
        if (inSection)
            if (auto kv = keyValue(lines[i]); kv && equalsNoCase(kv->key, key)) {
                lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
                return saveLines(lines);
            }
    }
    return true;
}

bool ProfileFile::eraseSection(std::string_view section) {
    auto lines = loadLines();
    std::vector<std::string> kept;
    bool inSection = false;
    bool erased = false;
    for (auto& line : lines) {
        if (auto name = sectionName(line)) inSection = equalsNoCase(*name, section);
        if (inSection) {
            erased = true;
            continue;
        }
        kept.push_back(std::move(line));
    }
    return erased ? saveLines(kept) : true;
}

}  // namespace platform
