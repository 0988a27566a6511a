// The whole link (data object, protocol driver and state machine) against the simulated
// instrument on the in-memory line: a measuring chain as the program runs it, and what each
// kind of line fault does to it.

#include "link/chain_table.h"
#include "link/data_object.h"
#include "link/state_machine.h"

#include "platform/doubles/test_platform.h"
#include "sim/memory_line_link.h"
#include "sim/rfx410.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace instrument {
namespace {

class LinkWithInstrument : public ::testing::Test {
protected:
    LinkWithInstrument() : services(test.platform()), rfx(test.clock), data(services), machine(test.clock) {
        sim::connectToLine(rfx, test.serial);
        EXPECT_TRUE(data.OpenPort(1, 57600));
    }

    // A chain like the program's single waveform: the settings, DUMP, GTIM and GWAV, with an
    // error state and an end state. Outcomes are recorded by command name.
    std::vector<ChainRow> waveformChain() {
        auto set = [this](std::string text) {
            return [this, text](std::int32_t& r) {
                r = data.SetCommand(text, [this, text](std::int32_t code) { done(text.substr(0, 4), code); });
            };
        };
        auto get = [this](std::string name, std::function<std::int32_t()> timeout) {
            return [this, name, timeout](std::int32_t& r) {
                r = data.GetCommand(name, timeout(), [this, name](std::int32_t code) { done(name, code); });
            };
        };
        auto fixed = [](std::int32_t s) { return [s] { return s; }; };
        auto acquisition = [this] { return static_cast<std::int32_t>(data.Times.WaveformSeconds); };
        return {
            {0, "S_VP", set("S_VP 0.67"), 1000, 1, 7},
            {1, "SNAV", set("SNAV 16"), 1000, 2, 7},
            {2, "SPNT", set("SPNT 2048"), 1000, 3, 7},
            {3, "SDIS", set("SDIS 2.5"), 1000, 4, 7},
            {4, "SWLN", set("SWLN 10"), 1000, 5, 7},
            {5, "SPRL", set("SPRL 0.3"), 1000, 6, 7},
            {6, "SPRO", set("SPRO 0.000"), 1000, 8, 7},
            {7, "Err", errorState("settings failed"), NoLimit, 12, 12},
            {8, "DUMP", get("DUMP", fixed(10)), 7000, 9, 11},
            {9, "GTIM", get("GTIM", fixed(10)), 2000, 10, 11},
            {10, "GWAV", get("GWAV", acquisition), 60000, 12, 11},
            {11, "Err", errorState("waveform failed"), NoLimit, 12, 12},
            {12, "END", [this](std::int32_t& r) {
                 r = 0;
                 ended = true;
                 machine.Stop();
             }, NoLimit, NoTarget, NoTarget},
        };
    }
    TStateNode::Action errorState(std::string what) {
        return [this, what](std::int32_t& r) {
            errors.push_back(what);
            r = 0;
            data.CommandDone("", 0);
            machine.ActionDone = true;
        };
    }
    void done(const std::string& name, std::int32_t code) {
        outcomes.push_back(name + "=" + std::to_string(code));
        machine.ActionDone = true;
    }
    void run(std::uint64_t maxMs = 120000) {
        ASSERT_TRUE(LoadChain(machine, waveformChain()));
        machine.Start(0);
        test.clock.advanceUntil([this] { return ended; }, maxMs, 10);
        ASSERT_TRUE(ended) << "the chain did not end";
    }

    platform::TestPlatform test;
    platform::Platform services;
    sim::Rfx410 rfx;
    TTDRdataObject data;
    TStateMach machine;
    std::vector<std::string> outcomes;
    std::vector<std::string> errors;
    bool ended = false;
};

TEST_F(LinkWithInstrument, WholeChainSetsDumpsTimesAndFetchesTheWaveform) {
    run();
    EXPECT_EQ(std::vector<std::string>(rfx.receivedCommands().begin(), rfx.receivedCommands().end()),
              (std::vector<std::string>{"S_VP 0.67", "SNAV 16", "SPNT 2048", "SDIS 2.5", "SWLN 10", "SPRL 0.3",
                                        "SPRO 0.000", "DUMP", "GTIM", "GWAV"}));
    EXPECT_EQ(outcomes.size(), 10u);
    for (const auto& o : outcomes) EXPECT_EQ(o.substr(5), "0") << o;
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(test.dialogs.texts().empty());
    EXPECT_EQ(data.Settings.Points, 2048);
    EXPECT_EQ(data.Settings.Averages, 16);
    EXPECT_FLOAT_EQ(data.Settings.Vp, 0.67f);
    EXPECT_FLOAT_EQ(data.Settings.WinStart, 2.5f);
    EXPECT_GT(data.Times.WaveformSeconds, 1.0f);
    const auto& drawn = rfx.lastWaveform();
    ASSERT_EQ(drawn.size(), 2048u);
    for (int i = 1; i <= 2048; ++i) ASSERT_EQ(data.WaveformAt(i), drawn[static_cast<std::size_t>(i - 1)]) << i;
    EXPECT_EQ(data.LastArrayPoints, 2048);
    // Each state beyond the instrument's own time costs at most one tick.
    EXPECT_LT(test.clock.elapsed(), 13 * 100 + 10000u);
}

struct FaultCase {
    const char* name;
    sim::Fault fault;
    std::string expectedOutcome;  // the GTIM outcome
    std::string message;          // what the user is told first
};

class LinkFaults : public LinkWithInstrument, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(LinkFaults, AFaultyReplyIsReportedOnceAndTheChainStillEnds) {
    const FaultCase& c = GetParam();
    rfx.faults().add(c.fault);
    run();
    EXPECT_NE(std::find(outcomes.begin(), outcomes.end(), c.expectedOutcome), outcomes.end()) << ::testing::PrintToString(outcomes);
    ASSERT_FALSE(test.dialogs.texts().empty());
    EXPECT_EQ(test.dialogs.texts().front(), c.message);
    EXPECT_FALSE(data.Busy());
}

sim::Fault fault(sim::FaultKind kind, int value = 0) {
    sim::Fault f;
    f.kind = kind;
    f.value = value;
    f.target = "GTIM";
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    EachKind, LinkFaults,
    ::testing::Values(
        FaultCase{"BadCrc", fault(sim::FaultKind::BadCrc), "GTIM=-5", "ERROR: Response to Command GTIM = CRC FAILED"},
        FaultCase{"WrongName", fault(sim::FaultKind::WrongName), "GTIM=-3",
                  "ERROR: Response to Command GTIM = COMMAND FAILED"},
        FaultCase{"WrongSize", fault(sim::FaultKind::WrongSize, 4), "GTIM=-12", "Error: GTIM command response wrong size."},
        FaultCase{"Malformed", fault(sim::FaultKind::WrongSize, 2), "GTIM=-6", "Error: GVER command response malformed."},
        FaultCase{"InstrumentError", fault(sim::FaultKind::InstrumentError, 22), "GTIM=22",
                  "ERROR: Response to Command GTIM\r\nUnKnown Internal Error"}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

TEST_F(LinkWithInstrument, ReplyThatNeverComesEndsInTheErrorStateAfterTheStatesLimit) {
    sim::Fault lost = fault(sim::FaultKind::NoReply);
    rfx.faults().add(lost);
    run();
    EXPECT_EQ(errors, std::vector<std::string>{"waveform failed"});
    // GTIM's state gives up after 2 s, long before the 10 s reply time-out, and the
    // cancelled request stays silent: no time-out message, no beep.
    EXPECT_TRUE(test.dialogs.texts().empty());
    EXPECT_TRUE(test.tones.beeps.empty());
    EXPECT_EQ(std::count(outcomes.begin(), outcomes.end(), "GTIM=-1"), 0);
    EXPECT_EQ(rfx.receivedCommands().back(), "GTIM");
}

TEST_F(LinkWithInstrument, LateReplyBeyondTheReplyTimeoutIsATimeoutAndIsThenDropped) {
    // A waveform that arrives after its reply time-out (the acquisition time, truncated).
    sim::Fault late = fault(sim::FaultKind::LateReply, 30000);
    late.target = "GWAV";
    rfx.faults().add(late);
    run();
    EXPECT_EQ(outcomes.back(), "GWAV=-1");
    EXPECT_EQ(test.dialogs.texts().front(), "ERROR: Response to Command GWAV = TIMEOUT");
    EXPECT_EQ(test.tones.beeps, (std::vector<platform::ToneRecord>{{1500, 100}}));
    test.clock.advance(40000);  // the late waveform arrives and finds nothing outstanding
    EXPECT_EQ(data.WaveformAt(1), 0.0f);
}

TEST_F(LinkWithInstrument, DeadLineLeavesEveryLaterStepToItsLimit) {
    sim::Fault dead = fault(sim::FaultKind::DeadLine);
    dead.target = "SPNT";
    rfx.faults().add(dead);
    run();
    EXPECT_EQ(errors, std::vector<std::string>{"settings failed"});
    EXPECT_EQ(outcomes, (std::vector<std::string>{"S_VP=0", "SNAV=0"}));
}

}  // namespace
}  // namespace instrument
