#include "link/os_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace instrument {

namespace {

constexpr std::size_t CheckedCharacters = 255;

// A hexadecimal digit as the loader reads it: anything but 0-9 and A-F is 0.
unsigned DigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    return 0;
}

// The byte of the pair starting at 0-based index i.
unsigned PairAt(std::string_view line, std::size_t i) { return DigitValue(line[i]) * 16 + DigitValue(line[i + 1]); }

bool LongEnough(std::string_view line) {
    const std::string_view seen = line.substr(0, CheckedCharacters);
    if (seen.size() < 4) return false;
    const std::size_t count = PairAt(seen, 2);
    return seen.size() >= 4 + 2 * count;
}

}  // namespace

bool SRecordChecksumOk(std::string_view line) {
    if (!LongEnough(line)) return false;
    const std::size_t count = PairAt(line, 2);
    unsigned sum = 0;
    for (std::size_t k = 0; k <= count; ++k) sum += PairAt(line, 2 + 2 * k);
    return (sum & 0xFF) == 0xFF;
}

RecordProblem CheckOsRecord(std::string_view line) {
    if (line.size() > LongestRecord) return RecordProblem::TooLong;
    if (!LongEnough(line)) return RecordProblem::Short;
    return SRecordChecksumOk(line) ? RecordProblem::None : RecordProblem::Checksum;
}

OsFileCheck CheckOsText(std::string_view text) {
    OsFileCheck check;
    int lineNumber = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(at, end - at);
        ++lineNumber;
        at = end;
        if (at < text.size()) at += (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ? 2 : 1;
        if (line.empty()) continue;
        const RecordProblem problem = CheckOsRecord(line);
        if (problem != RecordProblem::None) {
            check.problem = problem;
            check.badLine = lineNumber;
            return check;
        }
        check.records.emplace_back(line);
    }
    return check;
}

std::string DescribeBadRecord(const OsFileCheck& check) {
    const std::string line = "Line " + std::to_string(check.badLine) + ": ";
    switch (check.problem) {
    case RecordProblem::Checksum: return line + "the record's checksum does not match its bytes.";
    case RecordProblem::Short: return line + "the record is shorter than its byte count requires.";
    case RecordProblem::TooLong:
        return line + "the record is longer than the " + std::to_string(LongestRecord) +
               " characters the port sends in one piece.";
    case RecordProblem::None: break;
    }
    return {};
}

bool LoadOsFile(const std::filesystem::path& path, OsFileCheck& check, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "Cannot read " + path.string() + ": " + std::strerror(errno) + ".";
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        error = "Cannot read " + path.string() + ": the read failed.";
        return false;
    }
    check = CheckOsText(text);
    return true;
}

}  // namespace instrument
