// Whole-file replacement and reading, on the real file system and a failing stand-in.

#include "platform/atomic_file.h"
#include "platform/doubles/failing_file_calls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace platform {
namespace {

TEST(AtomicFile, ReplacesWholeOrLeavesTheOldFileAndNoTemporary) {
    const auto dir = std::filesystem::path(::testing::TempDir()) / "wavix-atomic";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const auto path = dir / "f.txt";
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path, "first", error)) << error;
    ASSERT_TRUE(writeFileAtomically(path, "second", error)) << error;
    EXPECT_EQ(readWholeFile(path, 100, error), "second");

    auto full = FailingFileCalls::FullDisk(3);
    EXPECT_FALSE(writeFileAtomically(path, "third, longer", error, full));
    EXPECT_EQ(error, "Cannot write " + path.string() + ": No space left on device.");
    auto denied = FailingFileCalls::ReadOnlyDirectory();
    EXPECT_FALSE(writeFileAtomically(path, "third", error, denied));
    EXPECT_EQ(error, "Cannot write " + path.string() + ": Permission denied.");
    EXPECT_EQ(readWholeFile(path, 100, error), "second");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);

    EXPECT_FALSE(writeFileAtomically(dir / "missing" / "f.txt", "x", error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos);
    EXPECT_FALSE(readWholeFile(path, 5, error));
    EXPECT_NE(error.find("larger than 5 bytes"), std::string::npos);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace platform
