#pragma once
// A path in the test's temporary folder that no other test process uses: ctest runs the
// cases of one program as parallel processes, so a fixed name would be shared between them.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace testsupport {

inline std::filesystem::path OwnTempPath(const std::string& stem, const std::string& extension = "") {
    return std::filesystem::path(::testing::TempDir()) / (stem + "_" + std::to_string(::getpid()) + extension);
}

}  // namespace testsupport
