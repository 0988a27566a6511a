#pragma once
// Files the user cares about are replaced whole: the new contents go to a temporary file
// beside the target, are flushed to the disk, and the temporary file is then renamed over
// the target. A failure at any point leaves the old file as it was and says why, with the
// path and the system's reason.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The few system calls a replacement makes. Each returns what its POSIX namesake returns
// on success and the negated errno value on failure. Tests put a stand-in here to run out
// of disk space or permissions without needing either.
class FileCalls {
public:
    virtual ~FileCalls() = default;
    virtual int open(const char* path, int flags, int mode);
    virtual long write(int fd, const void* data, std::size_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
    virtual int unlink(const char* path);
};

// The real system calls.
FileCalls& systemFileCalls();

// Replaces path's contents with data. Returns false (error says why) on failure, leaving
// the old file untouched and no temporary file behind.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view data, std::string& error,
                         FileCalls& calls = systemFileCalls());

// The whole of a file of at most maxBytes. Nothing (error says why) when it cannot be read
// or is larger.
std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes,
                                         std::string& error);

}  // namespace platform
