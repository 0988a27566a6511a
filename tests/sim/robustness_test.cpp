// Garbage on the line: nothing crashes, nothing grows without bound, and the instrument
// answers the next good frame.

#include "sim/gaussian_noise.h"
#include "tests/sim/sim_harness.h"

#include <gtest/gtest.h>

namespace simtest {
namespace {

TEST(Robustness, RandomBytesNeitherCrashNorPileUpAndAGoodFrameStillWorks) {
    SimHarness sim;
    sim::GaussianNoise random(99, 1);
    std::string garbage;
    for (int round = 0; round < 200; ++round) {
        garbage.clear();
        for (int i = 0; i < 500; ++i) {
            // Plenty of frame starts, CRs and S-record letters among the noise.
            const double u = random.uniform();
            const char special[] = {':', '\r', 'S', '0', '\x08', 'M', 'O', 'N', '$'};
            garbage += u < 0.3 ? special[static_cast<int>(u * 30) % 9] : static_cast<char>(random.uniform() * 256);
        }
        sim.send(garbage);
        EXPECT_LE(sim.instrument.pendingCommands(), sim::Rfx410::MaxQueuedCommands + 1);
        sim.advance(50);
        sim.output.clear();
    }
    // Whatever the garbage started (a frame, a typed line, the monitor or the loader) ends.
    sim.send("\r");
    const sim::InstrumentTiming& timing = sim.instrument.processor().config().timing;
    sim.advance(timing.eraseMs + timing.loaderIdleMs + 1000);
    EXPECT_EQ(sim.instrument.loaderState(), sim::LoaderState::Off);
    EXPECT_FALSE(sim.instrument.lineDead());
    const auto reply = sim.command("GDTS");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->name, "GDTS");
}

TEST(Robustness, OverlongFrameIsRefusedOnceAndTheNextFrameIsServed) {
    SimHarness sim;
    sim.send(":" + std::string(100000, 'A'));
    EXPECT_EQ(sim.instrument.pendingCommands(), 0u);
    sim.send("\r");
    sim.sendFrame("GVER");
    sim.advance(200);
    const auto replies = sim.replies();
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].error, 2);
    EXPECT_EQ(replies[1].name, "GVER");
    EXPECT_LE(sim.instrument.receivedCommands().front().size(), sim::Rfx410::MaxFrameLength);
}

TEST(Robustness, AFrameStartedAgainReplacesTheUnfinishedOne) {
    SimHarness sim;
    sim.send(":SNAV 1");
    sim.sendFrame("GVER");
    sim.advance(200);
    ASSERT_EQ(sim.replies().size(), 1u);
    EXPECT_EQ(sim.replies()[0].name, "GVER");
}

TEST(Robustness, AFloodOfFramesIsCutAtTheQueueAndAnsweredInOrder) {
    SimHarness sim;
    for (int i = 0; i < 50; ++i) sim.sendFrame("GDTS");
    EXPECT_EQ(sim.instrument.pendingCommands(), sim::Rfx410::MaxQueuedCommands + 1);
    sim.advance(5000);
    EXPECT_EQ(sim.replies().size(), sim::Rfx410::MaxQueuedCommands + 1);
    EXPECT_EQ(sim.command("DUMP")->name, "DUMP");
}

TEST(Robustness, EchoOfAHugeBurstIsBounded) {
    SimHarness sim;
    sim.send(std::string(1 << 20, 'x'));
    sim.advance(0);
    EXPECT_LE(sim.output.size(), sim::Rfx410::MaxEchoBacklog);
}

TEST(Robustness, DestroyingTheInstrumentWithWorkPendingIsSafe) {
    platform::VirtualClock clock;
    {
        sim::Rfx410 instrument(clock);
        instrument.setTransmitter([](std::span<const std::uint8_t>) { FAIL() << "sent after destruction"; });
        const std::string frame = wire::buildFrame("GWAV") + "MON\rS\r";
        instrument.receive(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size()));
    }
    clock.advance(10000);
    EXPECT_EQ(clock.activeTimerCount(), 0u);
}

}  // namespace
}  // namespace simtest
