// The setup's files: "mux.sav" at start-up (whole, damaged, unreadable), the Cancel
// snapshot, and setup files chosen by the user.

#include "mux/mux_setup.h"

#include "platform/doubles/failing_file_calls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace mux {
namespace {

class SetupFiles : public ::testing::Test {
protected:
    SetupFiles() {
        std::random_device seed;
        dir = std::filesystem::temp_directory_path() / ("wavix-muxsetup-" + std::to_string(seed()));
        std::filesystem::create_directories(dir);
    }
    ~SetupFiles() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) {
        std::ifstream in(dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path dir;
};

TEST_F(SetupFiles, NoAutomaticFileMeansAnEmptySetup) {
    MuxSetup setup(dir);
    EXPECT_EQ(setup.LoadAutomaticFile(), std::nullopt);
    EXPECT_TRUE(setup.Tree().Empty());
}

TEST_F(SetupFiles, ADamagedAutomaticFileKeepsTheNodesBeforeTheBadLineAndSaysWhichLine) {
    Write("mux.sav", "MUXLevel-1, Ch-1--<==\r\nMUXLevel-1, Ch-2\r\n\t\tMUXLevel-3, Ch-1\r\nMUXLevel-1, Ch-3\r\n");
    MuxSetup setup(dir);
    const auto problem = setup.LoadAutomaticFile();
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("Line 3 of " + (dir / "mux.sav").string()), std::string::npos) << *problem;
    EXPECT_NE(problem->find("Invalid level (2) for item \"MUXLevel-3, Ch-1\""), std::string::npos);
    EXPECT_NE(problem->find("2 channels"), std::string::npos);
    EXPECT_EQ(setup.Tree().NodeCount(), 2u);
    EXPECT_TRUE(setup.Tree().TopLevel()[0]->probe);  // usable at once
}

TEST_F(SetupFiles, CancelBringsBackTheTreeAndAddressOfTheSnapshot) {
    MuxSetup setup(dir);
    setup.Tree().AddMux();
    setup.Tree().AddProbe();
    setup.TakeSnapshot();
    const auto before = setup.Tree().ToLines();
    setup.Tree().Select(setup.Tree().TopLevel()[1].get());
    setup.Tree().AddMux();
    setup.Tree().AddProbe();
    setup.QrbAddress = "07";
    setup.RestoreSnapshot();
    EXPECT_EQ(setup.Tree().ToLines(), before);
    EXPECT_TRUE(setup.Tree().TopLevel()[0]->probe);
    EXPECT_EQ(setup.Tree().Selected(), nullptr);
    EXPECT_EQ(setup.QrbAddress, "00");
    std::string error;
    ASSERT_TRUE(setup.SaveAutomaticFile(error)) << error;
    EXPECT_EQ(Read("mux.sav").substr(0, 23), "MUXLevel-1, Ch-1--<==\r\n");
}

TEST_F(SetupFiles, UserFilesReplaceTheTreeUnlessTheyCannotBeRead) {
    MuxSetup setup(dir);
    setup.Tree().AddMux();
    EXPECT_TRUE(setup.LoadFile(dir / "missing.MUX"));
    EXPECT_EQ(setup.Tree().NodeCount(), 8u);  // not opened: unchanged
    Write("two.MUX", "A--<==\r\n\tB\r\n\t\t\tC\r\n");
    const auto problem = setup.LoadFile(dir / "two.MUX");
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->rfind("Invalid level (3) for item \"C\"", 0), 0u) << *problem;
    EXPECT_EQ(setup.Tree().NodeCount(), 2u);
    EXPECT_TRUE(setup.Tree().TopLevel()[0]->probe);

    std::string error;
    Write("mux.sav", "old");
    auto full = platform::FailingFileCalls::FullDisk(3);
    EXPECT_FALSE(setup.SaveAutomaticFile(error, full));
    EXPECT_EQ(Read("mux.sav"), "old");
    EXPECT_NE(error.find("No space left on device"), std::string::npos);
}

}  // namespace
}  // namespace mux
