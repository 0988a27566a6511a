#pragma once
// Command chains written as tables, one row per state, in the order the states are
// numbered:
//
//   LoadChain(machine, {
//       //  #  name    action          limit ms  success  failure
//       {   0, "S_VP", setVp,           1000,    1,       7},
//       ...
//       {  14, "END",  end,            NoLimit, NoTarget, NoTarget},
//   });
//
// A state may go to its success and failure targets (and to the extra states a row
// lists); a state without targets (the end state) may go nowhere.

#include "link/state_machine.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace instrument {

inline constexpr int NoTarget = -1;

struct ChainRow {
    int number;  // must equal the row's position; checked when loading
    std::string name;
    TStateNode::Action action;
    std::uint32_t timeoutMs;
    int successNext;
    int failNext;
    std::vector<int> alsoAllowed = {};
};

// Adds the rows' states to an idle machine. Returns false (adding nothing) when a row's
// number is out of order or a target lies outside the table.
bool LoadChain(TStateMach& machine, const std::vector<ChainRow>& rows);

}  // namespace instrument
