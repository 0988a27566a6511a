#include "dynaview/feed/feed_publisher.h"

#include "dynaview/dde/link_server.h"
#include "dynaview/feed/mqtt_publisher.h"

namespace dynaview::feed {

namespace {

class BusPublisher : public Publisher {
public:
    explicit BusPublisher(const Options& options) : server_(options.service), topic_(options.topic) {}
    bool open(std::string* error) override { return server_.open(error); }
    void setText(const std::string& item, const std::string& text) override { server_.setText(topic_, item, text); }

private:
    LinkServer server_;
    std::string topic_;
};

}  // namespace

std::unique_ptr<Publisher> OpenPublisher(const Options& options) {
    if (options.service.rfind("mqtt://", 0) == 0) return OpenMqttPublisher(options);
    return std::make_unique<BusPublisher>(options);
}

}  // namespace dynaview::feed
