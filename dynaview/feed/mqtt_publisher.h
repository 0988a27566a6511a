#pragma once
// dynaview-feed's publisher on an MQTT broker: each item the retained topic "<topic>/<item>".

#include "dynaview/feed/feed_publisher.h"

#include <memory>
#include <set>

namespace dynaview::feed {

std::unique_ptr<Publisher> OpenMqttPublisher(const Options& options);

}  // namespace dynaview::feed
