#pragma once
// The demo's instrument panel beside the trends: a needle meter with a read-out and an arc
// meter on the tank's temperature, an annunciator with its alarm, and a message object
// that says what the heater does, driven by the binary word of a data set of its own
// (bit 0: heating, bit 1: idle).

#include "plotbase/environment.h"

namespace dynaview::demo {

class TankInstruments {
public:
    // Builds the panel as a graph over (left, top)-(right, bottom) of the page.
    TankInstruments(plotbase::Environment& env, int page, int temperatureSet, double left, double top, double right, double bottom);
    // The heater's state for the message object.
    void heater(bool on);

    int graph() const { return graph_; }
    int meter() const { return meter_; }
    int arcMeter() const { return arc_; }
    int annunciator() const { return annunciator_; }
    int message() const { return message_; }

private:
    int graph_ = 0;
    int modeSet_ = 0;
    int meter_ = 0;
    int arc_ = 0;
    int annunciator_ = 0;
    int message_ = 0;
};

}  // namespace dynaview::demo
