#pragma once
// Serial devices over QSerialPort.

#include "platform/serial_device.h"

namespace platform {

class QtSerialDeviceFactory : public SerialDeviceFactory {
public:
    std::unique_ptr<SerialDevice> create() override;
};

}  // namespace platform
