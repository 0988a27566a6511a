#pragma once
// What every command chain shares: the request steps and the report of a request that could
// not be started, its error state, which says what failed, cancels the request still
// outstanding and lets the chain move on; and its end state, which gives the window back,
// sounds the end tone and drops the chain.

#include "link/busy_switches.h"
#include "link/chain_start.h"
#include "link/data_object.h"
#include "link/result_codes.h"
#include "link/state_machine.h"
#include "platform/platform.h"

#include <string>
#include <string_view>
#include <vector>

namespace instrument {

inline constexpr std::string_view RequestActiveMessage = "Another Command is currently being processed.";

// "ERROR: Initiating <name> command = <text of the code>", for a request that did not go out.
inline void ReportRefused(platform::Dialogs& dialogs, std::string_view name, std::int32_t code) {
    dialogs.message("ERROR: Initiating " + std::string(name) + " command = " + CodeText(code),
                    platform::MessageKind::Error);
}

// A state's request: the result is the request's return code, reported when it is not 0
// (a set command under `reportAs`, its name as the chain words it).
inline void GetCommandStep(TTDRdataObject& data, platform::Dialogs& dialogs, std::string_view name,
                           std::int32_t timeoutSecs, TCommandDone done, std::int32_t& result) {
    result = data.GetCommand(name, timeoutSecs, std::move(done));
    if (result != Success) ReportRefused(dialogs, name, result);
}

inline void SetCommandStep(TTDRdataObject& data, platform::Dialogs& dialogs, std::string_view text,
                           std::string_view reportAs, TCommandDone done, std::int32_t& result) {
    result = data.SetCommand(text, std::move(done));
    if (result != Success) ReportRefused(dialogs, reportAs, result);
}

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

// The end state of a chain that left the menus and controls alone: the tone, the normal
// cursor, the chain dropped.
inline void ChainEndStepKeepingWindow(TStateMach& machine, BusySwitches& window, platform::Tones& tones,
                                      std::int32_t& result) {
    tones.beep(10000, 50);
    window.SetHourglass(false);
    result = 0;
    machine.Stop();
}

}  // namespace instrument
