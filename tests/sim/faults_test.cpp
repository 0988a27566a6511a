// Fault injection: each kind, aimed at one command or any, for once, N times or always;
// and the text form the program option uses.

#include "tests/sim/sim_harness.h"

#include <gtest/gtest.h>

namespace simtest {
namespace {

sim::Fault fault(const std::string& text) {
    std::string error;
    const auto f = sim::parseFault(text, error);
    EXPECT_TRUE(f.has_value()) << text << ": " << error;
    return f.value_or(sim::Fault{});
}

TEST(Faults, NoReplyLosesTheReplyButTheCommandTakesEffect) {
    SimHarness sim;
    sim.instrument.faults().add(fault("no-reply:SNAV"));
    EXPECT_FALSE(sim.command("SNAV 32", 5000));
    EXPECT_EQ(sim.instrument.settings().averages, 32);
    EXPECT_EQ(sim.command("SNAV 8")->type, '$');  // once only
}

TEST(Faults, LateReplyComesThatMuchLater) {
    SimHarness sim;
    sim.instrument.faults().add(fault("late=2500:DUMP"));
    std::uint64_t sent = sim.clock.elapsed();
    ASSERT_TRUE(sim.command("DUMP"));
    const std::uint64_t late = sim.outputTimes.back() - sent;
    sent = sim.clock.elapsed();
    ASSERT_TRUE(sim.command("DUMP"));
    const std::uint64_t normal = sim.outputTimes.back() - sent;
    EXPECT_GE(late, normal + 2500 - 5);
    EXPECT_LE(late, normal + 2500 + 5);
}

TEST(Faults, BadCrcWrongNameAndWrongSizeDamageOnlyWhatTheySay) {
    SimHarness sim;
    sim.instrument.faults().add(fault("bad-crc:GVER"));
    auto reply = sim.command("GVER");
    EXPECT_FALSE(reply->crcOk);
    EXPECT_EQ(reply->name, "GVER");
    EXPECT_EQ(reply->data.size(), 16u);

    sim.instrument.faults().add(fault("wrong-name:GTIM"));
    reply = sim.command("GTIM");
    EXPECT_TRUE(reply->crcOk);
    EXPECT_NE(reply->name, "GTIM");
    EXPECT_EQ(reply->data.size(), 12u);
    sim.instrument.faults().add(fault("wrong-name=GWAV:S_VP"));
    reply = sim.command("S_VP 0.5");
    EXPECT_EQ(reply->type, '$');
    EXPECT_EQ(reply->name, "GWAV");

    sim.instrument.faults().add(fault("wrong-size:DUMP"));
    reply = sim.command("DUMP");
    EXPECT_TRUE(reply->crcOk);
    EXPECT_EQ(reply->data.size(), 40u);
    sim.instrument.faults().add(fault("wrong-size=-2:GCON"));
    reply = sim.command("GCON");
    EXPECT_TRUE(reply->crcOk);
    EXPECT_EQ(reply->data.size(), 2u);
    EXPECT_EQ(sim.command("DUMP")->data.size(), 36u);
}

TEST(Faults, InstrumentErrorReplacesTheCommand) {
    SimHarness sim;
    sim.instrument.faults().add(fault("error=18:SMUX:always"));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(sim.command("SMUX 13")->error, 18);
    EXPECT_EQ(sim.instrument.probeAddress(), "");
    sim.instrument.faults().add(fault("error=7"));
    EXPECT_EQ(sim.command("SNAV 64")->error, 7);
    EXPECT_EQ(sim.instrument.settings().averages, 4);
    EXPECT_EQ(sim.command("SNAV 64")->type, '$');
}

TEST(Faults, DeadLineStopsAnswersAndEchoesUntilRevived) {
    SimHarness sim;
    sim.instrument.faults().add(fault("dead-line:GWAV"));
    EXPECT_EQ(sim.command("DUMP")->type, '#');
    sim.output.clear();
    EXPECT_FALSE(sim.command("GWAV", 5000));
    EXPECT_TRUE(sim.instrument.lineDead());
    sim.send("$\rMON\r");
    EXPECT_FALSE(sim.command("DUMP", 5000));
    EXPECT_TRUE(sim.output.empty());
    EXPECT_EQ(sim.instrument.greetingCount(), 0);
    sim.instrument.reviveLine();
    EXPECT_EQ(sim.command("DUMP")->type, '#');
}

TEST(Faults, TargetsAndCountsDecideWhichCommandsAreHit) {
    SimHarness sim;
    sim.instrument.faults().add(fault("error=12:GWAV:2"));
    EXPECT_EQ(sim.command("DUMP")->type, '#');
    EXPECT_EQ(sim.command("GWAV")->error, 12);
    EXPECT_EQ(sim.command("GTIM")->type, '#');
    EXPECT_EQ(sim.command("GWAV")->error, 12);
    EXPECT_EQ(sim.command("GWAV")->type, '#');
    EXPECT_TRUE(sim.instrument.faults().faults().empty());

    sim.instrument.faults().add(fault("bad-crc:any:always"));
    sim.instrument.faults().add(fault("late=1000"));
    const std::uint64_t sent = sim.clock.elapsed();
    EXPECT_FALSE(sim.command("GVER")->crcOk);
    EXPECT_GE(sim.outputTimes.back() - sent, 1000u);  // both faults hit the same command
    EXPECT_FALSE(sim.command("SNAV 2")->crcOk);
    EXPECT_EQ(sim.instrument.faults().faults().size(), 1u);
}

TEST(FaultText, RoundTripsAndMistakesAreExplained) {
    for (const char* text : {"no-reply:any:once", "late=3000:GTIM:once", "bad-crc:any:always", "wrong-name:GWAV:3",
                             "wrong-name=GVER:S_VP:once", "wrong-size=-2:DUMP:once", "error=18:SMUX:always",
                             "dead-line:GWAV:once", "corrupt-record=3:any:once", "silent-record=1:any:always"}) {
        EXPECT_EQ(sim::describeFault(fault(text)), text);
    }
    const sim::Fault shortest = fault("no-reply");
    EXPECT_TRUE(shortest.target.empty());
    EXPECT_EQ(shortest.count, 1);
    EXPECT_EQ(fault("wrong-size").value, 4);

    for (const char* text : {"", "sleep", "late", "late=-5", "late=abc", "error=100", "error", "bad-crc=3",
                             "no-reply:GW", "no-reply:gwav", "no-reply:GWAV:0", "no-reply:GWAV:never", "a:b:c:d",
                             "wrong-name=XY", "wrong-size=0", "corrupt-record", "silent-record=0",
                             "corrupt-record=2:GWAV"}) {
        std::string error;
        EXPECT_FALSE(sim::parseFault(text, error)) << text;
        EXPECT_NE(error.find("fault \""), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace simtest
