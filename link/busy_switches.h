#pragma once
// What every command chain switches on its window: while it runs the window's controls
// and menus are off and the cursor shows an hourglass; its end state turns them back on.

namespace instrument {

class BusySwitches {
public:
    virtual ~BusySwitches() = default;
    virtual void SetEnable(bool on) = 0;
    virtual void EnableMenuItems(bool on) = 0;
    virtual void SetHourglass(bool on) = 0;
};

}  // namespace instrument
