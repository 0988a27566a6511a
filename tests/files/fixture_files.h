#pragma once
// The hand-made fixtures of tests/data/files, and a scratch directory per test.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace files::testing {

inline std::string Fixture(const std::string& name) {
    std::ifstream in(std::filesystem::path(WAVIX_TEST_DATA) / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class ScratchDirectory {
public:
    ScratchDirectory() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("wavix-files-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace files::testing
