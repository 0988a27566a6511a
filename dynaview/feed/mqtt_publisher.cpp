#include "dynaview/feed/mqtt_publisher.h"

#include "dynaview/dde/mqtt_transport.h"

#include <mosquitto.h>

#include <mutex>

namespace dynaview::feed {

namespace {

class MqttPublisher : public Publisher {
public:
    explicit MqttPublisher(const Options& options) : service_(options.service), topic_(options.topic) {}
    ~MqttPublisher() override {
        if (!client_) return;
        if (started_) {
            // Displays connecting later must not take the last texts for live ones.
            for (const std::string& item : published_) mosquitto_publish(client_, nullptr, (topic_ + "/" + item).c_str(), 0, nullptr, 1, true);
            mosquitto_disconnect(client_);
            mosquitto_loop_stop(client_, false);
        }
        mosquitto_destroy(client_);
    }

    bool open(std::string* error) override {
        static std::once_flag ready;
        std::call_once(ready, [] { mosquitto_lib_init(); });
        const auto address = link::ParseBrokerAddress(service_);
        if (!address) return fail(error, "\"" + service_ + "\" is not a broker (mqtt://HOST[:PORT])");
        client_ = mosquitto_new(nullptr, true, nullptr);
        if (!client_) return fail(error, "no MQTT client could be made");
        mosquitto_reconnect_delay_set(client_, 1, 2, false);
        const int rc = mosquitto_connect(client_, address->host.c_str(), address->port, 10);
        if (rc != MOSQ_ERR_SUCCESS) return fail(error, "no broker at " + service_ + " (" + mosquitto_strerror(rc) + ")");
        if (mosquitto_loop_start(client_) != MOSQ_ERR_SUCCESS) return fail(error, "the MQTT network thread did not start");
        started_ = true;
        return true;
    }

    void setText(const std::string& item, const std::string& text) override {
        if (!started_) return;
        published_.insert(item);
        // Retained: a display connecting later gets the last text at once.
        mosquitto_publish(client_, nullptr, (topic_ + "/" + item).c_str(), static_cast<int>(text.size()), text.data(), 0, true);
    }

private:
    static bool fail(std::string* error, const std::string& reason) {
        if (error) *error = reason;
        return false;
    }
    std::string service_;
    std::string topic_;
    mosquitto* client_ = nullptr;
    bool started_ = false;
    std::set<std::string> published_;
};

}  // namespace

std::unique_ptr<Publisher> OpenMqttPublisher(const Options& options) { return std::make_unique<MqttPublisher>(options); }

}  // namespace dynaview::feed
