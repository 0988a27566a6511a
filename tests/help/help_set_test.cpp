// Reading the help set's tables: what a help author gets wrong must be reported with its
// line, and the lookups the viewer relies on must pick the right entries.

#include "platform/qt/help_set.h"
#include "platform/qt/qt_help.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/help/qstring_printer.h"

#include <gtest/gtest.h>

namespace {

using platform::HelpSet;

void writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

TEST(HelpSetTables, MapSkipsBadLinesAndNamesThem) {
    QStringList errors;
    const auto map = HelpSet::parseMap("# comment\r\n1 | a.html\r\n\r\nseven | b.html\n1 | c.html\n2 |\n", "map.txt", errors);
    ASSERT_EQ(map.size(), 1u);
    EXPECT_EQ(map.at(1), "a.html");
    ASSERT_EQ(errors.size(), 3);
    EXPECT_TRUE(errors[0].startsWith("map.txt line 4")) << errors[0].toStdString();
    EXPECT_TRUE(errors[1].contains("line 5") && errors[1].contains("twice"));
    EXPECT_TRUE(errors[2].contains("line 6"));
}

TEST(HelpSetTables, ContentsKeepsHeadingsAndDepthAndRefusesJumps) {
    QStringList errors;
    const auto entries = HelpSet::parseContents("Start | a.html\nBook\n  Page | b.html#x\n      Too deep | c.html\n   Odd | d.html\n",
                                                "contents.txt", errors);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[1].title, "Book");
    EXPECT_TRUE(entries[1].topic.isEmpty());
    EXPECT_EQ(entries[2].depth, 1);
    EXPECT_EQ(entries[2].topic, "b.html#x");
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].contains("line 4"));
    EXPECT_TRUE(errors[1].contains("line 5"));
}

TEST(HelpSetTables, IndexIsSortedIgnoringCaseAndKeepsBarsInKeywords) {
    QStringList errors;
    const auto index = HelpSet::parseIndex("beta | b.html\nAlpha | a.html\nx | y | c.html\nno topic\n", "index.txt", errors);
    ASSERT_EQ(index.size(), 3);
    EXPECT_EQ(index[0].keyword, "Alpha");
    EXPECT_EQ(index[1].keyword, "beta");
    EXPECT_EQ(index[2].keyword, "x | y");
    EXPECT_EQ(index[2].topic, "c.html");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("line 4"));
}

TEST(HelpSetLookups, PartialKeywordPrefersAPrefixThenAnyPart) {
    QTemporaryDir dir;
    writeFile(dir.filePath("map.txt"), "100 | a.html\n");
    writeFile(dir.filePath("contents.txt"), "");
    writeFile(dir.filePath("index.txt"), "Overlay visible | b.html\nCapture overlay | a.html\nOverlay | a.html\n");
    const HelpSet set = HelpSet::load(dir.path());
    ASSERT_TRUE(set.isLoaded());
    EXPECT_TRUE(set.errors().isEmpty()) << set.errors().join('\n').toStdString();
    EXPECT_EQ(set.firstIndexMatch("OVER"), 1);  // "Overlay", before "Overlay visible"
    EXPECT_EQ(set.firstIndexMatch("capt"), 0);
    EXPECT_EQ(set.firstIndexMatch("visible"), 2);  // found inside a keyword
    EXPECT_EQ(set.firstIndexMatch(""), 0);
    EXPECT_EQ(set.firstIndexMatch("zzz"), -1);
    EXPECT_EQ(set.topicForContext(100), "a.html");
    EXPECT_TRUE(set.topicForContext(5).isEmpty());
}

TEST(HelpSetLookups, TopicAddressesForResourcesAndFolders) {
    HelpSet resource = HelpSet::load(":/nowhere");
    EXPECT_FALSE(resource.isLoaded());
    EXPECT_FALSE(resource.errors().isEmpty());
    EXPECT_EQ(resource.topicUrl("a.html#part").toString(), "qrc:/nowhere/a.html#part");
    EXPECT_EQ(resource.topicFilePath("a.html#part"), ":/nowhere/a.html");
    const HelpSet folder = HelpSet::load("/tmp/x");
    EXPECT_EQ(folder.topicUrl("b.html"), QUrl::fromLocalFile("/tmp/x/b.html"));
}

TEST(HelpFileNames, BothSpellingsAndPathsNameTheSameSet) {
    using platform::QtHelp;
    EXPECT_EQ(QtHelp::helpSetName("rfx410H.hlp"), "rfx410H");
    EXPECT_EQ(QtHelp::helpSetName("rfx410H"), "rfx410H");
    EXPECT_EQ(QtHelp::helpSetName("rfx410H.HLP"), "rfx410H");
    EXPECT_EQ(QtHelp::helpSetName("C:\\WAVIX\\rfx410H.hlp"), "rfx410H");
    EXPECT_EQ(QtHelp::helpSetName("/opt/wavix/rfx410H.hlp"), "rfx410H");
}

}  // namespace
