// Stepping through three probes on rfx410-sim over a pseudo-terminal, through the
// production serial layer and clock: each step sends its SMUX frames, the instrument
// reports the new path, and each probe's own settings are taken in. Bounded waits.

#include "mux/probe_addressing.h"

#include "platform/doubles/recording_help.h"
#include "platform/doubles/recording_tones.h"
#include "platform/doubles/scripted_dialogs.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_serial_device.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace mux {
namespace {

bool WaitFor(const std::function<bool()>& done, int maxMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > maxMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    return true;
}

class Window : public ProbeWindowPort {
public:
    std::string MuxAddressText() const override { return address; }
    void SetMuxAddressText(const std::string& text) override { address = text; }
    bool ProbeSettingsChanged() const override { return false; }
    void ClearProbeSettingsChanged() override {}
    void SaveProbeSettings() override {}
    void ShowProbeSettings(const files::ProbeSettings& settings) override { shown = settings; }
    void SetHourglass(bool) override {}

    std::string address = NoProbeAddress;
    files::ProbeSettings shown;
};

TEST(ProbesOverPty, ThreeProbesEachWithItsFramesAndSettings) {
    QProcess sim;
    sim.start(QStringLiteral(RFX410_SIM_PATH), {"--verbose"});
    ASSERT_TRUE(sim.waitForStarted(3000));
    ASSERT_TRUE(WaitFor([&] { return sim.canReadLine(); }, 5000));
    const std::string device = QString::fromUtf8(sim.readLine()).trimmed().toStdString();

    QTemporaryDir temp;
    const std::filesystem::path dir = temp.path().toStdString();
    const char* lengths[] = {"2.5", "3.5", "4.5"};
    const char* addresses[] = {"2", "3-1", "3-2-1"};
    for (int i = 0; i < 3; ++i)
        std::ofstream(dir / (std::string(addresses[i]) + ".INI"), std::ios::binary)
            << "[Settings]\r\nLgtEd=" << lengths[i] << "\r\n";

    platform::QtClock clock;
    platform::RecordingTones tones;
    platform::ScriptedDialogs dialogs;
    platform::RecordingHelp help;
    const platform::Numbers numbers('.');
    platform::QtSerialDeviceFactory serial;
    platform::Platform services{clock, tones, dialogs, help, numbers, serial};
    instrument::TTDRdataObject data(services);
    data.Driver().SetLogDirectory(dir);
    ASSERT_TRUE(data.OpenPortPath(device, 57600));
    instrument::TStateMach machine(clock);
    MuxSetup setup(dir);
    setup.Tree().FromLines(files::DecodeMuxLines("MUXLevel-1, Ch-1\r\nMUXLevel-1, Ch-2--<==\r\nMUXLevel-1, Ch-3\r\n"
                                                 "\tMUXLevel-2, Ch-1--<==\r\n\tMUXLevel-2, Ch-2\r\n"
                                                 "\t\tMUXLevel-3, Ch-1--<==\r\n")
                               .lines);
    setup.Tree().RebuildProbeFlags();
    setup.Tree().Select(setup.Tree().TopLevel()[0].get());
    Window window;
    ProbeAddressing addressing(window, setup, data, machine, services, dir);

    const std::uint32_t paths[] = {2, 31, 321};
    for (int i = 0; i < 3; ++i) {
        addressing.NextProbeUpClick();
        EXPECT_EQ(window.address, addresses[i]);
        ASSERT_TRUE(WaitFor([&] { return !machine.IsIdle(); }, 2000)) << addresses[i];
        EXPECT_EQ(window.shown.texts[4], lengths[i]);
        ASSERT_TRUE(WaitFor([&] { return machine.IsIdle(); }, 5000)) << addresses[i];
        bool dumped = false;
        ASSERT_EQ(data.GetCommand("DUMP", 5, [&dumped](std::int32_t code) { dumped = code == 0; }), 0);
        ASSERT_TRUE(WaitFor([&] { return dumped; }, 3000));
        EXPECT_EQ(data.Settings.DumpWord8, paths[i]) << addresses[i];
    }
    EXPECT_TRUE(dialogs.texts().empty()) << dialogs.texts().front();

    data.ClosePort();
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(3000));
    const QString log = QString::fromUtf8(sim.readAllStandardError());
    for (const char* frame : {"SMUX 12", "SMUX 13", "SMUX 21", "SMUX 22", "SMUX 31"})
        EXPECT_TRUE(log.contains(frame)) << frame;
    EXPECT_EQ(log.count("received :SMUX"), 6) << log.toStdString();
}

}  // namespace
}  // namespace mux
