#pragma once
// A log file that rows are appended to and nothing else: an existing file is continued
// (never truncated), a header is written only into an empty file and must match in one
// that has rows already, a last row cut short (a crash, a full disk) is closed off before
// the next one, and every row reaches the disk whole before the next measurement.

#include <filesystem>
#include <string>

namespace cli {

class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens (creating) the file; header is the first line expected in it (empty: none).
    // False with a sentence in error when the file cannot be used.
    bool Open(const std::filesystem::path& path, const std::string& header, std::string& error);
    // Appends text (whole lines) in one piece and flushes it to the disk.
    bool Append(const std::string& text, std::string& error);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

private:
    std::filesystem::path path_;
    int fd_ = -1;
};

}  // namespace cli
