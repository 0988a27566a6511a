// The command data object: one request at a time, failure messages, completion routines,
// the reply store, and cancelling.

#include "link_fixture.h"

namespace instrument::testing {
namespace {

using DataObject = LinkFixture;

TEST_F(DataObject, SecondRequestIsRefusedAndTheFirstCompletionStays) {
    std::vector<std::string> calls;
    ASSERT_EQ(data.SetCommand("S_VP 0.67", [&](std::int32_t) { calls.push_back("first"); }), Success);
    EXPECT_EQ(data.SetCommand("SNAV 16", [&](std::int32_t) { calls.push_back("second"); }), AnotherCommandActive);
    EXPECT_EQ(platform.serial.writtenText(), wire::buildFrame("S_VP 0.67"));
    reply(wire::buildAck("S_VP"));
    EXPECT_EQ(calls, std::vector<std::string>{"first"});
    EXPECT_FALSE(data.Busy());
    EXPECT_TRUE(messages().empty());
}

TEST_F(DataObject, InstrumentErrorShowsTwoLinesThenCallsTheCompletionWithItsNumber) {
    ASSERT_EQ(set("S_VP 0.67"), Success);
    EXPECT_EQ(data.PendingName(), "S_VP");
    reply(wire::buildError(5));
    EXPECT_EQ(messages(), std::vector<std::string>{"ERROR: Response to Command S_VP\r\nCommand Not Identified"});
    EXPECT_EQ(outcomes, std::vector<std::int32_t>{5});
    EXPECT_EQ(data.PendingName(), "");
}

TEST_F(DataObject, CompletionRunsWhileTheRequestIsStillOutstanding) {
    std::int32_t fromInside = 0;
    ASSERT_EQ(data.GetCommand("DUMP", 10, [&](std::int32_t) { fromInside = set("SNAV 4"); }), Success);
    reply(data32("DUMP", {1, 4, 251, 0, 50, 0.3f, 0, 0, 0}));
    EXPECT_EQ(fromInside, AnotherCommandActive);
    EXPECT_FALSE(data.Busy());
}

TEST_F(DataObject, ShortCommandTextIsTheWholePendingName) {
    ASSERT_EQ(set("GV"), Success);
    EXPECT_EQ(data.PendingName(), "GV");
}

TEST_F(DataObject, RefusedRequestsNeverReachTheirCompletion) {
    data.ClosePort();
    EXPECT_EQ(set("S_VP 0.67"), PortNotOpen);
    EXPECT_FALSE(data.Busy());
    ASSERT_TRUE(data.OpenPort(1, 57600));
    platform.serial.setWriteFails(true);
    EXPECT_EQ(set("S_VP 0.67"), WriteFailed);
    EXPECT_FALSE(data.Busy());
    platform.clock.advance(20000);
    EXPECT_TRUE(outcomes.empty());
    EXPECT_TRUE(messages().empty());
}

TEST_F(DataObject, CancelEndsTheRequestSilentlyAndItsLateReplyIsDropped) {
    ASSERT_EQ(get("GWAV", 10), Success);
    data.CommandDone("", 0);  // as the chains' error states cancel
    EXPECT_FALSE(data.Busy());
    EXPECT_EQ(data.PendingName(), "");
    reply(data32("GWAV", {0.5f, 0.25f}));
    platform.clock.advance(20000);  // the reply time-out would have passed
    EXPECT_TRUE(outcomes.empty());
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(platform.tones.beeps.empty());
    EXPECT_EQ(data.WaveformAt(1), 0.0f);  // the late reply did not reach the store
    // The link is free for the next request.
    ASSERT_EQ(get("DUMP"), Success);
    reply(data32("DUMP", {1, 4, 251, 0, 50, 0.3f, 0, 0, 0}));
    EXPECT_EQ(outcomes, std::vector<std::int32_t>{0});
}

TEST_F(DataObject, ReplyOutcomeCancelledWhileItsMessageIsUpDoesNotComplete) {
    ASSERT_EQ(get("DUMP"), Success);
    // The message box is modal; a chain's error state cancels the request meanwhile.
    platform.dialogs.onShow = [this](const ::platform::DialogRecord&) { data.CancelCommand(); };
    reply(wire::buildError(12));
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_TRUE(outcomes.empty());
    EXPECT_FALSE(data.Busy());
}

TEST_F(DataObject, WaveformStoreIsOneBasedAndBounded) {
    EXPECT_EQ(data.WaveformAt(0), 0.0f);
    EXPECT_EQ(data.WaveformAt(2049), 0.0f);
    EXPECT_EQ(data.DerivativeAt(-1), 0.0f);
    std::vector<float> values(2049);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>(i + 1);
    ASSERT_EQ(get("GWAV"), Success);
    reply(data32("GWAV", values));
    EXPECT_EQ(outcomes, std::vector<std::int32_t>{0});
    EXPECT_EQ(data.WaveformAt(1), 1.0f);
    EXPECT_EQ(data.WaveformAt(2048), 2048.0f);
    EXPECT_EQ(data.WaveformAt(2049), 0.0f);
    EXPECT_EQ(data.LastArrayPoints, 2049);
}

TEST(ResultTexts, NegativeAndInstrumentTables) {
    EXPECT_EQ(CodeText(0), "No Error, Success");
    EXPECT_EQ(CodeText(-9), "COMM PORT NOT OPEN");
    EXPECT_EQ(CodeText(-13), "NO AVAILABLE");
    EXPECT_EQ(CodeText(-40), "UNKNOWN RESULT -40");
    EXPECT_EQ(InstrumentErrorText(18), "Incorrect Mux Address Or Channel");
    EXPECT_EQ(InstrumentErrorText(23), "Unexpected Error");
    EXPECT_EQ(InstrumentErrorText(68), "Unexpected Error");
    EXPECT_EQ(InstrumentErrorText(77), "I2C: Unknown Error");
    EXPECT_EQ(InstrumentErrorText(81), "Instrument Error 81");
}

}  // namespace
}  // namespace instrument::testing
