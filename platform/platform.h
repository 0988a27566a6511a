#pragma once
// The operating-system services the program uses, created once at start-up (production or
// test doubles) and handed down to everything that needs them.

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/numbers.h"
#include "platform/serial_device.h"
#include "platform/tones.h"

namespace platform {

struct Platform {
    Clock& clock;
    Tones& tones;
    Dialogs& dialogs;
    Help& help;
    const Numbers& numbers;
    SerialDeviceFactory& serialDevices;
};

}  // namespace platform
