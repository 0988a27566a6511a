#include "link/chain_table.h"

namespace instrument {

bool LoadChain(TStateMach& machine, const std::vector<ChainRow>& rows) {
    const int count = static_cast<int>(rows.size());
    auto valid = [&](int target) { return target == NoTarget || (target >= 0 && target < count); };
    for (int i = 0; i < count; ++i) {
        const ChainRow& row = rows[static_cast<std::size_t>(i)];
        if (row.number != i || !valid(row.successNext) || !valid(row.failNext)) return false;
        for (int extra : row.alsoAllowed)
            if (!valid(extra) || extra == NoTarget) return false;
    }
    if (count > static_cast<int>(TStateMach::MaxStates)) return false;
    for (const ChainRow& row : rows) {
        StateSet allowed;
        if (row.successNext != NoTarget) allowed.set(static_cast<std::size_t>(row.successNext));
        if (row.failNext != NoTarget) allowed.set(static_cast<std::size_t>(row.failNext));
        for (int extra : row.alsoAllowed) allowed.set(static_cast<std::size_t>(extra));
        // A state without targets points at itself, which it is not allowed to enter.
        const auto self = static_cast<std::uint8_t>(row.number);
        const auto success = row.successNext == NoTarget ? self : static_cast<std::uint8_t>(row.successNext);
        const auto failure = row.failNext == NoTarget ? self : static_cast<std::uint8_t>(row.failNext);
        machine.AddState(row.name, allowed, row.action, row.timeoutMs, failure, success);
    }
    return true;
}

}  // namespace instrument
