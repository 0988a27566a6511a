#include "dynaview/alarms/alarm_check.h"

#include "dynaview/datasets/dyn_data_set.h"

#include <cmath>

namespace dynaview {

namespace {

class ChannelCheck {
public:
    ChannelCheck(DynDataSet& set, int channel, const AlarmCall& call)
        : block_(set.alarm), channel_(channel), value_(set.current[static_cast<std::size_t>(channel)]),
          previousValue_(set.previous[static_cast<std::size_t>(channel)]), call_(call),
          state_(block_.currentState[static_cast<std::size_t>(channel)]) {}

    // false: stop, the data set has gone.
    bool run(bool linkFed) {
        std::uint8_t& previous = block_.previousState[static_cast<std::size_t>(channel_)];
        const std::uint8_t fail = AlarmBit(FailAlarm);
        if (linkFed) {
            if ((state_ & fail) && !(previous & fail)) {
                // Remembered as entered, so that the call is made once.
                previous |= fail;
                return call_(channel_, FailAlarm, value_, 1);
            }
            if ((previous & fail) && !(state_ & fail) && !call_(channel_, FailAlarm, value_, 0)) return false;
        }
        previous = state_;
        if (block_.isDefined(RateAlarm)) {
            const double rate = std::fabs(value_ - previousValue_);
            if (!step(RateAlarm, rate >= limit(RateAlarm), rate < limit(RateAlarm))) return false;
        }
        for (int kind : {HighAlarm, HighHighAlarm})
            if (block_.isDefined(kind) && !step(kind, value_ >= limit(kind), value_ < limit(kind) - block_.deadBandHighLow))
                return false;
        for (int kind : {LowAlarm, LowLowAlarm})
            if (block_.isDefined(kind) && !step(kind, value_ <= limit(kind), value_ > limit(kind) + block_.deadBandHighLow))
                return false;
        if (block_.isDefined(DeviationAlarm)) {
            const double deviation = std::fabs(value_ - block_.setpoint);
            if (!step(DeviationAlarm, deviation >= limit(DeviationAlarm), deviation < limit(DeviationAlarm) - block_.deadBandDeviation))
                return false;
        }
        return true;
    }

private:
    double limit(int kind) const { return block_.limit(kind).limit; }

    // Outside the alarm the channel enters it when `enter` holds; inside it, it leaves it
    // when `leave` holds. Each change is reported to the application.
    bool step(int kind, bool enter, bool leave) {
        const std::uint8_t bit = AlarmBit(kind);
        if (!(state_ & bit)) {
            if (!enter) return true;
            state_ |= bit;
            return call_(channel_, kind, value_, 1);
        }
        if (!leave) return true;
        state_ &= static_cast<std::uint8_t>(~bit);
        return call_(channel_, kind, value_, 0);
    }

    AlarmBlock& block_;
    int channel_;
    double value_;
    double previousValue_;
    const AlarmCall& call_;
    std::uint8_t& state_;
};

}  // namespace

void RunAlarmCheck(DynDataSet& set, const AlarmCall& call) {
    const bool linkFed = set.ddeLink != nullptr;
    for (int channel = 0; channel < set.channels; ++channel)
        if (!ChannelCheck(set, channel, call).run(linkFed)) return;
}

}  // namespace dynaview
