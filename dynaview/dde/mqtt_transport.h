#pragma once
// The data link through an MQTT broker: the service "mqtt://host[:port]" (port 1883 by
// default) is the broker, an item of a topic the MQTT topic "<topic>/<item>". The retained
// message (or else the first message) is the item's first text, every later message an
// advise. A lost broker connection fails the channels; the client reconnects by itself,
// subscribes again, and the reconnection clears the Fail.
//
// libmosquitto runs each broker's network loop on a thread of its own; what arrives there
// is handed to the thread of the Qt application, where the link runs.

#include "dynaview/dde/link_transport.h"

#include <QObject>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace dynaview::link {

// host and port of "mqtt://host[:port]"; nothing for any other text.
struct BrokerAddress {
    std::string host;
    int port = 1883;
};
std::optional<BrokerAddress> ParseBrokerAddress(const std::string& service);

class MqttTransport : public LinkTransport {
public:
    MqttTransport();
    ~MqttTransport() override;

    int connect(std::uintptr_t handle, const std::string& service, const std::string& topic) override;
    bool alive(std::uintptr_t handle) override;
    int request(std::uintptr_t handle, const std::string& item, std::uint32_t timeoutMs, std::string& text) override;
    int advise(std::uintptr_t handle, const std::string& item, std::uint32_t timeoutMs) override;
    void disconnect(std::uintptr_t handle) override;
    bool startServer(const std::string& commandLine) override;
    void waitForService(const std::string& service, std::uint32_t ms, platform::Clock& clock) override;
    bool reconnectsByItself() const override { return true; }

    struct Broker;

private:
    struct Conversation {
        Broker* broker = nullptr;
        std::string topic;
        std::map<std::string, std::uint64_t> advised;  // item: the last message it had already seen
        std::map<std::string, std::uint64_t> read;     // item: the message its request read
    };
    void messageArrived(Broker* broker, const std::string& topic, const std::string& text, std::uint64_t sequence);
    void connectionChanged(Broker* broker, bool connected);

    QObject context_;  // queued calls from the network threads run while it exists
    std::map<std::string, std::unique_ptr<Broker>> brokers_;
    std::map<std::uintptr_t, Conversation> conversations_;
};

std::unique_ptr<LinkTransport> OpenBrokerTransport();

}  // namespace dynaview::link
