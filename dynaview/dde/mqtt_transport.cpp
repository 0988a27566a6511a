#include "dynaview/dde/mqtt_transport.h"

#include "platform/clock.h"

#include <QMetaObject>
#include <QProcess>

#include <mosquitto.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace dynaview::link {

std::optional<BrokerAddress> ParseBrokerAddress(const std::string& service) {
    static const std::string scheme = "mqtt://";
    if (service.rfind(scheme, 0) != 0) return std::nullopt;
    std::string rest = service.substr(scheme.size());
    if (!rest.empty() && rest.back() == '/') rest.pop_back();
    BrokerAddress address;
    std::string port;
    if (!rest.empty() && rest.front() == '[') {  // [v6 address]:port
        const std::size_t close = rest.find(']');
        if (close == std::string::npos) return std::nullopt;
        if (close + 1 < rest.size()) {
            if (rest[close + 1] != ':') return std::nullopt;
            port = rest.substr(close + 2);
            if (port.empty()) return std::nullopt;
        }
        rest = rest.substr(1, close - 1);
    } else if (const std::size_t colon = rest.find(':'); colon != std::string::npos) {
        port = rest.substr(colon + 1);
        rest = rest.substr(0, colon);
        if (port.empty()) return std::nullopt;
    }
    if (!port.empty()) {
        if (port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
        address.port = std::stoi(port);
        if (address.port < 1 || address.port > 65535) return std::nullopt;
    }
    if (rest.empty() || rest.find_first_of("/ \t") != std::string::npos) return std::nullopt;
    address.host = rest;
    return address;
}

// What one broker's network thread and the application's thread share.
struct MqttTransport::Broker {
    MqttTransport* owner = nullptr;
    mosquitto* client = nullptr;
    std::mutex mutex;
    std::condition_variable changed;
    bool connected = false;
    bool lost = false;  // told to the link as lost, not yet as back
    std::uint64_t sequence = 0;
    // Subscribed MQTT topics: the last message and its sequence number (0: none yet).
    std::map<std::string, std::pair<std::string, std::uint64_t>> last;
};

namespace {

std::once_flag libraryReady;

bool validPart(const std::string& part) { return !part.empty() && part.find_first_of("+#") == std::string::npos && part.find('\0') == std::string::npos; }

}  // namespace

MqttTransport::MqttTransport() { std::call_once(libraryReady, [] { mosquitto_lib_init(); }); }

MqttTransport::~MqttTransport() {
    for (auto& [name, broker] : brokers_) {
        mosquitto_disconnect(broker->client);
        mosquitto_loop_stop(broker->client, false);
        mosquitto_destroy(broker->client);
    }
}

void MqttTransport::messageArrived(Broker* broker, const std::string& topic, const std::string& text, std::uint64_t sequence) {
    std::vector<std::pair<std::uintptr_t, std::string>> targets;
    for (auto& [handle, c] : conversations_) {
        if (c.broker != broker || topic.rfind(c.topic + "/", 0) != 0) continue;
        const std::string item = topic.substr(c.topic.size() + 1);
        auto advised = c.advised.find(item);
        if (advised == c.advised.end() || sequence <= advised->second) continue;
        advised->second = sequence;
        targets.emplace_back(handle, item);
    }
    for (const auto& [handle, item] : targets)
        if (events_ && conversations_.count(handle)) events_->adviseData(handle, item, text);
}

void MqttTransport::connectionChanged(Broker* broker, bool connected) {
    std::vector<std::uintptr_t> handles;
    for (const auto& [handle, c] : conversations_)
        if (c.broker == broker) handles.push_back(handle);
    for (std::uintptr_t handle : handles) {
        if (!events_ || !conversations_.count(handle)) continue;
        if (connected) events_->reconnected(handle);
        else events_->disconnected(handle);
    }
}

int MqttTransport::connect(std::uintptr_t handle, const std::string& service, const std::string& topic) {
    const std::optional<BrokerAddress> address = ParseBrokerAddress(service);
    if (!address) return InvalidParameter;
    if (!validPart(topic)) return InvalidParameter;
    const std::string key = address->host + ":" + std::to_string(address->port);
    auto found = brokers_.find(key);
    Broker* broker = found == brokers_.end() ? nullptr : found->second.get();
    if (!broker) {
        auto made = std::make_unique<Broker>();
        made->owner = this;
        made->client = mosquitto_new(nullptr, true, made.get());
        if (!made->client) return MemoryError;
        mosquitto_connect_callback_set(made->client, [](mosquitto* client, void* data, int rc) {
            auto* b = static_cast<Broker*>(data);
            std::vector<std::string> topics;
            bool wasLost = false;
            {
                std::lock_guard lock(b->mutex);
                b->connected = rc == 0;
                if (b->connected) {
                    wasLost = b->lost;
                    b->lost = false;
                    for (const auto& [t, last] : b->last) topics.push_back(t);
                }
            }
            b->changed.notify_all();
            // A clean session forgets the subscriptions: take them again (retained messages follow).
            for (const std::string& t : topics) mosquitto_subscribe(client, nullptr, t.c_str(), 0);
            if (wasLost)
                QMetaObject::invokeMethod(&b->owner->context_, [b] { b->owner->connectionChanged(b, true); }, Qt::QueuedConnection);
        });
        mosquitto_disconnect_callback_set(made->client, [](mosquitto*, void* data, int rc) {
            auto* b = static_cast<Broker*>(data);
            bool tell = false;
            {
                std::lock_guard lock(b->mutex);
                b->connected = false;
                tell = rc != 0 && !b->lost;
                if (tell) b->lost = true;
            }
            b->changed.notify_all();
            if (tell) QMetaObject::invokeMethod(&b->owner->context_, [b] { b->owner->connectionChanged(b, false); }, Qt::QueuedConnection);
        });
        mosquitto_message_callback_set(made->client, [](mosquitto*, void* data, const mosquitto_message* message) {
            auto* b = static_cast<Broker*>(data);
            if (!message || !message->topic) return;
            const std::string topic = message->topic;
            const std::string text(static_cast<const char*>(message->payload), message->payload ? static_cast<std::size_t>(message->payloadlen) : 0);
            std::uint64_t sequence = 0;
            {
                std::lock_guard lock(b->mutex);
                auto subscribed = b->last.find(topic);
                if (subscribed == b->last.end()) return;
                sequence = ++b->sequence;
                subscribed->second = {text, sequence};
            }
            b->changed.notify_all();
            QMetaObject::invokeMethod(&b->owner->context_, [b, topic, text, sequence] { b->owner->messageArrived(b, topic, text, sequence); },
                                      Qt::QueuedConnection);
        });
        mosquitto_reconnect_delay_set(made->client, 1, 2, false);
        if (mosquitto_connect(made->client, address->host.c_str(), address->port, 10) != MOSQ_ERR_SUCCESS) {
            mosquitto_destroy(made->client);
            return NoConversationEstablished;
        }
        if (mosquitto_loop_start(made->client) != MOSQ_ERR_SUCCESS) {
            mosquitto_destroy(made->client);
            return SystemError;
        }
        broker = made.get();
        brokers_[key] = std::move(made);
    }
    std::unique_lock lock(broker->mutex);
    if (!broker->changed.wait_for(lock, std::chrono::milliseconds(TransactionTimeoutMs), [&] { return broker->connected; }))
        return NoConversationEstablished;
    lock.unlock();
    conversations_[handle] = Conversation{broker, topic, {}, {}};
    return NoLinkError;
}

bool MqttTransport::alive(std::uintptr_t handle) {
    auto c = conversations_.find(handle);
    if (c == conversations_.end()) return false;
    std::lock_guard lock(c->second.broker->mutex);
    return c->second.broker->connected;
}

int MqttTransport::request(std::uintptr_t handle, const std::string& item, std::uint32_t timeoutMs, std::string& text) {
    auto c = conversations_.find(handle);
    if (c == conversations_.end()) return NoConversationEstablished;
    if (!validPart(item)) return NotProcessed;
    Broker* broker = c->second.broker;
    const std::string topic = c->second.topic + "/" + item;
    std::unique_lock lock(broker->mutex);
    if (!broker->last.count(topic)) {
        broker->last[topic] = {std::string(), 0};
        lock.unlock();
        if (mosquitto_subscribe(broker->client, nullptr, topic.c_str(), 0) != MOSQ_ERR_SUCCESS) {
            lock.lock();
            broker->last.erase(topic);
            return ServerDied;
        }
        lock.lock();
    }
    const bool arrived = broker->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        auto last = broker->last.find(topic);
        return !broker->connected || (last != broker->last.end() && last->second.second != 0);
    });
    auto last = broker->last.find(topic);
    if (last == broker->last.end() || last->second.second == 0) {
        // Nothing to read: the subscription goes again unless an advised item holds it.
        bool held = false;
        for (const auto& [other, o] : conversations_)
            if (o.broker == broker && o.topic == c->second.topic && o.advised.count(item)) held = true;
        if (!held) {
            broker->last.erase(topic);
            lock.unlock();
            mosquitto_unsubscribe(broker->client, nullptr, topic.c_str());
        }
        return arrived ? ServerDied : DataAckTimeout;
    }
    text = last->second.first;
    c->second.read[item] = last->second.second;
    return NoLinkError;
}

int MqttTransport::advise(std::uintptr_t handle, const std::string& item, std::uint32_t) {
    auto c = conversations_.find(handle);
    if (c == conversations_.end()) return NoConversationEstablished;
    // Messages up to the one the request read are already in the channels; any later one
    // (even if it came before this call) is an advise.
    auto read = c->second.read.find(item);
    c->second.advised[item] = read == c->second.read.end() ? 0 : read->second;
    return NoLinkError;
}

void MqttTransport::disconnect(std::uintptr_t handle) {
    auto c = conversations_.find(handle);
    if (c == conversations_.end()) return;
    const Conversation ended = c->second;
    conversations_.erase(c);
    for (const auto& [item, seen] : ended.advised) {
        const std::string topic = ended.topic + "/" + item;
        bool used = false;
        for (const auto& [other, o] : conversations_)
            if (o.broker == ended.broker && o.topic == ended.topic && o.advised.count(item)) used = true;
        if (used) continue;
        {
            std::lock_guard lock(ended.broker->mutex);
            ended.broker->last.erase(topic);
        }
        mosquitto_unsubscribe(ended.broker->client, nullptr, topic.c_str());
    }
}

bool MqttTransport::startServer(const std::string& commandLine) {
    QStringList words = QProcess::splitCommand(QString::fromLocal8Bit(commandLine.data(), static_cast<qsizetype>(commandLine.size())));
    if (words.isEmpty()) return false;
    const QString program = words.takeFirst();
    return QProcess::startDetached(program, words);
}

void MqttTransport::waitForService(const std::string&, std::uint32_t ms, platform::Clock& clock) {
    // A broker cannot be asked whether a publisher is there: the whole wait.
    clock.delay(std::min<std::uint32_t>(ms, 500));
}

std::unique_ptr<LinkTransport> OpenBrokerTransport() { return std::make_unique<MqttTransport>(); }

}  // namespace dynaview::link
