#pragma once
// The data link over the session bus: a service is the well-known bus name
// BusNameForService(service); a conversation is a topic of the process owning that name
// when it was opened. The owner leaving the name (or dying) ends the conversation.

#include "dynaview/dde/link_transport.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>

#include <map>
#include <memory>
#include <set>

class QDBusMessage;

namespace dynaview::link {

class BusTransport : public QObject, public LinkTransport {
    Q_OBJECT
public:
    // A connection of its own to the session bus (DBUS_SESSION_BUS_ADDRESS); null if none.
    static std::unique_ptr<BusTransport> open();
    ~BusTransport() override;

    int connect(std::uintptr_t handle, const std::string& service, const std::string& topic) override;
    bool alive(std::uintptr_t handle) override;
    int request(std::uintptr_t handle, const std::string& item, std::uint32_t timeoutMs, std::string& text) override;
    int advise(std::uintptr_t handle, const std::string& item, std::uint32_t timeoutMs) override;
    void disconnect(std::uintptr_t handle) override;
    bool startServer(const std::string& commandLine) override;
    void waitForService(const std::string& service, std::uint32_t ms, platform::Clock& clock) override;

private slots:
    void onChanged(const QDBusMessage& message);
    void onOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);

private:
    explicit BusTransport(const QDBusConnection& connection, QString name);

    struct Peer {
        QString busName;
        QString owner;  // the unique name that answered Connect
        QString topic;
        std::set<QString> advised;
    };
    QString ownerOf(const QString& busName);

    QDBusConnection connection_;
    QString connectionName_;
    QDBusServiceWatcher watcher_;
    std::map<std::uintptr_t, Peer> peers_;
};

// The bus transport, or null when there is no session bus.
std::unique_ptr<LinkTransport> OpenBusTransport();

}  // namespace dynaview::link
