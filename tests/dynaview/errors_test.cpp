// dynaview's numbered error boxes: class, caption, text, the question and the stop flag.

#include "dynaview_fixture.h"

#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/error_texts.h"

namespace dynaview::testing {
namespace {

using Errors = DynaviewTest;

TEST_F(Errors, ClassesCaptionsAndTexts) {
    EXPECT_EQ(ErrorClass(118), 0);
    EXPECT_EQ(ErrorClass(131), 0);
    EXPECT_EQ(ErrorClass(132), 1);
    EXPECT_EQ(ErrorClass(147), 1);
    EXPECT_EQ(ErrorClass(148), 3);
    ReportDynError(env, 110, 2, "Pump");  // a link error: "No conversation established with "
    ReportDynError(env, 133);
    ReportDynError(env, 134, 2, "Tank");
    ReportDynError(env, 149);
    ASSERT_EQ(dialogs.records.size(), 4u);
    EXPECT_EQ(dialogs.records[0].title, "DDE Error");
    EXPECT_EQ(dialogs.records[0].text, "No conversation established with Pump\nWould you like to continue ?");
    EXPECT_EQ(dialogs.records[0].type, platform::DialogRecord::Type::Ask);
    EXPECT_EQ(dialogs.records[1].title, "SERIOUS ERROR");
    EXPECT_EQ(dialogs.records[1].text, "No free timers\nWould you like to continue ?");
    EXPECT_EQ(dialogs.records[2].text, "No history collection for data set Tank\nWould you like to continue ?");
    EXPECT_EQ(dialogs.records[3].title, "CRITICAL ERROR");
    EXPECT_EQ(dialogs.records[3].type, platform::DialogRecord::Type::Message);
    EXPECT_EQ(dialogs.records[3].kind, platform::MessageKind::Warning);
    // The text goes before the message with kind 1, and the last error keeps the message.
    ReportDynError(env, 135, 1, "Axis 3: ");
    EXPECT_EQ(env.lastError.code, 135);
    EXPECT_EQ(env.lastError.text, "Axis 3: Range is too large");
}

TEST_F(Errors, AnsweringNoSetsTheStopFlag) {
    dialogs.answers = {platform::Answer::Yes, platform::Answer::No};
    EXPECT_EQ(ReportDynError(env, 136), 0);
    EXPECT_FALSE(env.stop);
    EXPECT_EQ(ReportDynError(env, 136), 1);
    EXPECT_TRUE(env.stop);
    EXPECT_EQ(dvStopFlag(handle), 1);
    dvClearStopFlag(handle);
    EXPECT_FALSE(env.stop);
}

TEST_F(Errors, OnlyCriticalErrorsAreShownWhileMessagesAreOff) {
    env.showErrorMessages = false;
    ReportDynError(env, 133);
    EXPECT_TRUE(dialogs.records.empty());
    EXPECT_EQ(env.lastError.code, 133);
    ReportDynError(env, 149);
    EXPECT_EQ(dialogs.records.size(), 1u);
}

TEST_F(Errors, NoBoxOpensWhileAnotherIsUp) {
    dialogs.onShow = [this](const platform::DialogRecord&) { ReportDynError(env, 134, 2, "inner"); };
    ReportDynError(env, 133);
    EXPECT_EQ(dialogs.records.size(), 1u);
    EXPECT_EQ(env.lastError.text, "No history collection for data set inner");
}

TEST_F(Errors, PlotbasesNumbersGoToPlotbasesRoutine) {
    ReportDynError(env, 55, 2, " - WRSetAlarmLines");
    ASSERT_EQ(dialogs.records.size(), 1u);
    EXPECT_EQ(dialogs.records[0].text, "plotbase error 55: No such data set - WRSetAlarmLines");
    char text[16];
    EXPECT_EQ(dvLastError(handle, text, sizeof text), 55);
    EXPECT_STREQ(text, "No such data se");  // cut to the caller's room
    EXPECT_EQ(dvLastError(handle, nullptr, 0), 55);
}

}  // namespace
}  // namespace dynaview::testing
