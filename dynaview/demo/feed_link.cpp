#include "dynaview/demo/feed_link.h"

#include "dynaview/alarms/alarm_block.h"
#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/library.h"
#include "dynaview/frame/rt_top.h"
#include "dynaview/include/dynaview.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace dynaview::demo {

namespace {

bool failing(plotbase::Environment& env, int dataSet) {
    const RTTop* top = TopOf(env);
    const DynDataSet* set = top ? top->dataSets.at(dataSet) : nullptr;
    return set && (set->alarm.currentState[0] & AlarmBit(FailAlarm));
}

}  // namespace

bool FeedLink::connect(const FeedSpec& spec, std::vector<Source> sources, QString* error) {
    spec_ = spec;
    sources_ = std::move(sources);
    if (static_cast<std::size_t>(spec.items.size()) < sources_.size()) sources_.resize(static_cast<std::size_t>(spec.items.size()));
    for (std::size_t i = 0; i < sources_.size(); ++i) {
        const std::string service = spec.service.toStdString(), topic = spec.topic.toStdString(),
                          item = spec.items[static_cast<qsizetype>(i)].toStdString();
        if (!WRConnectDDE(sources_[i].dataSet, nullptr, service.c_str(), topic.c_str(), item.c_str(), 1)) {
            if (error) *error = QStringLiteral("no item %1 of %2 on %3").arg(spec.items[static_cast<qsizetype>(i)], spec.topic, spec.service);
            return false;
        }
    }
    return true;
}

QString FeedLink::tick(plotbase::Environment& env, int rows, int redrawEvery) {
    ++ticks_;
    QStringList parts;
    for (Source& s : sources_) {
        double current = 0.0, previous = 0.0;
        WRGetLastData(s.dataSet, &current, &previous);
        const bool lost = failing(env, s.dataSet);
        s.recent.push_back(lost ? std::numeric_limits<double>::quiet_NaN() : current);
        if (static_cast<int>(s.recent.size()) > rows) s.recent.erase(s.recent.begin());
        if (!lost) {
            lowest_ = samples_ == 0 ? current : std::min(lowest_, current);
            highest_ = samples_ == 0 ? current : std::max(highest_, current);
            ++samples_;
        }
        parts << (lost ? QStringLiteral("FAIL") : QString::number(current, 'f', 2));
        if (ticks_ % redrawEvery != 0) continue;
        std::vector<double>& values = *s.trendValues;
        std::fill(values.begin(), values.end(), std::numeric_limits<double>::quiet_NaN());
        std::copy(s.recent.begin(), s.recent.end(), values.end() - static_cast<std::ptrdiff_t>(s.recent.size()));
        plotbase::WGRedrawObject(env, s.graph, s.trend, 0);
    }
    return QStringLiteral("fed by %1 %2 %3: %4").arg(spec_.service, spec_.topic, spec_.items.join(QLatin1Char(' ')), parts.join(QStringLiteral("  ")));
}

TankProcess::Sample FeedLink::fed(plotbase::Environment& env, TankProcess::Sample simulated, bool& measured) const {
    measured = true;
    double* fields[2] = {&simulated.temperature, &simulated.level};
    for (std::size_t i = 0; i < sources_.size() && i < 2; ++i) {
        double current = 0.0, previous = 0.0;
        if (!WRGetLastData(sources_[i].dataSet, &current, &previous)) continue;
        *fields[i] = current;
        if (i == 0) measured = !failing(env, sources_[i].dataSet);
    }
    return simulated;
}

QString FeedLink::summary() const {
    return QStringLiteral("feed: %1 values from %2 to %3").arg(samples_).arg(lowest_, 0, 'f', 3).arg(highest_, 0, 'f', 3);
}

}  // namespace dynaview::demo
