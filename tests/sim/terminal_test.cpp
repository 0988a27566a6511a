// Typing at the instrument: echo, line editing, the greeting, readable answers, and frames
// in the middle of typed text.

#include "tests/sim/sim_harness.h"

#include <gtest/gtest.h>

namespace simtest {
namespace {

TEST(Terminal, CharactersAreEchoedWithCrLfAndBackspace) {
    SimHarness sim;
    sim.send("AB");
    EXPECT_TRUE(sim.output.empty());  // echoes too leave through the clock
    sim.advance(0);
    EXPECT_EQ(sim.outputText(), "AB");
    sim.send("\x08\x08\x08 \r");
    sim.advance(10);
    EXPECT_EQ(sim.outputText(), "AB\x08\x08\x08 \r\n");
}

TEST(Terminal, GreetingLinesAreCounted) {
    SimHarness sim;
    sim.send("$\r");
    sim.advance(125);
    sim.send("$\r$ \r");
    sim.advance(10);
    EXPECT_EQ(sim.instrument.greetingCount(), 3);
    EXPECT_EQ(sim.outputText(), "$\r\n$\r\n$ \r\n");  // only the echo
}

TEST(Terminal, TypedCommandsGetReadableAnswers) {
    SimHarness sim;
    sim.send("snav 16\r");
    sim.advance(100);
    sim.send("DUMP\r");
    sim.advance(100);
    sim.send("GVEX\x08R\r");
    sim.advance(100);
    sim.send("XYZ\r");
    sim.advance(100);
    const std::string text = sim.outputText();
    EXPECT_NE(text.find("snav 16\r\nSNAV OK\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Averages 16"), std::string::npos) << text;
    EXPECT_NE(text.find("RFX410 OS 3.12 build 100"), std::string::npos) << text;
    EXPECT_NE(text.find("ERROR 05 Command Not Identified"), std::string::npos) << text;
    EXPECT_EQ(sim.instrument.settings().averages, 16);
    EXPECT_TRUE(sim.instrument.receivedCommands().empty());  // none of it was framed
}

TEST(Terminal, AFrameInsideTypedTextIsAnsweredAndNotEchoed) {
    SimHarness sim;
    sim.send("GV");
    sim.sendFrame("GDTS");
    sim.send("ER\r");
    sim.advance(200);
    const std::string text = sim.outputText();
    EXPECT_EQ(sim.replies().size(), 1u);
    EXPECT_EQ(text.find(":GDTS"), std::string::npos);
    EXPECT_NE(text.find("GVER\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("RFX410 OS"), std::string::npos) << text;
}

TEST(Terminal, OverlongLinesRingTheBellInsteadOfGrowing) {
    SimHarness sim;
    sim.send(std::string(sim::TerminalLine::MaxLength + 5, 'A'));
    sim.advance(0);
    const std::string text = sim.outputText();
    EXPECT_EQ(std::count(text.begin(), text.end(), 'A'), static_cast<long>(sim::TerminalLine::MaxLength));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\x07'), 5);
}

}  // namespace
}  // namespace simtest
