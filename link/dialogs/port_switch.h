#pragma once
// Moving the instrument link to another serial port, as the communication settings ask:
// the line choices by list index, and the close / settle / open / retry sequence. No
// widgets: the dialog binds it to its controls, tests drive it with the platform doubles.

#include "link/data_object.h"

#include "platform/platform.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace instrument {

inline constexpr int PortCount = 4;  // COM 1 .. COM 4
inline constexpr const char* CommOpenErrorQuestion = "Comm Open Error, confirm valid comm port selection! Exit now?";

// Baud rate for an index of the baud list: 1 -> 19200, 2 -> 57600, anything else 9600.
int BaudRateForIndex(int index);
// COM port number for an index of the port list (0 -> COM 1).
constexpr int PortNumberForIndex(int index) { return index + 1; }

// A closed port is given this long to settle before the next open: three clock ticks of
// 1/18.2 s, waited with events still processed.
std::uint32_t PortSettleMs();

enum class SwitchOutcome { Opened, ChooseAgain };

// Detaches and closes the link's port, waits PortSettleMs(), and opens devicePath at baud,
// attaching the link on success. When the open fails, showFailure gets the reason (naming
// the device) and the user is asked CommOpenErrorQuestion: Yes gives ChooseAgain (the
// port stays closed), No tries the same open again at once.
SwitchOutcome SwitchPort(TTDRdataObject& link, platform::Platform& platform, const std::string& devicePath, int baud,
                         const std::function<void(const std::string& reason)>& showFailure);

// The port the link has open now, if any.
struct OpenPort {
    std::string devicePath;
    int baud = 0;
};
std::optional<OpenPort> CurrentPort(TTDRdataObject& link);

// Opens a port again (after a switch that was given up) and attaches the link; false
// (with the reason in link.Driver().LastOpenError()) when it cannot be opened.
bool ReopenPort(TTDRdataObject& link, const OpenPort& port);

}  // namespace instrument
