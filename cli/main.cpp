// wavix-cli: one command to the RFX410 through the program's own instrument link, with
// the decoded reply printed.

#include "cli/cli_options.h"
#include "cli/console_services.h"
#include "cli/reply_report.h"

#include "link/data_object.h"
#include "platform/port_map.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_serial_device.h"
#include "platform/qt/system_numbers.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <filesystem>
#include <iostream>

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
    const platform::PortMap ports{platform::ProfileFile(std::filesystem::current_path() / "RFX410.INI")};

    instrument::TTDRdataObject data(services, &ports);
    const bool opened = options->devicePath.empty() ? data.OpenPort(options->comPort, options->baud)
                                                    : data.OpenPortPath(options->devicePath, options->baud);
    if (!opened) {
        std::cerr << "wavix-cli: " << data.Driver().LastOpenError() << "\n";
        return cli::ExitPortError;
    }
    if (options->log) {
        data.Driver().SetLowLevelLogging(true);
        data.Driver().SetLogging(true);
    }

    QEventLoop loop;
    std::int32_t outcome = 0;
    auto done = [&](std::int32_t code) {
        outcome = code;
        loop.quit();
    };
    const std::string name = options->command.substr(0, 4);
    const std::int32_t started =
        options->action == cli::Options::Action::Get
            ? data.GetCommand(options->command, options->timeoutSecs.value_or(cli::DefaultTimeout(name)), done)
            : data.SetCommand(options->command, done);
    if (started != instrument::Success) {
        std::cerr << "ERROR: Initiating " << name << " command = " << instrument::CodeText(started) << "\n";
        return cli::ExitRefused;
    }
    loop.exec();
    data.ClosePort();

    // A failed reply has already been reported on standard error by the data object.
    if (outcome < 0) return cli::ExitReplyFailed;
    if (outcome > 0) return cli::ExitInstrumentError;
    std::cout << cli::FormatReply(data, options->command, options->format);
    return cli::ExitOk;
}
