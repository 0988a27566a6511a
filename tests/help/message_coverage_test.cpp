// Every text the instrument link can put in a message box is explained in the help.

#include "help/help_topics.h"
#include "link/command_set.h"
#include "link/link_reconnect.h"
#include "link/os_upgrade.h"
#include "link/result_codes.h"

#include <QFile>
#include <QString>

#include <string_view>

#include <gtest/gtest.h>

namespace {

QString topicText(const QString& file) {
    QFile page(help::topicsRoot() + "/rfx410H/" + file);
    if (!page.open(QIODevice::ReadOnly)) return {};
    // The pages escape what HTML would misread; compare with the plain text.
    return QString::fromUtf8(page.readAll()).replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&");
}

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

TEST(HelpMessages, EveryResultTextIsExplained) {
    const QString page = topicText("initiating_messages.html");
    ASSERT_FALSE(page.isEmpty());
    for (int code = 0; code >= -13; --code)
        EXPECT_TRUE(page.contains(QString::fromStdString(instrument::CodeText(code)))) << code;
}

TEST(HelpMessages, EveryInstrumentErrorTextIsExplained) {
    const QString page = topicText("response_messages.html");
    ASSERT_FALSE(page.isEmpty());
    for (int number = 1; number <= 80; ++number)
        EXPECT_TRUE(page.contains(QString::fromStdString(instrument::InstrumentErrorText(number)))) << number;
}

TEST(HelpMessages, ReplyProblemsAreExplained) {
    const QString page = topicText("communication_messages.html");
    ASSERT_FALSE(page.isEmpty());
    for (const char* name : {"DUMP", "GCAL", "GCON", "GDTS", "GMOS", "CCCC", "GRLN", "GTIM", "GVAR", "GVER"})
        EXPECT_TRUE(page.contains(text(instrument::ShapeOf(name).sizeMessage))) << name;
    EXPECT_TRUE(page.contains(text(instrument::MalformedMessage)));
    EXPECT_TRUE(page.contains(text(instrument::UnknownReplyMessage)));
}

TEST(HelpMessages, EveryUpgradeMessageIsExplained) {
    const QString page = topicText("os_upgrade.html");
    ASSERT_FALSE(page.isEmpty());
    using namespace instrument::OsUpgradeText;
    for (const char* message : {FileMissing, ChecksumFailed, TimedOut, AckAfterLast, Succeeded, Failed, Unexpected,
                                NoRecords, Unreadable, NotConnected, WriteFailed, Disconnected})
        EXPECT_TRUE(page.contains(text(message))) << message;
}

TEST(HelpMessages, TheHintsOfALostConnectionAreExplained) {
    const QString page = topicText("connecting.html");
    EXPECT_TRUE(page.contains(text(instrument::DisconnectedHint("/dev/ttyUSB0"))));
    EXPECT_TRUE(page.contains(text(instrument::ReconnectedHint("/dev/ttyUSB0"))));
}

}  // namespace
