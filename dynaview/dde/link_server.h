#pragma once
// The server side of the data link on the session bus: publishes a service's topics and
// items, answers Connect, Request, Advise and Unadvise, and sends Changed for each new
// text of an advised item. dynaview-feed is built on it; any Qt program can be a server
// with a few lines:
//
//   dynaview::LinkServer server("Tank");
//   if (!server.open(&error)) ...
//   server.setText("Plant", "Temp", "21.5");   // a new text, sent to whoever advised it
//
// Runs on the thread of the Qt application; answers while its event loop runs.

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QString>

#include <map>
#include <set>
#include <string>

namespace dynaview {

class LinkServer : public QDBusVirtualObject {
    Q_OBJECT
public:
    explicit LinkServer(std::string service, QObject* parent = nullptr);
    ~LinkServer() override;

    // Takes the service's bus name on its own connection to the session bus (or the bus at
    // `address` when given); false with the reason when there is no bus or the name is taken.
    bool open(std::string* error, const std::string& address = {});
    bool isOpen() const { return open_; }
    const std::string& service() const { return service_; }

    // Publishes an item (and its topic) with its text; an item already published gets the
    // new text, sent as Changed when a client advised it.
    void setText(const std::string& topic, const std::string& item, const std::string& text);
    // Whether a client advised the item.
    bool advised(const std::string& topic, const std::string& item) const;

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    struct Item {
        std::string text;
        std::set<QString> advisers;  // unique names of the clients
    };
    using Topic = std::map<std::string, Item>;

    std::string service_;
    QString connectionName_;
    QDBusConnection connection_{QString()};
    bool open_ = false;
    std::map<std::string, Topic> topics_;
};

}  // namespace dynaview
