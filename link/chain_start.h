#pragma once
// Starting an operation's command chain: the chain rule, the window switched off while the
// chain runs, and the chain loaded and started at state 0.

#include "link/busy_switches.h"
#include "link/chain_table.h"
#include "link/state_machine.h"
#include "platform/dialogs.h"

#include <vector>

namespace instrument {

inline constexpr const char* ChainActiveMessage = "Another Command Currently Active!";
inline constexpr const char* ChainNotLoadedMessage =
    "Error: The command sequence could not be set up; nothing was sent to the RFX410.";

struct ChainStartOptions {
    bool hourglass = true;  // show the hourglass cursor while the chain runs
    // Menus and controls off until the end state. A modal dialog that runs a chain of its
    // own keeps the main window as it is: the dialog already stands in front of it.
    bool disableWindow = true;
};

// While the machine holds a chain, says "Another Command Currently Active!" and returns
// false. Otherwise loads the rows; a table that does not load (a fault of the program)
// is reported and leaves the window as it was. Then the menus and controls go off (unless
// the options keep them) and the chain starts; its end state turns them on again.
bool StartChain(TStateMach& machine, BusySwitches& window, platform::Dialogs& dialogs,
                const std::vector<ChainRow>& rows, ChainStartOptions options = {});

}  // namespace instrument
