// Multiplexer setup files against fixtures made from the layout.

#include "files/mux_file.h"
#include "fixture_files.h"

#include "platform/doubles/failing_file_calls.h"

#include <gtest/gtest.h>

namespace files::testing {
namespace {

std::vector<MuxLine> ExampleLines() {
    std::vector<MuxLine> lines = {{0, "MUXLevel-1, Ch-1--<=="}, {0, "MUXLevel-1, Ch-2"}};
    for (int c = 1; c <= 8; ++c) lines.push_back({1, "MUXLevel-2, Ch-" + std::to_string(c)});
    for (int c = 3; c <= 8; ++c) lines.push_back({0, "MUXLevel-1, Ch-" + std::to_string(c)});
    return lines;
}

TEST(MuxFile, TheDocumentedExampleByteForByte) {
    const std::string fixture = Fixture("example.MUX");
    EXPECT_EQ(EncodeMuxLines(ExampleLines()), fixture);
    const MuxReadResult read = DecodeMuxLines(fixture);
    EXPECT_FALSE(read.error);
    EXPECT_EQ(read.lines, ExampleLines());
}

TEST(MuxFile, SpacesForTabsAndAnyLineEndReadTheSame) {
    const MuxReadResult read = DecodeMuxLines(Fixture("spaces.MUX"));
    EXPECT_FALSE(read.error);
    EXPECT_EQ(read.lines, ExampleLines());
}

TEST(MuxFile, ALineTwoLevelsBelowItsPredecessorStopsTheReading) {
    const MuxReadResult read = DecodeMuxLines(Fixture("level2-after-top.MUX"));
    ASSERT_TRUE(read.error);
    EXPECT_EQ(*read.error, "Invalid level (2) for item \"MUXLevel-3, Ch-1\"");
    EXPECT_EQ(read.errorLine, 3);
    EXPECT_EQ(read.lines, (std::vector<MuxLine>{{0, "MUXLevel-1, Ch-1"}, {0, "MUXLevel-1, Ch-2"}}));
}

TEST(MuxFile, EmptyLinesIndentedFirstLinesAndClimbingBack) {
    const MuxReadResult markers = DecodeMuxLines(Fixture("markers.MUX"));
    EXPECT_FALSE(markers.error);
    EXPECT_EQ(markers.lines, (std::vector<MuxLine>{{0, "MUXLevel-1, Ch-1"},
                                                   {1, "MUXLevel-2, Ch-1"},
                                                   {2, "MUXLevel-3, Ch-1"},
                                                   {2, "Tank --<== north"},
                                                   {1, "MUXLevel-2, Ch-2--<=="},
                                                   {0, ""},
                                                   {0, "MUXLevel-1, Ch-3--<=="}}));
    // The first line is top level whatever its indentation; the next is judged by that.
    const MuxReadResult indented = DecodeMuxLines("\t\tA\r\n\tB\r\n\t\t\tC\r\n");
    EXPECT_EQ(indented.lines, (std::vector<MuxLine>{{0, "A"}, {1, "B"}}));
    EXPECT_EQ(*indented.error, "Invalid level (3) for item \"C\"");
    // No line end after the last line; a lone CR before LF-ended lines.
    EXPECT_EQ(DecodeMuxLines("A\r\tB").lines, (std::vector<MuxLine>{{0, "A"}, {1, "B"}}));
    EXPECT_EQ(DecodeMuxLines("A\r\r\n").lines, (std::vector<MuxLine>{{0, "A"}, {0, ""}}));
}

TEST(MuxFile, AnEmptyTreeIsAnEmptyFile) {
    EXPECT_EQ(EncodeMuxLines({}), "");
    EXPECT_EQ(Fixture("empty.MUX"), "");
    const MuxReadResult read = DecodeMuxLines("");
    EXPECT_TRUE(read.lines.empty());
    EXPECT_FALSE(read.error);
}

TEST(MuxFile, SavingReplacesTheFileWholeOrNotAtAll) {
    ScratchDirectory dir;
    const auto path = dir / "setup.MUX";
    std::string error;
    ASSERT_TRUE(SaveMuxFile(path, ExampleLines(), error)) << error;
    EXPECT_EQ(Contents(path), Fixture("example.MUX"));
    EXPECT_EQ(LoadMuxFile(path).lines, ExampleLines());

    auto readOnly = platform::FailingFileCalls::ReadOnlyDirectory();
    EXPECT_FALSE(SaveMuxFile(path, {}, error, readOnly));
    EXPECT_NE(error.find(path.string()), std::string::npos);
    EXPECT_EQ(Contents(path), Fixture("example.MUX"));
    auto renameFails = platform::FailingFileCalls();
    renameFails.renameError = EROFS;
    EXPECT_FALSE(SaveMuxFile(path, {}, error, renameFails));
    EXPECT_NE(error.find("Read-only file system"), std::string::npos) << error;
    EXPECT_EQ(Contents(path), Fixture("example.MUX"));
    EXPECT_EQ(renameFails.unlinkCount, 1);  // the temporary file is gone

    const MuxReadResult missing = LoadMuxFile(dir / "none.MUX");
    ASSERT_TRUE(missing.error);
    EXPECT_EQ(missing.errorLine, 0);
}

}  // namespace
}  // namespace files::testing
