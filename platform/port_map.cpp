#include "platform/port_map.h"

namespace platform {

std::string PortMap::defaultDevicePath(int portNumber) {
    return "/dev/ttyS" + std::to_string(portNumber > 0 ? portNumber - 1 : 0);
}

std::string PortMap::devicePath(int portNumber) const {
    auto path = file_.readString(Section, keyFor(portNumber), "");
    return path.empty() ? defaultDevicePath(portNumber) : path;
}

bool PortMap::setDevicePath(int portNumber, const std::string& path) {
    return file_.writeString(Section, keyFor(portNumber), path);
}

}  // namespace platform
