#pragma once
// The two states every command chain ends with: its error state, which says what failed,
// cancels the request still outstanding and lets the chain move on; and its end state,
// which gives the window back, sounds the end tone and drops the chain.

#include "link/busy_switches.h"
#include "link/data_object.h"
#include "link/state_machine.h"
#include "platform/platform.h"

#include <string_view>

namespace instrument {

inline void ChainErrorStep(TStateMach& machine, TTDRdataObject& data, platform::Dialogs& dialogs,
                           std::string_view message, std::int32_t& result) {
    dialogs.message(message, platform::MessageKind::Error);
    result = 0;
    data.CommandDone("", 0);
    machine.ActionDone = true;
}

inline void ChainEndStep(TStateMach& machine, BusySwitches& window, platform::Tones& tones, std::int32_t& result) {
    tones.beep(10000, 50);
    window.EnableMenuItems(true);
    window.SetEnable(true);
    window.SetHourglass(false);
    result = 0;
    machine.Stop();
}

}  // namespace instrument
