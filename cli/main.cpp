// wavix-cli: the instrument link without windows. One command with its decoded reply, or
// the program's own measurements (water content, bulk EC, waveforms), once or logged at
// intervals.

#include "cli/cli_options.h"
#include "cli/console_services.h"
#include "cli/measurement_logger.h"
#include "cli/reply_report.h"

#include "link/data_object.h"
#include "link/dialogs/port_switch.h"
#include "platform/port_map.h"
#include "platform/profile_file.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_serial_device.h"
#include "platform/qt/system_numbers.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <filesystem>
#include <iostream>

namespace {

int RunCommand(const cli::Options& options, platform::Platform& services, const platform::PortMap& ports,
               const cli::PortChoice& port) {
    instrument::TTDRdataObject data(services, &ports);
    if (!cli::OpenChosenPort(data, port)) {
        std::cerr << "wavix-cli: " << data.Driver().LastOpenError() << "\n";
        return cli::ExitPortError;
    }
    if (options.log) {
        data.Driver().SetLowLevelLogging(true);
        data.Driver().SetLogging(true);
    }

    QEventLoop loop;
    std::int32_t outcome = 0;
    auto done = [&](std::int32_t code) {
        outcome = code;
        loop.quit();
    };
    const std::string name = options.command.substr(0, 4);
    const std::int32_t started =
        options.action == cli::Options::Action::Get
            ? data.GetCommand(options.command, options.timeoutSecs.value_or(cli::DefaultTimeout(name)), done)
            : data.SetCommand(options.command, done);
    if (started != instrument::Success) {
        std::cerr << "ERROR: Initiating " << name << " command = " << instrument::CodeText(started) << "\n";
        return cli::ExitRefused;
    }
    loop.exec();
    data.ClosePort();

    // A failed reply has already been reported on standard error by the data object.
    if (outcome < 0) return cli::ExitReplyFailed;
    if (outcome > 0) return cli::ExitInstrumentError;
    std::cout << cli::FormatReply(data, options.command, options.format);
    return cli::ExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << cli::UsageText();
        return cli::ExitOk;
    }
    std::string error;
    const auto options = cli::ParseOptions(args, error);
    if (!options) {
        std::cerr << "wavix-cli: " << error << "\n\n" << cli::UsageText();
        return cli::ExitUsage;
    }

    platform::QtClock clock;
    cli::SilentTones tones;
    cli::ConsoleDialogs dialogs;
    cli::NoHelp help;
    const platform::Numbers numbers = platform::systemNumbers();
    platform::QtSerialDeviceFactory serial;
    platform::Platform services{clock, tones, dialogs, help, numbers, serial};
    const std::filesystem::path directory = std::filesystem::current_path();
    const platform::ProfileFile settingsFile(directory / "RFX410.INI");
    const platform::PortMap ports{platform::ProfileFile(directory / "RFX410.INI")};

    // The port and speed WAVIX would use, unless the command line names others.
    cli::PortChoice port;
    port.devicePath = options->devicePath;
    port.comPort = options->comPort != 0 ? options->comPort : settingsFile.readInteger("Settings", "CommPt", 0) + 1;
    port.baud = options->baud ? *options->baud
                              : instrument::BaudRateForIndex(settingsFile.readInteger("Settings", "BaudRt", 2));

    if (options->action == cli::Options::Action::Measure)
        return cli::RunMeasurements(*options, services, dialogs, ports, port, directory);
    return RunCommand(*options, services, ports, port);
}
