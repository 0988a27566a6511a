#pragma once
// The demo's instrument panel beside the trends: a needle meter with a read-out and an arc
// meter on the tank's temperature, an annunciator with its alarm, and a message object
// that says whether the temperature loop runs in automatic or manual, from the mode bits
// the loop publishes in its output data set (bit 0: automatic, bit 1: manual).

#include "plotbase/environment.h"

namespace dynaview::demo {

class TankInstruments {
public:
    // Builds the panel as a graph over (left, top)-(right, bottom) of the page.
    TankInstruments(plotbase::Environment& env, int page, int temperatureSet, int loopOutputSet, double left, double top,
                    double right, double bottom);

    int graph() const { return graph_; }
    int meter() const { return meter_; }
    int arcMeter() const { return arc_; }
    int annunciator() const { return annunciator_; }
    int message() const { return message_; }

private:
    int graph_ = 0;
    int meter_ = 0;
    int arc_ = 0;
    int annunciator_ = 0;
    int message_ = 0;
};

}  // namespace dynaview::demo
