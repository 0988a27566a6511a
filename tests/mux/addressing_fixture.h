#pragma once
// Probe stepping on the simulated instrument in memory, on virtual time, with the main
// window played by a recorder.

#include "mux/probe_addressing.h"

#include "platform/doubles/test_platform.h"
#include "sim/memory_line_link.h"
#include "sim/rfx410.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace mux::testing {

class RecordingWindow : public ProbeWindowPort {
public:
    std::string MuxAddressText() const override { return address; }
    void SetMuxAddressText(const std::string& text) override { address = text; }
    bool ProbeSettingsChanged() const override { return changed; }
    void ClearProbeSettingsChanged() override { changed = false; }
    void SaveProbeSettings() override { ++saves; }
    void ShowProbeSettings(const files::ProbeSettings& settings) override { shown.push_back(settings); }
    void SetHourglass(bool on) override { hourglass = on; }

    std::string address = NoProbeAddress;
    bool changed = false;
    int saves = 0;
    bool hourglass = false;
    std::vector<files::ProbeSettings> shown;
};

class AddressingTest : public ::testing::Test {
protected:
    explicit AddressingTest(int instrumentQrb = 0)
        : services(test.platform()), instrument(test.clock, Config(instrumentQrb)), data(services),
          machine(test.clock), dir(MakeDirectory()), setup(dir),
          addressing(window, setup, data, machine, services, dir) {
        sim::connectToLine(instrument, test.serial);
        data.Driver().SetLogDirectory(dir);
        EXPECT_TRUE(data.OpenPort(1, 57600));
    }
    ~AddressingTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    static sim::SimulatorConfig Config(int qrb) {
        sim::SimulatorConfig c;
        c.qrbAddress = qrb;
        return c;
    }
    static std::filesystem::path MakeDirectory() {
        std::random_device seed;
        auto path = std::filesystem::temp_directory_path() / ("wavix-mux-" + std::to_string(seed()));
        std::filesystem::create_directories(path);
        return path;
    }

    // A tree from its lines in the setup file's format (TABs for levels).
    void Tree(const std::string& lines) {
        setup.Tree().FromLines(files::DecodeMuxLines(lines).lines);
        setup.Tree().RebuildProbeFlags();
    }
    void ProbeFile(const std::string& address, const std::string& contents) {
        std::ofstream(dir / (address + ".INI"), std::ios::binary) << contents;
    }
    std::vector<std::string> SmuxSent() const {
        std::vector<std::string> out;
        for (const auto& c : instrument.receivedCommands())
            if (c.rfind("SMUX", 0) == 0) out.push_back(c);
        return out;
    }
    bool RunChain(std::uint64_t maxMs = 10000) {
        return test.clock.advanceUntil([this] { return machine.IsIdle(); }, maxMs, 10);
    }
    std::vector<std::string> Messages() const { return test.dialogs.texts(); }

    platform::TestPlatform test;
    platform::Platform services;
    sim::Rfx410 instrument;
    instrument::TTDRdataObject data;
    instrument::TStateMach machine;
    std::filesystem::path dir;
    MuxSetup setup;
    RecordingWindow window;
    ProbeAddressing addressing;
};

// Probes on 1, 3-5, 3-6-2 and 4 (three levels deep on channel 3).
inline const char* const ThreeLevelTree =
    "MUXLevel-1, Ch-1--<==\r\nMUXLevel-1, Ch-2\r\nMUXLevel-1, Ch-3\r\n"
    "\tMUXLevel-2, Ch-1\r\n\tMUXLevel-2, Ch-2\r\n\tMUXLevel-2, Ch-3\r\n\tMUXLevel-2, Ch-4\r\n"
    "\tMUXLevel-2, Ch-5--<==\r\n\tMUXLevel-2, Ch-6\r\n"
    "\t\tMUXLevel-3, Ch-1\r\n\t\tMUXLevel-3, Ch-2--<==\r\n"
    "\tMUXLevel-2, Ch-7\r\n\tMUXLevel-2, Ch-8\r\n"
    "MUXLevel-1, Ch-4--<==\r\nMUXLevel-1, Ch-5\r\n";

}  // namespace mux::testing
