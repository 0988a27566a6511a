#include "link/dialogs/port_switch.h"

#include "platform/serial_port.h"

namespace instrument {

int BaudRateForIndex(int index) {
    switch (index) {
    case 1:
        return 19200;
    case 2:
        return 57600;
    default:
        return 9600;
    }
}

std::uint32_t PortSettleMs() { return platform::SerialPort::ticksToMs(3); }

SwitchOutcome SwitchPort(TTDRdataObject& link, platform::Platform& platform, const std::string& devicePath, int baud,
                         const std::function<void(const std::string& reason)>& showFailure) {
    // A request still waiting for its reply would never get one over a closed port.
    if (link.Busy()) link.CancelCommand();
    link.DetachPort();
    link.ClosePort();
    platform.clock.delay(PortSettleMs());
    for (;;) {
        if (link.OpenPortPath(devicePath, baud)) {
            link.AttachPort();
            return SwitchOutcome::Opened;
        }
        if (showFailure) showFailure(link.Driver().LastOpenError());
        if (platform.dialogs.ask(CommOpenErrorQuestion, platform::Question::YesNo) == platform::Answer::Yes)
            return SwitchOutcome::ChooseAgain;
    }
}

std::optional<OpenPort> CurrentPort(TTDRdataObject& link) {
    const platform::SerialPort* port = link.Driver().Port();
    if (!port || !port->isOpen()) return std::nullopt;
    return OpenPort{port->devicePath(), port->baud()};
}

bool ReopenPort(TTDRdataObject& link, const OpenPort& port) {
    if (!link.OpenPortPath(port.devicePath, port.baud)) return false;
    link.AttachPort();
    return true;
}

}  // namespace instrument
