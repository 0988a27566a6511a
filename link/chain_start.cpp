#include "link/chain_start.h"

namespace instrument {

bool StartChain(TStateMach& machine, BusySwitches& window, platform::Dialogs& dialogs,
                const std::vector<ChainRow>& rows, ChainStartOptions options) {
    if (!machine.IsIdle()) {
        dialogs.message(ChainActiveMessage);
        return false;
    }
    // Loaded before the window is switched off: a table that does not load must not
    // leave it disabled with no end state to turn it on again.
    if (!LoadChain(machine, rows)) {
        dialogs.message(ChainNotLoadedMessage, platform::MessageKind::Error);
        return false;
    }
    if (options.disableWindow) {
        window.EnableMenuItems(false);
        window.SetEnable(false);
    }
    if (options.hourglass) window.SetHourglass(true);
    machine.Start(0);
    return true;
}

}  // namespace instrument
