#pragma once
// Serial port numbers as the user knows them (COM 1 to COM 4) mapped to device paths,
// kept in the settings file's "Ports" section under "COM1" ... "COM4".

#include "platform/profile_file.h"

#include <string>

namespace platform {

class PortMap {
public:
    static constexpr const char* Section = "Ports";

    explicit PortMap(ProfileFile file) : file_(std::move(file)) {}

    // "/dev/ttyS0" for port 1, "/dev/ttyS1" for port 2, and so on.
    static std::string defaultDevicePath(int portNumber);
    static std::string keyFor(int portNumber) { return "COM" + std::to_string(portNumber); }

    std::string devicePath(int portNumber) const;
    bool setDevicePath(int portNumber, const std::string& path);
    const ProfileFile& file() const { return file_; }

private:
    ProfileFile file_;
};

}  // namespace platform
