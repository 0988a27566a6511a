#pragma once
// The services of an end-to-end test over a real pseudo-terminal: the production clock and
// serial ports, and recording doubles for what a person would see or hear.

#include "platform/doubles/recording_help.h"
#include "platform/doubles/recording_tones.h"
#include "platform/doubles/scripted_dialogs.h"
#include "platform/numbers.h"
#include "platform/platform.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_serial_device.h"

namespace testsupport {

struct RealTimePlatform {
    RealTimePlatform() = default;
    RealTimePlatform(const RealTimePlatform&) = delete;
    RealTimePlatform& operator=(const RealTimePlatform&) = delete;

    platform::QtClock clock;
    platform::RecordingTones tones;
    platform::ScriptedDialogs dialogs;
    platform::RecordingHelp help;
    const platform::Numbers numbers{'.'};
    platform::QtSerialDeviceFactory serial;
    platform::Platform services{clock, tones, dialogs, help, numbers, serial};
};

}  // namespace testsupport
