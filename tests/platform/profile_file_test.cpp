#include "platform/numbers.h"
#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace platform {
namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    ProfileFileTest() {
        dir = std::filesystem::temp_directory_path() /
              ("wavix_profile_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        path = dir / "RFX410.INI";
    }
    ~ProfileFileTest() override { std::filesystem::remove_all(dir); }

    void write(const std::string& bytes) {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }
    std::string contents() const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path dir;
    std::filesystem::path path;
};

TEST_F(ProfileFileTest, MissingFileAndMissingKeyGiveTheDefault) {
    ProfileFile ini(path);
    EXPECT_EQ(ini.readString("Settings", "VpEd", "1.00"), "1.00");
    EXPECT_EQ(ini.readInteger("Settings", "BaudRt", 2), 2);
    write("[Settings]\nCommPt=1\n");
    EXPECT_EQ(ini.readInteger("Settings", "BaudRt", 2), 2);
    EXPECT_EQ(ini.readInteger("Other", "CommPt", 7), 7);
    EXPECT_FALSE(std::filesystem::exists(dir / ".RFX410.INI.tmp"));
}

TEST_F(ProfileFileTest, SectionsAndKeysMatchWithoutRegardToCase) {
    write("[settings]\r\nVPED = 0.67 \r\n");
    ProfileFile ini(path);
    EXPECT_EQ(ini.readString("Settings", "VpEd", ""), "0.67");
    EXPECT_TRUE(ini.sectionExists("SETTINGS"));
}

TEST_F(ProfileFileTest, NumbersAreReadLikeTheOriginalsAndAnythingElseIsTheDefault) {
    write("[S]\nhex=0x1A\ndollar=$1a\nneg=-1\nplus=+5\nspaced=  12\nword=abc\nhalf=12abc\nempty=\nbig=99999999999\n"
          "yes=1\nno=0\nreal=0,5\nquoted=\"a b\"\n");
    ProfileFile ini(path);
    EXPECT_EQ(ini.readInteger("S", "hex", 0), 26);
    EXPECT_EQ(ini.readInteger("S", "dollar", 0), 26);
    EXPECT_EQ(ini.readInteger("S", "neg", 0), -1);
    EXPECT_EQ(ini.readInteger("S", "plus", 0), 5);
    EXPECT_EQ(ini.readInteger("S", "spaced", 0), 12);
    EXPECT_EQ(ini.readInteger("S", "word", 3), 3);
    EXPECT_EQ(ini.readInteger("S", "half", 3), 3);
    EXPECT_EQ(ini.readInteger("S", "empty", 3), 3);
    EXPECT_EQ(ini.readInteger("S", "big", 3), 3);
    EXPECT_TRUE(ini.readBool("S", "yes", false));
    EXPECT_FALSE(ini.readBool("S", "no", true));
    EXPECT_TRUE(ini.readBool("S", "word", true));
    EXPECT_DOUBLE_EQ(ini.readFloat("S", "real", 1.0, Numbers(',')), 0.5);
    EXPECT_DOUBLE_EQ(ini.readFloat("S", "real", 1.0, Numbers('.')), 1.0);  // wrong separator: default
    EXPECT_EQ(ini.readString("S", "quoted", ""), "a b");
}

TEST_F(ProfileFileTest, CorruptLinesAreSkippedAndTheirKeysReadAsDefault) {
    write("[Settings]\nVpEd\n=orphan\n\x01\x02garbage\nAvgEd=16\n[broken\nPtsEd=251\n");
    ProfileFile ini(path);
    EXPECT_EQ(ini.readString("Settings", "VpEd", "1.00"), "1.00");
    EXPECT_EQ(ini.readString("Settings", "AvgEd", "4"), "16");
    // A header without its bracket is not a header: the key stays in [Settings].
    EXPECT_EQ(ini.readString("Settings", "PtsEd", ""), "251");
}

TEST_F(ProfileFileTest, WriteEditsInPlaceKeepingEveryOtherLineAndWritesCrlf) {
    write("; WAVIX settings\n[Ports]\nCOM1=/dev/pts/4\n\n[Settings]\nVpEd=1.00\n; a note\nAvgEd=4\n\n[Extra]\nkey=v\n");
    ProfileFile ini(path);
    ASSERT_TRUE(ini.writeString("settings", "AVGED", "16"));
    ASSERT_TRUE(ini.writeString("Settings", "PtsEd", "251"));
    ASSERT_TRUE(ini.writeString("New", "A", "1"));
    EXPECT_EQ(contents(),
              "; WAVIX settings\r\n[Ports]\r\nCOM1=/dev/pts/4\r\n\r\n[Settings]\r\nVpEd=1.00\r\n; a note\r\nAVGED=16\r\n"
              "PtsEd=251\r\n\r\n[Extra]\r\nkey=v\r\n\r\n[New]\r\nA=1\r\n");
    EXPECT_EQ(ini.readString("Settings", "AvgEd", ""), "16");
}

TEST_F(ProfileFileTest, FileIsCreatedOnFirstWrite) {
    ProfileFile ini(path);
    EXPECT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(ini.writeInteger("Settings", "CommPt", 0));
    EXPECT_EQ(contents(), "[Settings]\r\nCommPt=0\r\n");
}

TEST_F(ProfileFileTest, WriteThatCannotHappenLeavesTheFileAsItWas) {
    write("[Settings]\nVpEd=1.00\n");
    ProfileFile ini(path);
    EXPECT_FALSE(ini.writeString("Settings", "VpEd", "1\r\n[Injected]"));
    EXPECT_FALSE(ini.writeString("Settings", "", "x"));
    EXPECT_EQ(contents(), "[Settings]\nVpEd=1.00\n");
    ProfileFile elsewhere(dir / "missing-dir" / "x.ini");
    EXPECT_FALSE(elsewhere.writeString("S", "k", "v"));
    EXPECT_FALSE(elsewhere.lastError().empty());
}

TEST_F(ProfileFileTest, LongValuesAreCutToTheReadBuffer) {
    write("[S]\nk=" + std::string(5000, 'x') + "\n");
    EXPECT_EQ(ProfileFile(path).readString("S", "k", "").size(), ProfileFile::MaxValueLength);
}

TEST_F(ProfileFileTest, EraseKeyAndSection) {
    write("[A]\nx=1\ny=2\n[B]\nz=3\n");
    ProfileFile ini(path);
    ASSERT_TRUE(ini.eraseKey("A", "X"));
    ASSERT_TRUE(ini.eraseSection("b"));
    EXPECT_EQ(ini.keys("A"), std::vector<std::string>{"y"});
    EXPECT_EQ(ini.sections(), std::vector<std::string>{"A"});
}

}  // namespace
}  // namespace platform
