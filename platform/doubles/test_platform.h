#pragma once
// Every platform service as a test double, in one object: virtual time, recorded tones
// and help, scripted dialogs, a '.' decimal separator and an in-memory serial line.

#include "platform/doubles/memory_serial.h"
#include "platform/doubles/recording_help.h"
#include "platform/doubles/recording_tones.h"
#include "platform/doubles/scripted_dialogs.h"
#include "platform/platform.h"
#include "platform/virtual_clock.h"

namespace platform {

struct TestPlatform {
    explicit TestPlatform(std::uint32_t startTick = 0, char decimalSeparator = '.')
        : clock(startTick), numbers(decimalSeparator), serial(clock) {}

    VirtualClock clock;
    RecordingTones tones;
    ScriptedDialogs dialogs;
    RecordingHelp help;
    Numbers numbers;
    MemorySerialLine serial;

    Platform platform() { return Platform{clock, tones, dialogs, help, numbers, serial}; }
};

}  // namespace platform
