// SMUX: channel numbers per level and QRB address, refusals, and the probe (with its own
// medium) that the multiplexer path selects.

#include "sim/mux_addressing.h"
#include "tests/sim/sim_harness.h"

#include <gtest/gtest.h>

#include <cmath>

namespace simtest {
namespace {

TEST(Multiplexer, LevelsAreSwitchedInTurnAndDumpReportsThePath) {
    SimHarness sim;
    EXPECT_EQ(sim.command("SMUX 13")->type, '$');
    EXPECT_EQ(sim.instrument.probeAddress(), "3");
    EXPECT_EQ(sim.command("SMUX 25")->name, "SMUX");
    EXPECT_EQ(sim.instrument.probeAddress(), "3-5");
    EXPECT_EQ(sim.command("SMUX 38")->type, '$');
    EXPECT_EQ(sim.instrument.probeAddress(), "3-5-8");
    EXPECT_EQ(sim.fetch("DUMP").word(7), 358u);
    // Switching a level again drops the levels below it.
    EXPECT_EQ(sim.command("SMUX 14")->type, '$');
    EXPECT_EQ(sim.instrument.probeAddress(), "4");
}

TEST(Multiplexer, NumbersThatNameNoChannelAreRefusedWithError18) {
    SimHarness sim;
    for (const char* command : {"SMUX 10", "SMUX 19", "SMUX 41", "SMUX 0", "SMUX 25", "SMUX -13", "SMUX 113"}) {
        const auto reply = sim.command(command);
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->error, 18) << command;
    }
    EXPECT_EQ(sim.instrument.probeAddress(), "");
    EXPECT_EQ(sim.command("SMUX x")->error, 4);
}

TEST(Multiplexer, QrbAddressShiftsTheNumbers) {
    sim::SimulatorConfig config;
    config.qrbAddress = 1;
    SimHarness sim(config);
    EXPECT_EQ(sim.command("SMUX 13")->error, 18);
    EXPECT_EQ(sim.command("SMUX 23")->type, '$');
    EXPECT_EQ(sim.command("SMUX 35")->type, '$');
    EXPECT_EQ(sim.instrument.probeAddress(), "3-5");
}

TEST(Multiplexer, EachProbeHasItsOwnMediumUnlessOneIsSet) {
    sim::SimulatorConfig config;
    config.noiseAtOneAverage = 0;
    SimHarness sim(config);
    const float direct = sim.fetch("GMOS").value(0);
    EXPECT_NEAR(direct, std::sqrt(config.medium.dielectric), 1e-3);

    sim.configure({"SMUX 12"});
    const sim::Medium first = sim.instrument.currentMedium();
    EXPECT_EQ(first, sim::mediumForAddress("2"));
    EXPECT_NEAR(sim.fetch("GMOS").value(0), std::sqrt(first.dielectric), 1e-3);
    EXPECT_NEAR(sim.fetch("GCON").value(0), first.conductivity / 6.0, 1e-6);

    sim.configure({"SMUX 27"});
    EXPECT_NE(sim.instrument.currentMedium(), first);
    EXPECT_EQ(sim.instrument.currentMedium(), sim::mediumForAddress("2-7"));

    sim.instrument.setProbeMedium("2-7", {9.0, 0.1});
    EXPECT_NEAR(sim.fetch("GMOS").value(0), 3.0, 1e-3);
    // A waveform taken before the change is not handed out as the current one.
    EXPECT_EQ(sim.fetch("GLWF").values(), sim.instrument.lastWaveform());
}

TEST(Multiplexer, MediaOfAddressesAreStableAndPlausible) {
    for (const char* address : {"1", "8", "1-1", "4-2", "8-8-8", "3-5-7"}) {
        const sim::Medium m = sim::mediumForAddress(address);
        EXPECT_EQ(m, sim::mediumForAddress(address));
        EXPECT_GE(m.dielectric, 3.0);
        EXPECT_LE(m.dielectric, 35.0);
        EXPECT_GE(m.conductivity, 0.002);
        EXPECT_LE(m.conductivity, 0.2);
    }
    EXPECT_NE(sim::mediumForAddress("1-2"), sim::mediumForAddress("2-1"));
}

}  // namespace
}  // namespace simtest
