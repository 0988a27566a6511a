// Stepping through probes and addressing the multiplexers, against the simulated
// instrument: what is sent, when, and which settings are taken in.

#include "addressing_fixture.h"

namespace mux::testing {
namespace {

class Stepping : public AddressingTest {};

TEST_F(Stepping, ClicksWithin500msSendOnlyTheLastAddressAndTakeInItsSettings) {
    Tree(ThreeLevelTree);
    ProbeFile("3-6-2", "[Settings]\r\nVpEd=0.67\r\nSrtEd=4.5\r\nCellConst=6.5\r\n");
    addressing.NextProbeUpClick();  // nothing selected: the first node
    EXPECT_EQ(window.address, "1");
    test.clock.advance(200);
    addressing.NextProbeUpClick();
    EXPECT_EQ(window.address, "3-5");
    test.clock.advance(200);
    addressing.NextProbeUpClick();
    EXPECT_EQ(window.address, "3-6-2");
    test.clock.advance(499);
    EXPECT_TRUE(machine.IsIdle());
    EXPECT_TRUE(window.shown.empty());
    test.clock.advance(1);
    EXPECT_FALSE(machine.IsIdle());
    EXPECT_TRUE(window.hourglass);
    // The settings come at once, not after the chain.
    ASSERT_EQ(window.shown.size(), 1u);
    EXPECT_EQ(window.shown[0].texts[0], "0.67");
    EXPECT_EQ(window.shown[0].texts[3], "4.5");
    EXPECT_EQ(window.shown[0].texts[1], "4");
    EXPECT_EQ(window.shown[0].cellConstant, 6.5);
    ASSERT_TRUE(RunChain());
    EXPECT_EQ(SmuxSent(), (std::vector<std::string>{"SMUX 13", "SMUX 26", "SMUX 32"}));
    EXPECT_EQ(instrument.probeAddress(), "3-6-2");
    EXPECT_FALSE(window.hourglass);
    EXPECT_EQ(test.tones.beeps.back(), (platform::ToneRecord{10000, 50}));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Stepping, ALevelOneProbeSendsOneCommandAndSkipsTheOtherLevelsAtOnce) {
    Tree(ThreeLevelTree);
    window.address = "4";
    const std::uint32_t start = test.clock.tickCount();
    addressing.AddressMux();
    ASSERT_TRUE(RunChain());
    EXPECT_EQ(SmuxSent(), std::vector<std::string>{"SMUX 14"});
    // Lv1 waits for its reply; Lv2 and Lv3 each take one tick on the way to the end.
    EXPECT_LT(test.clock.tickCount() - start, 600u);
    EXPECT_EQ(instrument.probeAddress(), "4");
}

TEST_F(Stepping, SteppingStopsAtTheEndsAndResendsTheAddress) {
    Tree(ThreeLevelTree);
    setup.Tree().Select(setup.Tree().InTreeOrder().back());  // 5, no probe
    addressing.NextProbeUpClick();
    EXPECT_EQ(window.address, "?-?-?");
    test.clock.advance(600);
    EXPECT_TRUE(SmuxSent().empty());
    EXPECT_TRUE(window.shown.empty());  // no address, no settings

    addressing.NextProbeDownClick();
    EXPECT_EQ(window.address, "4");
    test.clock.advance(500);
    ASSERT_TRUE(RunChain());
    addressing.NextProbeUpClick();  // the last probe stays selected and is sent again
    EXPECT_EQ(window.address, "4");
    test.clock.advance(500);
    ASSERT_TRUE(RunChain());
    EXPECT_EQ(SmuxSent(), (std::vector<std::string>{"SMUX 14", "SMUX 14"}));
}

TEST_F(Stepping, AFirstNodeWithoutProbeShowsNoAddressAndSendsNothing) {
    Tree("MUXLevel-1, Ch-1\r\nMUXLevel-1, Ch-2--<==\r\n");
    addressing.NextProbeUpClick();
    EXPECT_EQ(window.address, "?-?-?");
    test.clock.advance(1000);
    EXPECT_TRUE(SmuxSent().empty());
    // An empty tree: the same.
    setup.Tree().Clear();
    addressing.NextProbeDownClick();
    EXPECT_EQ(window.address, "?-?-?");
}

TEST_F(Stepping, ChangedSettingsAreSavedOnlyWhenTheUserAgrees) {
    Tree(ThreeLevelTree);
    window.changed = true;
    test.dialogs.answers.push_back(platform::Answer::Ok);
    addressing.NextProbeUpClick();
    ASSERT_EQ(test.dialogs.records.size(), 1u);
    EXPECT_EQ(test.dialogs.records[0].text, "Setting have been changed, Save Changes?");
    EXPECT_EQ(test.dialogs.records[0].title, "Warning");
    EXPECT_EQ(test.dialogs.records[0].question, platform::Question::OkCancel);
    EXPECT_EQ(window.saves, 1);
    EXPECT_FALSE(window.changed);

    window.changed = true;
    test.dialogs.answers.push_back(platform::Answer::Cancel);
    addressing.NextProbeUpClick();
    EXPECT_EQ(window.saves, 1);
    EXPECT_FALSE(window.changed);
    addressing.NextProbeUpClick();  // unchanged: no question
    EXPECT_EQ(test.dialogs.records.size(), 2u);
}

TEST_F(Stepping, AtStartUpTheFirstProbeIsShownAndNothingSent) {
    addressing.ShowStartAddress();
    EXPECT_EQ(window.address, "?-?-?");
    Tree("MUXLevel-1, Ch-1\r\n\tMUXLevel-2, Ch-1\r\n\tMUXLevel-2, Ch-2--<==\r\nMUXLevel-1, Ch-2--<==\r\n");
    addressing.ShowStartAddress();
    EXPECT_EQ(window.address, "1-2");
    EXPECT_EQ(setup.Tree().SelectedProbeAddress(), "1-2");
    test.clock.advance(1000);
    EXPECT_TRUE(SmuxSent().empty());
}

TEST_F(Stepping, AddressesThatCannotBeSentAreReportedAndStartNoChain) {
    setup.QrbAddress = "0x";
    window.address = "3-5";
    addressing.AddressMux();
    EXPECT_TRUE(machine.IsIdle());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("QRB address \"0x\" is not a decimal number"), std::string::npos);
    EXPECT_EQ(window.shown.size(), 1u);  // the probe's settings all the same

    test.dialogs.clear();
    setup.QrbAddress = "00";
    for (const char* bad : {"10-3", "3-a", "1-2-3-4", "3-"}) {
        window.address = bad;
        addressing.AddressMux();
        EXPECT_TRUE(machine.IsIdle()) << bad;
    }
    EXPECT_EQ(Messages().size(), 4u);
    EXPECT_NE(Messages()[0].find("\"10\""), std::string::npos) << Messages()[0];
    test.clock.advance(3000);
    EXPECT_TRUE(SmuxSent().empty());
}

TEST_F(Stepping, ABusyMachineOrLinkAndRefusedChannelsAreReported) {
    window.address = "3-5";
    instrument::LoadChain(machine, {{0, "X", [](std::int32_t& r) { r = 0; }, instrument::NoLimit, 0, 0}});
    machine.Start(0);
    addressing.AddressMux();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Another Command Currently Active!"});
    EXPECT_EQ(window.shown.size(), 1u);
    machine.Stop();

    // A request outstanding when the chain starts: refused, and the chain fails after 2 s.
    test.dialogs.clear();
    data.GetCommand("GVER", 10, [](std::int32_t) {});
    addressing.AddressMux();
    ASSERT_TRUE(RunChain());
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Another Command is current being processed.",
                                                    "Error: Failed to Set Mux!"}));
    EXPECT_FALSE(window.hourglass);

    // A channel the instrument refuses: reported by the link, and the chain goes on (to a
    // level 2 that the instrument refuses in turn, its level 1 not being switched).
    test.dialogs.clear();
    std::string error;
    instrument.faults().add(*sim::parseFault("error=18:SMUX", error));
    addressing.AddressMux();
    ASSERT_TRUE(RunChain());
    ASSERT_EQ(Messages().size(), 2u) << ::testing::PrintToString(Messages());
    for (const auto& m : Messages()) EXPECT_NE(m.find("Incorrect Mux Address Or Channel"), std::string::npos) << m;
    EXPECT_EQ(SmuxSent().back(), "SMUX 25");

    // No reply at all: the error state after 2 s.
    test.dialogs.clear();
    instrument.faults().add(*sim::parseFault("no-reply:SMUX", error));
    const std::uint32_t start = test.clock.tickCount();
    addressing.AddressMux();
    ASSERT_TRUE(RunChain());
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error: Failed to Set Mux!"});
    EXPECT_GE(test.clock.tickCount() - start, 2000u);
    EXPECT_LT(test.clock.tickCount() - start, 2400u);
}

class SteppingWithQrb01 : public AddressingTest {
protected:
    SteppingWithQrb01() : AddressingTest(1) {}
};

TEST_F(SteppingWithQrb01, TheQrbAddressShiftsTheChannelNumbers) {
    setup.QrbAddress = "01";
    window.address = "3-5";
    addressing.AddressMux();
    ASSERT_TRUE(RunChain());
    EXPECT_EQ(SmuxSent(), (std::vector<std::string>{"SMUX 23", "SMUX 35"}));
    EXPECT_EQ(instrument.probeAddress(), "3-5");
    EXPECT_TRUE(Messages().empty());
}

TEST(ProbeAddress, PartsAndCommands) {
    std::string error;
    const auto a = ParseProbeAddress("3-5", " 01 ", error);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->levels, 2);
    EXPECT_EQ(a->channels[1], 5);
    EXPECT_EQ(a->qrb, 1);
    EXPECT_EQ(SmuxCommand(3, 0, 1), "SMUX 13");
    EXPECT_EQ(SmuxCommand(5, 1, 2), "SMUX 35");
    EXPECT_EQ(SmuxCommand(2, 99, 3), "SMUX 1022");
    EXPECT_FALSE(ParseProbeAddress("3", "", error));
    EXPECT_FALSE(ParseProbeAddress("3", "1e3", error));
    EXPECT_FALSE(ParseProbeAddress("3", "99999999999", error));
}

}  // namespace
}  // namespace mux::testing
