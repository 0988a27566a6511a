#include "sim/program/device_link.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace sim::program {

DeviceLink::~DeviceLink() { remove(); }

bool DeviceLink::create(const std::string& linkPath, const std::string& target, std::string& error) {
    struct stat info {};
    if (::lstat(linkPath.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            error = "Will not replace " + linkPath + ": it exists and is not a symbolic link.";
            return false;
        }
        if (::unlink(linkPath.c_str()) != 0) {
            error = "Cannot remove the old link " + linkPath + ": " + std::strerror(errno) + ".";
            return false;
        }
    }
    if (::symlink(target.c_str(), linkPath.c_str()) != 0) {
        error = "Cannot create the link " + linkPath + ": " + std::strerror(errno) + ".";
        return false;
    }
    path_ = linkPath;
    target_ = target;
    return true;
}

void DeviceLink::remove() {
    if (path_.empty()) return;
    // Only our own link: another simulator may have taken the path over since.
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(path_.c_str(), buffer, sizeof buffer - 1);
    if (n >= 0 && std::string(buffer, static_cast<std::size_t>(n)) == target_) ::unlink(path_.c_str());
    path_.clear();
}

}  // namespace sim::program
