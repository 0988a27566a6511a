#include "cli/append_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {

namespace {

std::string Reason() { return std::strerror(errno); }

// Writes all of text, going on after partial writes and interruptions.
bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The first line of the file (up to 4096 bytes), without its line end.
std::string FirstLine(int fd) {
    std::string line;
    char buf[4096];
    const ssize_t n = ::pread(fd, buf, sizeof buf, 0);
    if (n <= 0) return line;
    line.assign(buf, static_cast<std::size_t>(n));
    const auto end = line.find('\n');
    if (end != std::string::npos) line.resize(end);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

}  // namespace

AppendFile::~AppendFile() { Close(); }

void AppendFile::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool AppendFile::Open(const std::filesystem::path& path, const std::string& header, std::string& error) {
    Close();
    path_ = path;
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        error = "Cannot open " + path.string() + " for appending: " + Reason() + ".";
        return false;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = path.string() + " is not a regular file.";
        Close();
        return false;
    }
    if (info.st_size == 0) {
        if (!header.empty() && !Append(header + "\n", error)) return false;
        return true;
    }
    // Continuing a file: it must hold the same columns, and a row it ends in the middle of
    // is closed off so that the next one starts on a line of its own.
    const int reader = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (reader < 0) {
        error = "Cannot read " + path.string() + ": " + Reason() + ".";
        Close();
        return false;
    }
    const std::string first = FirstLine(reader);
    char last = '\n';
    const bool readLast = ::pread(reader, &last, 1, info.st_size - 1) == 1;
    ::close(reader);
    if (!header.empty() && first != header) {
        error = path.string() + " holds other columns than this measurement writes; give another file.";
        Close();
        return false;
    }
    if (readLast && last != '\n' && !Append("\n", error)) return false;
    return true;
}

bool AppendFile::Append(const std::string& text, std::string& error) {
    if (fd_ < 0) {
        error = "The log file is not open.";
        return false;
    }
    // Another program appending to the same file waits for the whole row.
    const bool locked = ::flock(fd_, LOCK_EX) == 0;
    int failure = 0;
    if (!WriteAll(fd_, text)) failure = errno;
    else if (::fdatasync(fd_) != 0) failure = errno;
    if (locked) ::flock(fd_, LOCK_UN);
    if (failure != 0) {
        error = "Cannot write to " + path_.string() + ": " + std::strerror(failure) + ".";
        return false;
    }
    return true;
}

}  // namespace cli
