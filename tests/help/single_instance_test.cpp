// One copy per user: the second copy learns it is second and the first is asked to come
// forward; a socket left by a crashed copy does not keep the program from starting.

#include "platform/qt/single_instance.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTest>
#include <QUuid>

#include "tests/help/qstring_printer.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace {

using platform::SingleInstance;
using Role = SingleInstance::Role;

QString uniqueKey() { return "wavix-test-" + QUuid::createUuid().toString(QUuid::Id128).left(12); }

// A socket file with nobody listening, as a copy that crashed leaves it.
bool leaveStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0) return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = path.toLocal8Bit();
    if (static_cast<std::size_t>(name.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound && QFileInfo::exists(path);
}

TEST(SingleInstance, TheSecondCopyAsksTheFirstToComeForward) {
    const QString key = uniqueKey();
    int activations = 0;
    SingleInstance first(key);
    ASSERT_EQ(first.claim([&] { ++activations; }), Role::First) << first.error().toStdString();

    SingleInstance second(key);
    int secondActivations = 0;
    EXPECT_EQ(second.claim([&] { ++secondActivations; }), Role::Second);
    QTRY_COMPARE_WITH_TIMEOUT(activations, 1, 5000);

    SingleInstance third(key);
    EXPECT_EQ(third.claim({}), Role::Second);
    QTRY_COMPARE_WITH_TIMEOUT(activations, 2, 5000);
    EXPECT_EQ(secondActivations, 0);
}

TEST(SingleInstance, ASocketLeftByACrashedCopyIsTakenOver) {
    const QString key = uniqueKey();
    ASSERT_TRUE(leaveStaleSocket(SingleInstance::serverNameFor(key)));
    int activations = 0;
    SingleInstance first(key);
    ASSERT_EQ(first.claim([&] { ++activations; }), Role::First) << first.error().toStdString();

    SingleInstance second(key);
    EXPECT_EQ(second.claim({}), Role::Second);
    QTRY_COMPARE_WITH_TIMEOUT(activations, 1, 5000);
}

TEST(SingleInstance, OnceTheFirstCopyEndsTheNextOneIsFirst) {
    const QString key = uniqueKey();
    {
        SingleInstance first(key);
        ASSERT_EQ(first.claim({}), Role::First);
    }
    EXPECT_FALSE(QFileInfo::exists(SingleInstance::serverNameFor(key)));
    SingleInstance next(key);
    EXPECT_EQ(next.claim({}), Role::First);
}

TEST(SingleInstance, ProgramsAndUsersDoNotMeet) {
    SingleInstance one(uniqueKey());
    SingleInstance other(uniqueKey());
    EXPECT_EQ(one.claim({}), Role::First);
    EXPECT_EQ(other.claim({}), Role::First);
    const QString name = SingleInstance::serverNameFor("wavix");
    EXPECT_TRUE(name.endsWith("/wavix-" + QString::number(::getuid()))) << name.toStdString();
    EXPECT_TRUE(SingleInstance::serverNameFor("a/b c").endsWith("/a_b_c-" + QString::number(::getuid())));
}

TEST(SingleInstance, OnlyTheActivateRequestActivates) {
    const QString key = uniqueKey();
    int activations = 0;
    SingleInstance first(key);
    ASSERT_EQ(first.claim([&] { ++activations; }), Role::First);

    QLocalSocket stranger;
    stranger.connectToServer(first.serverName());
    ASSERT_TRUE(stranger.waitForConnected(2000));
    stranger.write("hello\n");
    stranger.flush();
    QTRY_COMPARE_WITH_TIMEOUT(stranger.state(), QLocalSocket::UnconnectedState, 5000);

    QLocalSocket flood;
    flood.connectToServer(first.serverName());
    ASSERT_TRUE(flood.waitForConnected(2000));
    flood.write(QByteArray(1000, 'x'));
    flood.flush();
    QTRY_COMPARE_WITH_TIMEOUT(flood.state(), QLocalSocket::UnconnectedState, 5000);
    EXPECT_EQ(activations, 0);
}

}  // namespace
