#include "platform/device_access.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool Contains(const std::vector<gid_t>& groups, gid_t group) {
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// Read and write permission in the three bits of one class (owner, group or others).
bool ReadWrite(mode_t bits) { return (bits & 06) == 06; }

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string GroupLabel(const DeviceOwnership& device) {
    return device.groupName.empty() ? "number " + std::to_string(device.group) : Quoted(device.groupName);
}

std::string AccountLabel(const UserIdentity& user) {
    return user.name.empty() ? "your account (user number " + std::to_string(user.uid) + ")"
                             : "your account " + Quoted(user.name);
}

std::string Permissions(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

}  // namespace

std::optional<DeviceOwnership> ReadDeviceOwnership(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    DeviceOwnership device;
    device.owner = status.st_uid;
    device.group = status.st_gid;
    device.mode = status.st_mode;
    // The reentrant look-ups: another thread of the program may use the databases too.
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    struct passwd account {};
    struct passwd* foundAccount = nullptr;
    if (::getpwuid_r(status.st_uid, &account, buffer.data(), buffer.size(), &foundAccount) == 0 && foundAccount)
        device.ownerName = foundAccount->pw_name;
    size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    buffer.assign(static_cast<std::size_t>(size > 0 ? size : 16384), '\0');
    struct group entry {};
    struct group* foundGroup = nullptr;
    // A group with very many members needs a larger buffer (ERANGE).
    int result = 0;
    while ((result = ::getgrgid_r(status.st_gid, &entry, buffer.data(), buffer.size(), &foundGroup)) == ERANGE &&
           buffer.size() < (1u << 22))
        buffer.resize(buffer.size() * 2);
    if (result == 0 && foundGroup) device.groupName = foundGroup->gr_name;
    return device;
}

UserIdentity CurrentUser() {
    UserIdentity user;
    user.uid = ::geteuid();
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        user.activeGroups.resize(static_cast<std::size_t>(count));
        const int got = ::getgroups(count, user.activeGroups.data());
        user.activeGroups.resize(static_cast<std::size_t>(std::max(got, 0)));
    }
    user.activeGroups.push_back(::getegid());

    const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    struct passwd account {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(user.uid, &account, buffer.data(), buffer.size(), &found) == 0 && found) {
        user.name = found->pw_name;
        int groups = 64;
        std::vector<gid_t> list(static_cast<std::size_t>(groups));
        while (::getgrouplist(found->pw_name, found->pw_gid, list.data(), &groups) < 0 && groups > 0 &&
               static_cast<std::size_t>(groups) > list.size())
            list.resize(static_cast<std::size_t>(groups));
        list.resize(static_cast<std::size_t>(std::clamp(groups, 0, static_cast<int>(list.size()))));
        user.accountGroups = std::move(list);
    }
    return user;
}

std::optional<std::string> DeviceAccessAdvice(const std::string& path, const DeviceOwnership& device,
                                              const UserIdentity& user) {
    // The superuser is not held back by permissions.
    if (user.uid == 0) return std::nullopt;
    // The kernel checks exactly one class: the owner's bits for the owner, the group's
    // bits for a member of the group, the others' bits for everybody else.
    if (device.owner == user.uid) {
        if (ReadWrite(device.mode >> 6)) return std::nullopt;
        return path + " belongs to " + AccountLabel(user) + ", but its permissions (" + Permissions(device.mode) +
               ") do not allow reading and writing it. Give yourself both with: chmod u+rw " + path;
    }
    const bool groupMayUse = ReadWrite(device.mode >> 3);
    if (Contains(user.activeGroups, device.group)) {
        if (groupMayUse) return std::nullopt;
    } else if (ReadWrite(device.mode)) {
        return std::nullopt;
    } else if (groupMayUse && Contains(user.accountGroups, device.group)) {
        return "You have no permission to use " + path + ": it belongs to the group " + GroupLabel(device) + ". " +
               AccountLabel(user) + " is in that group, but this session started before it was added. Log out and " +
               "log in again (or restart the computer), then try again.";
    } else if (groupMayUse) {
        std::string advice = "You have no permission to use " + path + ": it belongs to the group " +
                             GroupLabel(device) + ", and " + AccountLabel(user) + " is not a member. ";
        if (!device.groupName.empty())
            advice += "Add it with: sudo usermod -aG " + device.groupName + " " +
                      (user.name.empty() ? std::string("$USER") : user.name) + " (then log out and log in again).";
        else
            advice += "Ask the administrator to add it to that group, then log out and log in again.";
        return advice;
    }
    const std::string owner = device.ownerName.empty() ? "user number " + std::to_string(device.owner)
                                                       : Quoted(device.ownerName);
    return "You have no permission to use " + path + ": its permissions (" + Permissions(device.mode) +
           ") let only its owner " + owner + " use it. Ask the administrator to give the device a group you " +
           "belong to (a udev rule) or to change its permissions.";
}

std::optional<std::string> DeviceAccessAdvice(const std::string& path) {
    const auto device = ReadDeviceOwnership(path);
    if (!device) return std::nullopt;
    return DeviceAccessAdvice(path, *device, CurrentUser());
}

}  // namespace platform
