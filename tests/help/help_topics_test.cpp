// The help set compiled into the program: every way into it (context numbers, contents,
// index, links between topics) must lead to a topic that is there.

#include "help/help_topics.h"
#include "platform/qt/help_set.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::HelpSet;

const HelpSet& helpSet() {
    static const HelpSet set = HelpSet::load(help::topicsRoot() + "/rfx410H");
    return set;
}

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Empty when `topic` ("file.html#anchor", relative to the set) leads somewhere, else why not.
std::string brokenReason(const QString& topic) {
    const qsizetype hash = topic.indexOf(u'#');
    const QString path = helpSet().topicFilePath(topic);
    if (!QFile::exists(path)) return "no file " + path.toStdString();
    if (hash < 0) return {};
    const QString anchor = topic.mid(hash + 1);
    const QString page = readAll(path);
    if (page.contains("name=\"" + anchor + "\"") || page.contains("id=\"" + anchor + "\"")) return {};
    return "no anchor " + anchor.toStdString() + " in " + path.toStdString();
}

QStringList topicFiles() {
    return QDir(helpSet().directory()).entryList({"*.html"}, QDir::Files, QDir::Name);
}

TEST(HelpTopics, TheSetReadsWithoutErrors) {
    ASSERT_TRUE(helpSet().isLoaded());
    EXPECT_TRUE(helpSet().errors().isEmpty()) << helpSet().errors().join('\n').toStdString();
}

TEST(HelpTopics, EveryContextNumberTheProgramUsesOpensATopic) {
    const int used[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 20, 21,
                        22, 23, 24, 25, 26, 28, 30, 31, 32, 33, 34, 35, 36, 37, 38, 100, 200};
    for (int context : used) {
        const QString topic = helpSet().topicForContext(context);
        EXPECT_FALSE(topic.isEmpty()) << "context " << context << " is not mapped";
        if (!topic.isEmpty()) {
            EXPECT_EQ(brokenReason(topic), "") << "context " << context;
        }
    }
}

TEST(HelpTopics, EveryMapContentsAndIndexEntryLeadsToATopic) {
    for (const auto& [context, topic] : helpSet().contextMap())
        EXPECT_EQ(brokenReason(topic), "") << "map " << context;
    for (const auto& entry : helpSet().contents())
        if (!entry.topic.isEmpty()) {
            EXPECT_EQ(brokenReason(entry.topic), "") << entry.title.toStdString();
        }
    for (const auto& entry : helpSet().index())
        EXPECT_EQ(brokenReason(entry.topic), "") << entry.keyword.toStdString();
}

TEST(HelpTopics, KeywordsAppearOnce) {
    QSet<QString> seen;
    for (const auto& entry : helpSet().index()) {
        const QString keyword = entry.keyword.toLower();
        EXPECT_FALSE(seen.contains(keyword)) << "keyword twice: " << entry.keyword.toStdString();
        seen.insert(keyword);
    }
}

TEST(HelpTopics, EveryLinkInsideATopicResolves) {
    static const QRegularExpression reference(R"re((?:href|src)\s*=\s*"([^"]*)")re", QRegularExpression::CaseInsensitiveOption);
    int links = 0;
    for (const QString& file : topicFiles()) {
        const QString page = readAll(helpSet().directory() + '/' + file);
        for (auto match = reference.globalMatch(page); match.hasNext();) {
            const QString target = match.next().captured(1);
            if (target.startsWith("http:") || target.startsWith("https:") || target.startsWith("mailto:")) continue;
            ++links;
            EXPECT_EQ(brokenReason(target.startsWith('#') ? file + target : target), "") << "in " << file.toStdString();
        }
    }
    EXPECT_GT(links, 200);
}

TEST(HelpTopics, EveryTopicHasATitleAndIsInTheContents) {
    QSet<QString> listed;
    for (const auto& entry : helpSet().contents()) listed.insert(entry.topic.section('#', 0, 0));
    static const QRegularExpression title("<title>([^<]+)</title>");
    for (const QString& file : topicFiles()) {
        EXPECT_TRUE(title.match(readAll(helpSet().directory() + '/' + file)).hasMatch()) << file.toStdString();
        EXPECT_TRUE(listed.contains(file)) << file.toStdString() << " cannot be reached from the contents";
    }
}

// A topic added to the folder but not to the resource file would be missing at run time.
TEST(HelpTopics, TheResourceHoldsEveryFileOfTheSourceFolder) {
    const QString sourceRoot = qEnvironmentVariable("WAVIX_SOURCE_DIR");
    if (sourceRoot.isEmpty()) GTEST_SKIP() << "WAVIX_SOURCE_DIR is not set";
    const QDir source(sourceRoot + "/help/rfx410H");
    const QStringList files = source.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files)
        EXPECT_TRUE(QFile::exists(helpSet().directory() + '/' + file)) << file.toStdString() << " is not in rfx410H.qrc";
}

}  // namespace
