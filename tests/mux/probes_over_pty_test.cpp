// Stepping through three probes on rfx410-sim over a pseudo-terminal, through the
// production serial layer and clock: each step sends its SMUX frames, the instrument
// reports the new path, and each probe's own settings are taken in. Bounded waits.

#include "mux/probe_addressing.h"

#include "tests/support/real_time_platform.h"
#include "tests/support/sim_program.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace mux {
namespace {

using testsupport::SimProgram;
using testsupport::waitFor;

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
    SimProgram sim({"--verbose"});
    ASSERT_FALSE(sim.devicePath.empty()) << sim.errorOutput().toStdString();
    const std::string device = sim.devicePath;

    QTemporaryDir temp;
    const std::filesystem::path dir = temp.path().toStdString();
    const char* lengths[] = {"2.5", "3.5", "4.5"};
    const char* addresses[] = {"2", "3-1", "3-2-1"};
    for (int i = 0; i < 3; ++i)
        std::ofstream(dir / (std::string(addresses[i]) + ".INI"), std::ios::binary)
            << "[Settings]\r\nLgtEd=" << lengths[i] << "\r\n";

    testsupport::RealTimePlatform real;
    platform::Platform& services = real.services;
    instrument::TTDRdataObject data(services);
    data.Driver().SetLogDirectory(dir);
    ASSERT_TRUE(data.OpenPortPath(device, 57600));
    instrument::TStateMach machine(real.clock);
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
        ASSERT_TRUE(waitFor([&] { return !machine.IsIdle(); }, 2000)) << addresses[i];
        EXPECT_EQ(window.shown.texts[4], lengths[i]);
        ASSERT_TRUE(waitFor([&] { return machine.IsIdle(); }, 5000)) << addresses[i];
        bool dumped = false;
        ASSERT_EQ(data.GetCommand("DUMP", 5, [&dumped](std::int32_t code) { dumped = code == 0; }), 0);
        ASSERT_TRUE(waitFor([&] { return dumped; }, 3000));
        EXPECT_EQ(data.Settings.DumpWord8, paths[i]) << addresses[i];
    }
    EXPECT_TRUE(real.dialogs.texts().empty()) << real.dialogs.texts().front();

    data.ClosePort();
    ASSERT_EQ(sim.stop(), 0);
    const QString log = sim.errorOutput();
    for (const char* frame : {"SMUX 12", "SMUX 13", "SMUX 21", "SMUX 22", "SMUX 31"})
        EXPECT_TRUE(log.contains(frame)) << frame;
    EXPECT_EQ(log.count("received :SMUX"), 6) << log.toStdString();
}

}  // namespace
}  // namespace mux
