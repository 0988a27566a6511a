#pragma once
// Why a serial device that exists cannot be opened, and what the user can do about it.
// A new user of the program usually meets this first: on Linux the serial devices belong
// to a group (dialout on Debian) that a fresh account is not in. The decision is made from
// the device's owner, group and mode and the user's identity, so that it can be tested
// without a real device and without the rights the test happens to run with.

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

// What the system says about the device file.
struct DeviceOwnership {
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0;
    std::string ownerName;  // empty when the user database has no entry
    std::string groupName;  // empty when the group database has no entry
};

// Who tries to open it.
struct UserIdentity {
    uid_t uid = 0;
    std::string name;
    // The groups this process runs with (what the kernel checks).
    std::vector<gid_t> activeGroups;
    // The groups the account belongs to in the group database; a group added there after
    // the user logged in is not among the active ones until the next login.
    std::vector<gid_t> accountGroups;
};

// The owner, group and mode of path; nullopt when it cannot be examined.
std::optional<DeviceOwnership> ReadDeviceOwnership(const std::string& path);

// The identity of this process.
UserIdentity CurrentUser();

// The sentence telling the user why path cannot be opened for reading and writing and how
// to put it right (the group to join, named from the device's actual group); nullopt when
// its permissions do allow the user to read and write it.
std::optional<std::string> DeviceAccessAdvice(const std::string& path, const DeviceOwnership& device,
                                              const UserIdentity& user);

// The same for the real device and this process.
std::optional<std::string> DeviceAccessAdvice(const std::string& path);

}  // namespace platform
