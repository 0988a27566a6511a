#include "dynaview/dde/link_server.h"

#include "dynaview/dde/bus_protocol.h"
#include "dynaview/dde/link_text.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include <atomic>

namespace dynaview {

namespace {

std::string fromQString(const QString& text) { return text.toStdString(); }
QString toQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

LinkServer::LinkServer(std::string service, QObject* parent) : QDBusVirtualObject(parent), service_(std::move(service)) {}

LinkServer::~LinkServer() {
    if (connection_.isConnected()) {
        connection_.unregisterObject(QLatin1String(link::bus::ObjectPath));
        connection_.unregisterService(toQString(link::BusNameForService(service_)));
    }
    connection_ = QDBusConnection(QString());
    if (!connectionName_.isEmpty()) QDBusConnection::disconnectFromBus(connectionName_);
}

bool LinkServer::open(std::string* error, const std::string& address) {
    static std::atomic<int> opened{0};
    auto fail = [&](const std::string& reason) {
        if (error) *error = reason;
        return false;
    };
    if (open_) return true;
    connectionName_ = QStringLiteral("dynaview-link-server-%1").arg(++opened);
    // The address as it is now (the bus library would keep the first one it saw for good).
    const QString bus = address.empty() ? qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS") : toQString(address);
    connection_ = bus.isEmpty() ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_)
                                : QDBusConnection::connectToBus(bus, connectionName_);
    if (!connection_.isConnected())
        return fail("no session bus to publish on (" + fromQString(connection_.lastError().message()) + ")");
    const QString busName = toQString(link::BusNameForService(service_));
    if (!connection_.registerVirtualObject(QLatin1String(link::bus::ObjectPath), this, QDBusConnection::SingleNode))
        return fail("the link object cannot be registered");
    // Not queued: a second server of the same service is an error, not a stand-by.
    const auto reply = connection_.interface()->registerService(busName, QDBusConnectionInterface::DontQueueService,
                                                                QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        connection_.unregisterObject(QLatin1String(link::bus::ObjectPath));
        return fail("the service \"" + service_ + "\" (" + fromQString(busName) + ") is already published by another program");
    }
    open_ = true;
    return true;
}

void LinkServer::setText(const std::string& topic, const std::string& item, const std::string& text) {
    Item& entry = topics_[topic][item];
    entry.text = text;
    if (!open_ || entry.advisers.empty()) return;
    QDBusMessage changed = QDBusMessage::createSignal(QLatin1String(link::bus::ObjectPath), QLatin1String(link::bus::Interface),
                                                      QLatin1String(link::bus::ChangedSignal));
    changed << toQString(topic) << toQString(item) << toQString(text);
    connection_.send(changed);
}

bool LinkServer::advised(const std::string& topic, const std::string& item) const {
    auto t = topics_.find(topic);
    if (t == topics_.end()) return false;
    auto i = t->second.find(item);
    return i != t->second.end() && !i->second.advisers.empty();
}

QString LinkServer::introspect(const QString&) const {
    return QStringLiteral(
        "<interface name=\"org.dynaview.Link1\">"
        "<method name=\"Connect\"><arg name=\"topic\" type=\"s\" direction=\"in\"/></method>"
        "<method name=\"Request\"><arg name=\"topic\" type=\"s\" direction=\"in\"/><arg name=\"item\" type=\"s\" direction=\"in\"/>"
        "<arg name=\"text\" type=\"s\" direction=\"out\"/></method>"
        "<method name=\"Advise\"><arg name=\"topic\" type=\"s\" direction=\"in\"/><arg name=\"item\" type=\"s\" direction=\"in\"/></method>"
        "<method name=\"Unadvise\"><arg name=\"topic\" type=\"s\" direction=\"in\"/><arg name=\"item\" type=\"s\" direction=\"in\"/></method>"
        "<signal name=\"Changed\"><arg name=\"topic\" type=\"s\"/><arg name=\"item\" type=\"s\"/><arg name=\"text\" type=\"s\"/></signal>"
        "</interface>");
}

bool LinkServer::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (message.type() != QDBusMessage::MethodCallMessage || message.interface() != QLatin1String(link::bus::Interface)) return false;
    const QVariantList arguments = message.arguments();
    const QString method = message.member();
    auto answer = [&](const QDBusMessage& reply) {
        connection.send(reply);
        return true;
    };
    auto refuse = [&](const char* name, const QString& text) { return answer(message.createErrorReply(QLatin1String(name), text)); };
    if (arguments.isEmpty() || arguments.size() > 2) return false;
    for (const QVariant& argument : arguments)
        if (argument.metaType().id() != QMetaType::QString) return false;
    const std::string topic = fromQString(arguments.at(0).toString());
    auto t = topics_.find(topic);
    if (method == QLatin1String(link::bus::ConnectMethod) && arguments.size() == 1) {
        if (t == topics_.end()) return refuse(link::bus::NoTopicError, QStringLiteral("no topic \"%1\"").arg(arguments.at(0).toString()));
        return answer(message.createReply());
    }
    if (arguments.size() != 2) return false;
    const QString itemName = arguments.at(1).toString();
    Item* item = nullptr;
    if (t != topics_.end()) {
        auto i = t->second.find(fromQString(itemName));
        if (i != t->second.end()) item = &i->second;
    }
    const bool unadvise = method == QLatin1String(link::bus::UnadviseMethod);
    if (!item && !unadvise) return refuse(link::bus::NotProcessedError, QStringLiteral("no item \"%1\"").arg(itemName));
    if (method == QLatin1String(link::bus::RequestMethod)) return answer(message.createReply(toQString(item->text)));
    if (method == QLatin1String(link::bus::AdviseMethod)) {
        item->advisers.insert(message.service());
        return answer(message.createReply());
    }
    if (unadvise) {
        if (item) item->advisers.erase(message.service());
        return answer(message.createReply());
    }
    return false;
}

}  // namespace dynaview
