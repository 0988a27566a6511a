#pragma once
// dynaview-demo fed through the data link (--feed SERVICE TOPIC ITEM [ITEM]): the tank's
// temperature (and, with a second item, its level) come from a server such as
// dynaview-feed instead of the simulation, and the fed temperature is the process value
// the PID loop reads. The link writes the values into the data sets
// and redraws their objects; the trend of the last minute is kept here, since link-fed
// data sets keep no history.

#include "dynaview/demo/tank_process.h"
#include "plotbase/plotbase.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace dynaview::demo {

struct FeedSpec {
    QString service;
    QString topic;
    QStringList items;  // the temperature's, then optionally the level's
};

class FeedLink {
public:
    struct Source {
        int dataSet = 0;
        int graph = 0;
        int trend = 0;
        plotbase::DoubleBlock trendValues;
        std::vector<double> recent;  // the last minute, oldest first
    };

    // Ties the data sets to the items; the reason when the link refused.
    bool connect(const FeedSpec& spec, std::vector<Source> sources, QString* error);
    // One tick (10 Hz): the values into the trend (redrawn every `redrawEvery` ticks); the
    // text for the status line.
    QString tick(plotbase::Environment& env, int rows, int redrawEvery);
    bool feeds(int dataSet) const {
        for (const Source& s : sources_)
            if (s.dataSet == dataSet) return true;
        return false;
    }
    // The sample with the fed values in place of the simulated ones. `measured` is false
    // while the temperature's item is in Fail; the sample then keeps its last value.
    TankProcess::Sample fed(plotbase::Environment& env, TankProcess::Sample simulated, bool& measured) const;
    // What was seen, for the demo's report at its end: how many values and their range.
    QString summary() const;

private:
    FeedSpec spec_;
    std::vector<Source> sources_;
    long ticks_ = 0;
    long samples_ = 0;
    double lowest_ = 0.0, highest_ = 0.0;
};

}  // namespace dynaview::demo
