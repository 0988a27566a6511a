#pragma once
// Operating-system files for the instrument's loader: Motorola S-records, one per line.
// Every record is checked before anything is sent, because the instrument erases its flash
// memory as soon as the loader starts; a file with one bad record is refused whole.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace instrument {

// The record check of the loader: the count byte C at character positions 3-4 (1-based),
// then the C + 1 bytes from position 3 on (count, address, data, checksum) must add up to
// 0xFF modulo 256. Only the first 255 characters are looked at; a digit other than 0-9 and
// uppercase A-F (lowercase included) counts as 0; the record type at positions 1-2 is not
// examined. A line too short to hold the bytes its count asks for is bad.
bool SRecordChecksumOk(std::string_view line);

enum class RecordProblem {
    None,
    Checksum,  // the bytes do not add up
    Short,     // fewer characters than the count byte asks for
    TooLong,   // more than the port sends in one write
};

// A record is written in one piece into the port's 128-byte output buffer.
inline constexpr std::size_t LongestRecord = 128;

RecordProblem CheckOsRecord(std::string_view line);

struct OsFileCheck {
    // The non-empty lines in file order, exactly as stored (without their line ends).
    std::vector<std::string> records;
    RecordProblem problem = RecordProblem::None;
    int badLine = 0;  // 1-based line number in the file of the first bad record
    bool ok() const { return problem == RecordProblem::None; }
};

// Splits a file's text into lines (CR LF, LF or CR end a line), drops the empty ones and
// checks the rest, stopping at the first bad record.
OsFileCheck CheckOsText(std::string_view text);

// "Line 12: the record is shorter than its byte count requires." for a bad record.
std::string DescribeBadRecord(const OsFileCheck& check);

// Reads and checks a file; false when it cannot be read (error says why, naming it).
bool LoadOsFile(const std::filesystem::path& path, OsFileCheck& check, std::string& error);

}  // namespace instrument
