#pragma once
// Where dynaview-feed publishes: the session bus (a LinkServer) or an MQTT broker.

#include "dynaview/feed/feed_options.h"

#include <memory>
#include <string>

namespace dynaview::feed {

class Publisher {
public:
    virtual ~Publisher() = default;
    virtual bool open(std::string* error) = 0;
    virtual void setText(const std::string& item, const std::string& text) = 0;
};

// The publisher of the options' service (a bus service or "mqtt://host[:port]").
std::unique_ptr<Publisher> OpenPublisher(const Options& options);

}  // namespace dynaview::feed
