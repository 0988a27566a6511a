#pragma once
// Profile (INI) files with the semantics Windows programs expect: sections and keys match
// without regard to case, a missing file or key gives the caller's default, values are
// edited in place keeping every other line and comment, a missing file is created on the
// first write, CRLF is written and LF or CRLF read. Every read looks at the file as it is
// now; every write replaces the file atomically (write a temporary file, then rename).

#include "platform/atomic_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Numbers;

class ProfileFile {
public:
    // Longest value a read returns, as with a 2048-character buffer.
    static constexpr std::size_t MaxValueLength = 2047;

    explicit ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}
    const std::filesystem::path& path() const { return path_; }

    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key, std::string_view def) const;
    // Decimal, or hexadecimal with "0x" or "$"; anything else gives def.
    int readInteger(std::string_view section, std::string_view key, int def) const;
    // An integer; non-zero is true. Anything else gives def.
    bool readBool(std::string_view section, std::string_view key, bool def) const;
    // A real with the locale decimal separator; anything else gives def.
    double readFloat(std::string_view section, std::string_view key, double def, const Numbers& numbers) const;
    bool sectionExists(std::string_view section) const;
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;

    // Writes return false when the file cannot be written (lastError says why); the file
    // on disk is then unchanged.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInteger(std::string_view section, std::string_view key, int value);
    bool writeBool(std::string_view section, std::string_view key, bool value);
    bool writeFloat(std::string_view section, std::string_view key, double value, const Numbers& numbers);
    bool eraseKey(std::string_view section, std::string_view key);
    bool eraseSection(std::string_view section);
    const std::string& lastError() const { return lastError_; }

    // Integer parsing shared with callers that read numbers the same way.
    static std::optional<int> parseInteger(std::string_view text);

private:
    std::vector<std::string> loadLines() const;
    bool saveLines(const std::vector<std::string>& lines);

    std::filesystem::path path_;
    std::string lastError_;
};

}  // namespace platform
