#pragma once
// A symbolic link to the simulator's device, so that a fixed path can be configured.

#include <string>

namespace sim::program {

class DeviceLink {
public:
    DeviceLink() = default;
    // Removes the link if it still points to the device.
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // Makes linkPath point to target. An existing symbolic link there is replaced; any other
    // file is left alone and reported. On failure returns false and fills error.
    bool create(const std::string& linkPath, const std::string& target, std::string& error);
    void remove();

private:
    std::string path_;
    std::string target_;
};

}  // namespace sim::program
