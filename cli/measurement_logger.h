#pragma once
// wavix-cli measure: one measurement, or one every so many seconds, each printed or
// appended to a file as it is made. A failed measurement gives a row with its error and the
// run goes on; when the instrument stops answering the port is opened afresh before the
// next try; SIGINT and SIGTERM end the run between two rows.

#include "cli/cli_options.h"
#include "cli/console_services.h"

#include "link/data_object.h"
#include "platform/platform.h"

#include <filesystem>
#include <string>

namespace platform {
class PortMap;
}

namespace cli {

struct PortChoice {
    std::string devicePath;  // when given, instead of the COM port
    int comPort = 1;
    int baud = 57600;
    std::string Describe() const { return devicePath.empty() ? "COM " + std::to_string(comPort) : devicePath; }
};

bool OpenChosenPort(instrument::TTDRdataObject& data, const PortChoice& port);

int RunMeasurements(const Options& options, platform::Platform& services, ConsoleDialogs& dialogs,
                    const platform::PortMap& ports, const PortChoice& port, const std::filesystem::path& directory);

}  // namespace cli
