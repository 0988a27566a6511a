#pragma once
// The PID loops of an environment, numbered 1 to 127 (a null slot is free), with the data
// sets each loop publishes to.

#include "dynaview/frame/rt_top.h"
#include "dynaview/pid/pid_loop.h"

#include <array>
#include <memory>

namespace dynaview {

struct PidSlot {
    PidLoop loop;
};

class PidTable : public FamilyState {
public:
    static PidTable& of(RTTop& top) { return top.familyState<PidTable>("pid"); }

    // The loop at a number 1..127, or null.
    PidSlot* at(int number) const {
        return number >= 1 && number <= MaxPidLoops ? slots_[static_cast<std::size_t>(number)].get() : nullptr;
    }
    // The first free number, 0 when all 127 are in use.
    int firstFree() const {
        for (int n = 1; n <= MaxPidLoops; ++n)
            if (!slots_[static_cast<std::size_t>(n)]) return n;
        return 0;
    }
    void put(int number, std::unique_ptr<PidSlot> slot) { slots_[static_cast<std::size_t>(number)] = std::move(slot); }
    std::unique_ptr<PidSlot> take(int number) { return std::move(slots_[static_cast<std::size_t>(number)]); }

private:
    std::array<std::unique_ptr<PidSlot>, MaxPidLoops + 1> slots_;  // slot 0 unused
};

inline bool ValidLoopNumber(int number) { return number >= 1 && number <= MaxPidLoops; }

}  // namespace dynaview
