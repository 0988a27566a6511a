#include "dynaview/dde/bus_transport.h"

#include "dynaview/dde/bus_protocol.h"
#include "dynaview/dde/link_text.h"
#include "platform/clock.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QProcess>
#include <QStringList>

#include <atomic>
#include <vector>

namespace dynaview::link {

namespace {

QString toQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// What a failed call means to the link.
int errorOf(const QDBusMessage& reply, int timeoutError) {
    const QString name = reply.errorName();
    if (name == QLatin1String(bus::NotProcessedError)) return NotProcessed;
    if (name == QLatin1String(bus::BusyError)) return Busy;
    switch (QDBusError(reply).type()) {
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut: return timeoutError;
    case QDBusError::ServiceUnknown:
    case QDBusError::NoServer:
    case QDBusError::Disconnected: return ServerDied;
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::InvalidArgs:
    case QDBusError::InvalidSignature: return NotProcessed;
    default: return SystemError;
    }
}

QDBusMessage callOf(const QString& destination, const char* method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(destination, QLatin1String(bus::ObjectPath), QLatin1String(bus::Interface),
                                                       QLatin1String(method));
    call.setArguments(arguments);
    call.setAutoStartService(false);
    return call;
}

}  // namespace

std::unique_ptr<BusTransport> BusTransport::open() {
    static std::atomic<int> opened{0};
    const QString name = QStringLiteral("dynaview-link-%1").arg(++opened);
    // The address as it is now (the bus library would keep the first one it saw for good).
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    QDBusConnection connection = address.isEmpty() ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)
                                                   : QDBusConnection::connectToBus(address, name);
    if (!connection.isConnected()) {
        QDBusConnection::disconnectFromBus(name);
        return nullptr;
    }
    return std::unique_ptr<BusTransport>(new BusTransport(connection, name));
}

BusTransport::BusTransport(const QDBusConnection& connection, QString name)
    : connection_(connection), connectionName_(std::move(name)) {
    watcher_.setConnection(connection_);
    watcher_.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    QObject::connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this, &BusTransport::onOwnerChanged);
    // Every server's Changed signal; onChanged keeps those of advised items.
    connection_.connect(QString(), QLatin1String(bus::ObjectPath), QLatin1String(bus::Interface), QLatin1String(bus::ChangedSignal), this,
                        SLOT(onChanged(QDBusMessage)));
}

BusTransport::~BusTransport() {
    std::vector<std::uintptr_t> handles;
    for (const auto& [handle, peer] : peers_) handles.push_back(handle);
    for (std::uintptr_t handle : handles) disconnect(handle);
    connection_.disconnect(QString(), QLatin1String(bus::ObjectPath), QLatin1String(bus::Interface), QLatin1String(bus::ChangedSignal), this,
                           SLOT(onChanged(QDBusMessage)));
    connection_ = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(connectionName_);
}

QString BusTransport::ownerOf(const QString& busName) {
    const QDBusReply<QString> owner = connection_.interface()->serviceOwner(busName);
    return owner.isValid() ? owner.value() : QString();
}

int BusTransport::connect(std::uintptr_t handle, const std::string& service, const std::string& topic) {
    const QString busName = toQString(BusNameForService(service));
    const QDBusMessage reply = connection_.call(callOf(busName, bus::ConnectMethod, {toQString(topic)}), QDBus::Block,
                                                static_cast<int>(TransactionTimeoutMs));
    if (reply.type() != QDBusMessage::ReplyMessage) return NoConversationEstablished;
    // Later calls go to the process that answered: a restarted server is another conversation.
    const QString owner = reply.service().isEmpty() ? ownerOf(busName) : reply.service();
    if (owner.isEmpty()) return NoConversationEstablished;
    peers_[handle] = Peer{busName, owner, toQString(topic), {}};
    if (!watcher_.watchedServices().contains(busName)) watcher_.addWatchedService(busName);
    return NoLinkError;
}

bool BusTransport::alive(std::uintptr_t handle) {
    auto peer = peers_.find(handle);
    return peer != peers_.end() && ownerOf(peer->second.busName) == peer->second.owner;
}

int BusTransport::request(std::uintptr_t handle, const std::string& item, std::uint32_t timeoutMs, std::string& text) {
    auto peer = peers_.find(handle);
    if (peer == peers_.end()) return NoConversationEstablished;
    const QDBusMessage reply = connection_.call(callOf(peer->second.owner, bus::RequestMethod, {peer->second.topic, toQString(item)}),
                                                QDBus::Block, static_cast<int>(timeoutMs));
    if (reply.type() != QDBusMessage::ReplyMessage) return errorOf(reply, DataAckTimeout);
    if (reply.arguments().isEmpty()) return NotProcessed;
    text = reply.arguments().constFirst().toString().toStdString();
    return NoLinkError;
}

int BusTransport::advise(std::uintptr_t handle, const std::string& item, std::uint32_t timeoutMs) {
    auto peer = peers_.find(handle);
    if (peer == peers_.end()) return NoConversationEstablished;
    const QString itemName = toQString(item);
    const QDBusMessage reply = connection_.call(callOf(peer->second.owner, bus::AdviseMethod, {peer->second.topic, itemName}),
                                                QDBus::Block, static_cast<int>(timeoutMs));
    if (reply.type() != QDBusMessage::ReplyMessage) return errorOf(reply, AdviseAckTimeout);
    peers_[handle].advised.insert(itemName);
    return NoLinkError;
}

void BusTransport::disconnect(std::uintptr_t handle) {
    auto peer = peers_.find(handle);
    if (peer == peers_.end()) return;
    const Peer ended = peer->second;
    peers_.erase(peer);
    for (const QString& item : ended.advised) {
        QDBusMessage call = callOf(ended.owner, bus::UnadviseMethod, {ended.topic, item});
        call.setAutoStartService(false);
        connection_.send(call);
    }
    for (const auto& [other, p] : peers_)
        if (p.busName == ended.busName) return;
    watcher_.removeWatchedService(ended.busName);
}

bool BusTransport::startServer(const std::string& commandLine) {
    QStringList words = QProcess::splitCommand(QString::fromLocal8Bit(commandLine.data(), static_cast<qsizetype>(commandLine.size())));
    if (words.isEmpty()) return false;
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words);
}

void BusTransport::waitForService(const std::string& service, std::uint32_t ms, platform::Clock& clock) {
    const QString busName = toQString(BusNameForService(service));
    const std::uint32_t start = clock.tickCount();
    while (ownerOf(busName).isEmpty()) {
        const std::uint32_t waited = clock.tickCount() - start;
        if (waited >= ms) return;
        clock.delay(std::min<std::uint32_t>(20, ms - waited));
    }
}

void BusTransport::onChanged(const QDBusMessage& message) {
    const QVariantList arguments = message.arguments();
    if (arguments.size() < 3 || !events_) return;
    const QString topic = arguments.at(0).toString();
    const QString item = arguments.at(1).toString();
    const std::string text = arguments.at(2).toString().toStdString();
    std::vector<std::uintptr_t> handles;
    for (const auto& [handle, peer] : peers_)
        if (peer.owner == message.service() && peer.topic == topic && peer.advised.count(item)) handles.push_back(handle);
    const std::string itemName = item.toStdString();
    for (std::uintptr_t handle : handles) {
        // The link may end conversations (or itself) while it handles one.
        if (!events_ || !peers_.count(handle)) continue;
        events_->adviseData(handle, itemName, text);
    }
}

void BusTransport::onOwnerChanged(const QString& name, const QString&, const QString& newOwner) {
    std::vector<std::uintptr_t> handles;
    for (const auto& [handle, peer] : peers_)
        if (peer.busName == name && peer.owner != newOwner) handles.push_back(handle);
    for (std::uintptr_t handle : handles) {
        if (!events_ || !peers_.count(handle)) continue;
        events_->disconnected(handle);
    }
}

std::unique_ptr<LinkTransport> OpenBusTransport() { return BusTransport::open(); }

}  // namespace dynaview::link
