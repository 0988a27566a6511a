// Checking an operating-system file before anything is sent: the record rule, blank lines,
// line ends, and the bad records that refuse the whole file with their line number.

#include "link/os_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace instrument {
namespace {

TEST(SRecordCheck, TheRecordRuleOfTheLoader) {
    EXPECT_TRUE(SRecordChecksumOk("S00600004844521B"));  // 06+00+00+48+44+52+1B = 0xFF
    EXPECT_FALSE(SRecordChecksumOk("S00600004844521C"));
    // The record type is not looked at, nor anything after the checksum byte.
    EXPECT_TRUE(SRecordChecksumOk("xx0600004844521B"));
    EXPECT_TRUE(SRecordChecksumOk("S00600004844521B  trailing"));
    // Lowercase digits count as 0: usually the sum breaks ...
    EXPECT_FALSE(SRecordChecksumOk("S00600004844521b"));
    EXPECT_FALSE(SRecordChecksumOk("s00600004844521b"));
    // ... but not when the zero happens to fit (0a is read as 00).
    EXPECT_TRUE(SRecordChecksumOk("S10400000aFB"));
    // Spaces are not empty: count 0, sum 0.
    EXPECT_FALSE(SRecordChecksumOk("                "));
    // Too short for the count: no pair beyond the end is made up.
    EXPECT_FALSE(SRecordChecksumOk("S0"));
    EXPECT_FALSE(SRecordChecksumOk("S006000048445"));
    EXPECT_FALSE(SRecordChecksumOk(""));
}

TEST(SRecordCheck, OnlyTheFirst255CharactersAreLookedAt) {
    // Count 0x7E needs 256 characters; the last pair lies beyond what is read.
    std::string record = "S17E";
    unsigned sum = 0x7E;
    for (int i = 0; i < 0x7D; ++i) record += "00";
    record += "81";  // 0x7E + 0x81 = 0xFF
    sum += 0x81;
    ASSERT_EQ(sum & 0xFF, 0xFFu);
    ASSERT_EQ(record.size(), 256u);
    EXPECT_FALSE(SRecordChecksumOk(record));
    // Count 0x7D fits within 254 characters and is read in full.
    std::string shorter = "S17D";
    for (int i = 0; i < 0x7C; ++i) shorter += "00";
    shorter += "82";
    EXPECT_TRUE(SRecordChecksumOk(shorter));
}

TEST(SRecordCheck, WhatMakesARecordBad) {
    EXPECT_EQ(CheckOsRecord("S00600004844521B"), RecordProblem::None);
    EXPECT_EQ(CheckOsRecord("S00600004844521C"), RecordProblem::Checksum);
    EXPECT_EQ(CheckOsRecord("S1130000"), RecordProblem::Short);
    EXPECT_EQ(CheckOsRecord("S"), RecordProblem::Short);
    // A record is written to the port in one piece: 128 characters at most.
    std::string good = "S13B0000";
    unsigned sum = 0x3B;
    for (int i = 0; i < 0x38; ++i) good += "00";
    good += "C4";
    sum += 0xC4;
    ASSERT_EQ(sum & 0xFF, 0xFFu);
    ASSERT_EQ(good.size(), 122u);
    EXPECT_EQ(CheckOsRecord(good), RecordProblem::None);
    EXPECT_EQ(CheckOsRecord(good + "      "), RecordProblem::None);  // 128
    EXPECT_EQ(CheckOsRecord(good + "       "), RecordProblem::TooLong);
}

TEST(OsFileCheck, BlankLinesAreDroppedAndRecordsKeptInFileOrderExactlyAsStored) {
    const auto check = CheckOsText("S00600004844521B\r\n\r\nS10400000aFB  \n\n\rS9030000FC");
    ASSERT_TRUE(check.ok());
    EXPECT_EQ(check.records, (std::vector<std::string>{"S00600004844521B", "S10400000aFB  ", "S9030000FC"}));
    EXPECT_TRUE(CheckOsText("").ok());
    EXPECT_TRUE(CheckOsText("\r\n\n").records.empty());
}

TEST(OsFileCheck, TheFirstBadRecordIsNamedByItsLineInTheFile) {
    const auto checksum = CheckOsText("S00600004844521B\n\nS00600004844521C\nS1130000\n");
    EXPECT_FALSE(checksum.ok());
    EXPECT_EQ(checksum.problem, RecordProblem::Checksum);
    EXPECT_EQ(checksum.badLine, 3);  // blank lines count as lines of the file
    EXPECT_EQ(DescribeBadRecord(checksum), "Line 3: the record's checksum does not match its bytes.");

    const auto spaces = CheckOsText("S00600004844521B\r\n        \r\n");
    EXPECT_EQ(spaces.problem, RecordProblem::Checksum);
    EXPECT_EQ(spaces.badLine, 2);

    const auto last = CheckOsText("S00600004844521B\nS9030000F");
    EXPECT_EQ(last.problem, RecordProblem::Short);
    EXPECT_EQ(last.badLine, 2);
    EXPECT_EQ(DescribeBadRecord(last), "Line 2: the record is shorter than its byte count requires.");

    const auto binary = CheckOsText(std::string(300, '\x01'));
    EXPECT_EQ(binary.problem, RecordProblem::TooLong);
    EXPECT_NE(DescribeBadRecord(binary).find("128 characters"), std::string::npos);
}

TEST(OsFileCheck, AFileThatCannotBeReadSaysWhich) {
    OsFileCheck check;
    std::string error;
    const auto missing = std::filesystem::path(::testing::TempDir()) / "no_such_os_file.sr";
    EXPECT_FALSE(LoadOsFile(missing, check, error));
    EXPECT_NE(error.find("no_such_os_file.sr"), std::string::npos);

    const auto present = std::filesystem::path(::testing::TempDir()) / "os_file_test.sr";
    std::ofstream(present, std::ios::binary) << "S00600004844521B\r\nS9030000FC\r\n";
    ASSERT_TRUE(LoadOsFile(present, check, error));
    EXPECT_EQ(check.records.size(), 2u);
    std::filesystem::remove(present);
}

}  // namespace
}  // namespace instrument
