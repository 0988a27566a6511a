#include "dynaview/alarms/alarm_block.h"

#include "dynaview/datasets/single_precision.h"

#include <cstring>

namespace dynaview {

std::string CutText(const char* text, std::size_t length) {
    if (!text) return {};
    return std::string(text, strnlen(text, length));
}

bool SetAlarm(AlarmBlock& block, int kind, double limit, const char* message) {
    if (kind < 0 || kind > AlarmKinds) return false;
    if (kind == NormalAlarm) {
        block.normalMessage = CutText(message, AlarmBlock::NormalLength);
        return true;
    }
    block.defined |= AlarmBit(kind);
    block.limit(kind).limit = ToSingle(limit);
    block.limit(kind).message = CutText(message, AlarmBlock::MessageLength);
    EnableAlarmCheck(block, true);
    return true;
}

bool RemoveAlarm(AlarmBlock& block, int kind) {
    if (kind < 1 || kind > AlarmKinds) return false;
    const auto keep = static_cast<std::uint8_t>(~AlarmBit(kind));
    block.defined &= keep;
    for (auto& state : block.currentState) state &= keep;
    for (auto& state : block.previousState) state &= keep;
    return true;
}

void EnableAlarmCheck(AlarmBlock& block, bool on) {
    if (block.checkOn == on) return;
    block.checkOn = on;
    if (on) {
        block.previousState.fill(0);
    } else {
        block.previousState = block.currentState;
        block.currentState.fill(0);
    }
}

int ShownAlarmKind(const AlarmBlock& block, int channel) {
    if (channel < 0 || channel >= static_cast<int>(block.currentState.size())) return NormalAlarm;
    const std::uint8_t state = block.currentState[static_cast<std::size_t>(channel)];
    for (int kind : {FailAlarm, HighHighAlarm, LowLowAlarm, HighAlarm, LowAlarm, RateAlarm, DeviationAlarm})
        if (state & AlarmBit(kind)) return kind;
    return NormalAlarm;
}

const std::string& AlarmMessage(const AlarmBlock& block, int kind) {
    if (kind < 1 || kind > AlarmKinds) return block.normalMessage;
    return block.limit(kind).message;
}

const char* AlarmKindName(int kind) {
    static constexpr const char* names[] = {"Normal", "High", "Low", "High-high", "Low-low", "Rate", "Deviation", "Fail"};
    return kind >= 0 && kind <= AlarmKinds ? names[kind] : "";
}

}  // namespace dynaview
