// What a user is told when the permissions of a serial device keep it closed: decided from
// the device's owner, group and mode and the user's identity, so that every case can be
// checked whichever account the tests run under.

#include "platform/device_access.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using platform::DeviceAccessAdvice;
using platform::DeviceOwnership;
using platform::UserIdentity;

constexpr gid_t Dialout = 20;
constexpr uid_t Root = 0;

DeviceOwnership Device(mode_t mode, gid_t group = Dialout, std::string groupName = "dialout") {
    return DeviceOwnership{Root, group, static_cast<mode_t>(S_IFCHR | mode), "root", std::move(groupName)};
}

UserIdentity NewUser() { return UserIdentity{1000, "alice", {1000}, {1000}}; }

bool Has(const std::optional<std::string>& advice, const std::string& part) {
    return advice && advice->find(part) != std::string::npos;
}

TEST(DeviceAccess, AUserOutsideTheDevicesGroupIsToldToJoinIt) {
    const auto advice = DeviceAccessAdvice("/dev/ttyUSB0", Device(0660), NewUser());
    ASSERT_TRUE(advice);
    EXPECT_TRUE(Has(advice, "/dev/ttyUSB0")) << *advice;
    EXPECT_TRUE(Has(advice, "the group \"dialout\"")) << *advice;
    EXPECT_TRUE(Has(advice, "sudo usermod -aG dialout alice")) << *advice;
    EXPECT_TRUE(Has(advice, "log out")) << *advice;

    // The group named is the device's own, whatever it is called.
    EXPECT_TRUE(Has(DeviceAccessAdvice("/dev/ttyACM0", Device(0660, 986, "uucp"), NewUser()),
                    "sudo usermod -aG uucp alice"));
}

TEST(DeviceAccess, AGroupJoinedAfterLoginAsksForANewLogin) {
    UserIdentity user = NewUser();
    user.accountGroups.push_back(Dialout);
    const auto advice = DeviceAccessAdvice("/dev/ttyUSB0", Device(0660), user);
    ASSERT_TRUE(advice);
    EXPECT_TRUE(Has(advice, "is in that group")) << *advice;
    EXPECT_TRUE(Has(advice, "Log out")) << *advice;
    EXPECT_FALSE(Has(advice, "usermod")) << *advice;
}

TEST(DeviceAccess, NothingToSayWhenThePermissionsAllowReadingAndWriting) {
    UserIdentity member = NewUser();
    member.activeGroups.push_back(Dialout);
    EXPECT_FALSE(DeviceAccessAdvice("/dev/ttyUSB0", Device(0660), member));
    EXPECT_FALSE(DeviceAccessAdvice("/dev/ttyUSB0", Device(0666), NewUser()));
    UserIdentity root{Root, "root", {0}, {0}};
    EXPECT_FALSE(DeviceAccessAdvice("/dev/ttyUSB0", Device(0000), root));
    DeviceOwnership own = Device(0600);
    own.owner = 1000;
    EXPECT_FALSE(DeviceAccessAdvice("/dev/ttyUSB0", own, NewUser()));
}

TEST(DeviceAccess, OnlyTheClassThatAppliesCounts) {
    // Reading alone is not enough, for the group or the others.
    EXPECT_TRUE(Has(DeviceAccessAdvice("/dev/ttyS0", Device(0640), NewUser()), "only its owner \"root\""));
    UserIdentity member = NewUser();
    member.activeGroups.push_back(Dialout);
    EXPECT_TRUE(DeviceAccessAdvice("/dev/ttyS0", Device(0646), member));  // others' bits do not help a member

    // A device no group may use: joining a group would not help.
    const auto ownerOnly = DeviceAccessAdvice("/dev/ttyS0", Device(0600, 0, "root"), NewUser());
    ASSERT_TRUE(ownerOnly);
    EXPECT_TRUE(Has(ownerOnly, "(0600)")) << *ownerOnly;
    EXPECT_FALSE(Has(ownerOnly, "usermod")) << *ownerOnly;

    // The user's own device without write permission.
    DeviceOwnership own = Device(0400);
    own.owner = 1000;
    EXPECT_TRUE(Has(DeviceAccessAdvice("/dev/ttyS0", own, NewUser()), "chmod u+rw /dev/ttyS0"));
}

TEST(DeviceAccess, UnknownNamesAreGivenByNumberAndNoCommandIsGuessed) {
    UserIdentity nameless{1234, "", {1234}, {}};
    const auto advice = DeviceAccessAdvice("/dev/ttyUSB0", Device(0660, 4321, ""), nameless);
    ASSERT_TRUE(advice);
    EXPECT_TRUE(Has(advice, "group number 4321")) << *advice;
    EXPECT_TRUE(Has(advice, "user number 1234")) << *advice;
    EXPECT_FALSE(Has(advice, "usermod")) << *advice;
}

TEST(DeviceAccess, ARealFileIsReadWithItsActualGroup) {
    const auto dir = std::filesystem::temp_directory_path() / ("wavix-device-access-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto path = (dir / "ttyFAKE0").string();
    std::ofstream(path).put('x');
    ASSERT_EQ(::chmod(path.c_str(), 0660), 0);

    const auto device = platform::ReadDeviceOwnership(path);
    ASSERT_TRUE(device);
    EXPECT_EQ(device->owner, ::geteuid());
    EXPECT_EQ(device->mode & 0777, 0660u);
    const struct group* entry = ::getgrgid(device->group);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(device->groupName, entry->gr_name);

    // A stranger to the file is told to join the file's own group.
    UserIdentity stranger{device->owner + 4242, "stranger", {65534}, {65534}};
    const auto advice = DeviceAccessAdvice(path, *device, stranger);
    EXPECT_TRUE(Has(advice, "sudo usermod -aG " + std::string(entry->gr_name) + " stranger"));

    // Whoever runs the tests owns the file and may use it.
    EXPECT_FALSE(DeviceAccessAdvice(path));

    EXPECT_FALSE(platform::ReadDeviceOwnership((dir / "missing").string()));
    EXPECT_FALSE(DeviceAccessAdvice((dir / "missing").string()));
    std::filesystem::remove_all(dir);
}

}  // namespace
