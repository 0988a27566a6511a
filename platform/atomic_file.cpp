#include "platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace platform {

int FileCalls::open(const char* path, int flags, int mode) {
    const int fd = ::open(path, flags | O_CLOEXEC, mode);
    return fd >= 0 ? fd : -errno;
}

long FileCalls::write(int fd, const void* data, std::size_t size) {
    const ssize_t n = ::write(fd, data, size);
    return n >= 0 ? static_cast<long>(n) : -errno;
}

int FileCalls::fsync(int fd) { return ::fsync(fd) == 0 ? 0 : -errno; }

int FileCalls::close(int fd) { return ::close(fd) == 0 ? 0 : -errno; }

int FileCalls::rename(const char* from, const char* to) { return ::rename(from, to) == 0 ? 0 : -errno; }

int FileCalls::unlink(const char* path) { return ::unlink(path) == 0 ? 0 : -errno; }

FileCalls& systemFileCalls() {
    static FileCalls calls;  // stateless
    return calls;
}

namespace {

std::string reason(int negativeErrno) { return std::strerror(-negativeErrno); }

}  // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view data, std::string& error,
                         FileCalls& calls) {
    if (path.filename().empty()) {
        error = "Cannot write \"" + path.string() + "\": it names no file.";
        return false;
    }
    const auto dir = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    const std::string temp = (dir / ("." + path.filename().string() + ".tmp")).string();
    const std::string target = path.string();

    const int fd = calls.open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) {
        error = "Cannot write " + target + ": " + reason(fd) + ".";
        return false;
    }
    auto fail = [&](int code, const char* what) {
        error = std::string(what) + " " + target + ": " + reason(code) + ".";
        calls.close(fd);
        calls.unlink(temp.c_str());
        return false;
    };
    std::size_t done = 0;
    while (done < data.size()) {
        const long n = calls.write(fd, data.data() + done, data.size() - done);
        if (n == -EINTR) continue;
        if (n < 0) return fail(static_cast<int>(n), "Cannot write");
        if (n == 0) return fail(-EIO, "Cannot write");
        done += static_cast<std::size_t>(n);
    }
    // A file that reached the disk only in part must not replace a whole one.
    if (const int r = calls.fsync(fd); r < 0 && r != -EINVAL) return fail(r, "Cannot write");
    if (const int r = calls.close(fd); r < 0) {
        error = "Cannot write " + target + ": " + reason(r) + ".";
        calls.unlink(temp.c_str());
        return false;
    }
    if (const int r = calls.rename(temp.c_str(), target.c_str()); r < 0) {
        error = "Cannot replace " + target + ": " + reason(r) + ".";
        calls.unlink(temp.c_str());
        return false;
    }
    return true;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "Cannot read " + path.string() + ": " + std::strerror(errno) + ".";
        return std::nullopt;
    }
    std::string data;
    char buffer[8192];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        data.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (data.size() > maxBytes) {
            error = "Cannot read " + path.string() + ": the file is larger than " + std::to_string(maxBytes) +
                    " bytes, too large for its kind.";
            return std::nullopt;
        }
    }
    if (in.bad()) {
        error = "Cannot read " + path.string() + ": " + std::strerror(errno) + ".";
        return std::nullopt;
    }
    return data;
}

}  // namespace platform
