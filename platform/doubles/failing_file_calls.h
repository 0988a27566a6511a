#pragma once
// A file system stand-in for the whole-file writes: the real calls, except that creating
// files can be refused (a read-only directory) and writing can run out of space after a
// number of bytes (a full disk), with the errno the system would give.

#include "platform/atomic_file.h"

#include <cerrno>
#include <cstddef>
#include <limits>

namespace platform {

class FailingFileCalls : public FileCalls {
public:
    // Creating any file fails with this errno (0: allowed).
    int openError = 0;
    // Bytes that fit before writes fail with ENOSPC.
    std::size_t spaceLeft = std::numeric_limits<std::size_t>::max();
    // Renaming fails with this errno (0: allowed).
    int renameError = 0;
    int unlinkCount = 0;

    static FailingFileCalls ReadOnlyDirectory() {
        FailingFileCalls calls;
        calls.openError = EACCES;
        return calls;
    }
    static FailingFileCalls FullDisk(std::size_t bytesThatFit) {
        FailingFileCalls calls;
        calls.spaceLeft = bytesThatFit;
        return calls;
    }

    int open(const char* path, int flags, int mode) override {
        if (openError) return -openError;
        return FileCalls::open(path, flags, mode);
    }
    long write(int fd, const void* data, std::size_t size) override {
        if (spaceLeft == 0) return -ENOSPC;
        const std::size_t n = size < spaceLeft ? size : spaceLeft;
        const long written = FileCalls::write(fd, data, n);
        if (written > 0) spaceLeft -= static_cast<std::size_t>(written);
        return written;
    }
    int rename(const char* from, const char* to) override {
        if (renameError) return -renameError;
        return FileCalls::rename(from, to);
    }
    int unlink(const char* path) override {
        ++unlinkCount;
        return FileCalls::unlink(path);
    }
};

}  // namespace platform
