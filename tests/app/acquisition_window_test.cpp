// Acquiring waveforms through the main window: the chains on the wire, what the window
// shows during and after them, and how they fail.

#include "window_fixture.h"

#include "app/dialogs/waveform_options_dialog.h"

#include <QCheckBox>

#include <limits>

namespace app::testing {
namespace {

using Acquisition = WindowTest;

const std::vector<std::string> settingsSent = {"S_VP 1.00", "SNAV 4", "SPNT 251", "SDIS 0.0",
                                               "SWLN 50", "SPRL 0.3", "SPRO 0.000"};

std::vector<std::string> plus(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(Acquisition, SingleWaveformSendsTheChainRefillsTheEditsAndDrawsWhatArrived) {
    rig.instrument.clearReceivedCommands();
    rig.test.tones.clear();
    type(TagStart, "6");
    type(TagLength, "4");
    form.GetWfPBClick();
    EXPECT_FALSE(button("GetWfPB")->isEnabled());  // busy from the first step on
    EXPECT_FALSE(form.EditOf(TagVp)->isEnabled());
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(sent(), plus({"S_VP 1.00", "SNAV 4", "SPNT 251", "SDIS 6", "SWLN 4", "SPRL 0.3", "SPRO 0.000"},
                           {"DUMP", "GTIM", "GWAV"}));
    // The edits show what the instrument reported.
    EXPECT_EQ(form.SettingText(TagStart), "6.00");
    EXPECT_EQ(form.SettingText(TagLength), "4.00");
    EXPECT_EQ(form.SettingText(TagProbeLength), "0.300");
    // The main trace holds exactly the stored points, spread over the window.
    const auto& trace = dataSet(form.Graph().Gfx().handles().mainSet);
    ASSERT_EQ(trace.count, 251);
    const auto& arrived = rig.instrument.lastWaveform();
    for (int i = 0; i < 251; ++i) {
        ASSERT_EQ((*trace.y)[static_cast<std::size_t>(i)], arrived[static_cast<std::size_t>(i)]) << i;
        ASSERT_EQ((*trace.y)[static_cast<std::size_t>(i)], form.DataObject().WaveformAt(i + 1)) << i;
    }
    EXPECT_DOUBLE_EQ((*trace.x)[0], 6.0);
    EXPECT_DOUBLE_EQ((*trace.x)[250], 10.0);
    // Enabled again, with one high beep, and no message.
    EXPECT_TRUE(button("GetWfPB")->isEnabled());
    EXPECT_TRUE(form.EditOf(TagVp)->isEnabled());
    EXPECT_EQ(rig.test.tones.beeps, (std::vector<platform::ToneRecord>{{10000, 50}}));
    EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_F(Acquisition, DerivativeIsFetchedWhenChosenAndRemovedWhenNot) {
    rig.dialogs.acqWave->SetWFtypeIndex(TAcqWaveForm::ReflectionAndDerivative);
    rig.instrument.clearReceivedCommands();
    form.GetWfPBClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(sent().back(), "GLDR");
    const auto& derivative = dataSet(form.Graph().Gfx().handles().derivativeSet);
    ASSERT_EQ(derivative.count, 251);
    EXPECT_EQ((*derivative.y)[10], form.DataObject().DerivativeAt(11));
    EXPECT_NE((*derivative.y)[10], 0.0);

    rig.dialogs.acqWave->SetWFtypeIndex(TAcqWaveForm::ReflectionOnly);
    rig.instrument.clearReceivedCommands();
    form.GetWfPBClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(sent().back(), "GWAV");
    EXPECT_EQ(dataSet(form.Graph().Gfx().handles().derivativeSet).count, 1);
}

TEST_F(Acquisition, ContinuousLoopRunsUntilUncheckedThenEndsAfterTheWaveformUnderWay) {
    auto* box = form.findChild<QCheckBox*>("cbContUpdate");
    box->setChecked(true);
    rig.instrument.clearReceivedCommands();
    rig.test.tones.clear();
    form.GetWfPBClick();
    rig.test.clock.advance(3000);
    EXPECT_TRUE(box->isEnabled());  // the one control left on
    const auto before = sent();
    const auto loops = std::count(before.begin(), before.end(), "GNWA");
    EXPECT_GE(loops, 2);
    EXPECT_EQ(std::vector<std::string>(before.begin(), before.begin() + 9), plus(settingsSent, {"DUMP", "GCAL"}));
    box->setChecked(false);
    ASSERT_TRUE(rig.RunChain());
    const auto after = sent();
    EXPECT_LE(std::count(after.begin(), after.end(), "GNWA"), loops + 1);
    EXPECT_TRUE(button("GetWfPB")->isEnabled());
    EXPECT_EQ(rig.test.tones.beeps, (std::vector<platform::ToneRecord>{{10000, 50}}));
}

TEST_F(Acquisition, SetStepThatCannotStartFailsTheChainAndReenablesTheWindow) {
    form.DataObject().ClosePort();
    rig.test.tones.clear();
    form.GetWfPBClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(messages(), (std::vector<std::string>{"ERROR: Initiating S_VP command = COMM PORT NOT OPEN",
                                                    "ERROR: RFX410 Set Settings Command Failed!"}));
    EXPECT_EQ(rig.test.tones.beeps, (std::vector<platform::ToneRecord>{{500, 500}, {10000, 50}}));
    EXPECT_TRUE(button("GetWfPB")->isEnabled());
}

TEST_F(Acquisition, WaveformThatNeverArrivesIsReported) {
    sim::Fault lost;
    lost.kind = sim::FaultKind::NoReply;
    lost.target = "GWAV";
    rig.instrument.faults().add(lost);
    // A slow acquisition (the instrument says over a minute): the state's own limit of
    // 60 s passes before the reply time-out, and the chain fails.
    sim::InstrumentTiming slow;
    slow.acquisitionPerSampleUs = 100000.0;
    rig.instrument.setTiming(slow);
    form.GetWfPBClick();
    ASSERT_TRUE(rig.RunChain(200000));
    EXPECT_EQ(messages(), std::vector<std::string>{"Error: Failed to get WaveForm!"});
    EXPECT_TRUE(button("GetWfPB")->isEnabled());
    EXPECT_FALSE(form.DataObject().Busy());
}

TEST_F(Acquisition, WaveformReplyTimeoutIsReportedAndTheChainGoesOn) {
    // A quick acquisition: the reply time-out (the acquisition time) comes before the
    // state's limit; it is reported, nothing is drawn, and the chain goes on to its end.
    sim::Fault lost;
    lost.kind = sim::FaultKind::NoReply;
    lost.target = "GWAV";
    rig.instrument.faults().add(lost);
    rig.instrument.clearReceivedCommands();
    form.GetWfPBClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(messages(), std::vector<std::string>{"ERROR: Response to Command GWAV = TIMEOUT"});
    EXPECT_EQ(sent().back(), "GWAV");
}

TEST_F(Acquisition, BusyRulesRefuseASecondOperation) {
    form.GetWfPBClick();
    form.Acquisition().GetJustOneWF();
    EXPECT_EQ(messages(), std::vector<std::string>{"Another Command Currently Active!"});
    ASSERT_TRUE(rig.RunChain());

    // A request still outstanding when a chain starts: its first step refuses.
    rig.test.dialogs.clear();
    form.DataObject().GetCommand("GVER", 10, [](std::int32_t) {});
    form.Acquisition().GetJustOneWF();
    EXPECT_EQ(messages().front(), "Another Command is currently being processed.");
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(messages().back(), "ERROR: RFX410 Set Settings Command Failed!");
}

TEST_F(Acquisition, OverlayCapturedHiddenAndShownAgainWhole) {
    form.GetWfPBClick();
    ASSERT_TRUE(rig.RunChain());
    form.OverlayWfPBClick();
    auto* visible = form.findChild<QCheckBox*>("cbOLvisible");
    EXPECT_TRUE(visible->isChecked());
    const auto overlay = [this]() -> const plotbase::DataSet& { return dataSet(form.Graph().Gfx().handles().savedSet); };
    ASSERT_EQ(overlay().count, 251);
    const double first = (*overlay().y)[0];
    EXPECT_EQ(first, form.DataObject().WaveformAt(1));
    visible->click();  // hide
    EXPECT_EQ(overlay().count, 1);
    visible->click();  // show again
    ASSERT_EQ(overlay().count, 251);
    EXPECT_EQ((*overlay().y)[0], first);
    EXPECT_EQ((*overlay().y)[250], form.Buffers().OverlayWave[250]);
}

TEST_F(Acquisition, ValuesThatAreNotNumbersLeaveAxesAndMarkersAsTheyWere) {
    form.GetWfPBClick();
    ASSERT_TRUE(rig.RunChain());
    auto& gfx = form.Graph().Gfx();
    const int g = gfx.handles().graph;
    auto axis = [&]() -> const plotbase::Axis& {
        return *plotbase::WGGetObjectAs<plotbase::Axis>(gfx.environment(), g, gfx.handles().xAxis);
    };
    auto marker = [&](int index) { return plotbase::WGGetObjectAs<plotbase::DataCursor>(gfx.environment(), g, index)->x; };
    const double xmin = axis().min;
    const double xmax = axis().max;
    const double marker1 = marker(gfx.handles().marker1);
    const double marker2 = marker(gfx.handles().marker2);
    ASSERT_LT(xmin, xmax);

    auto& data = form.DataObject();
    const instrument::InstrumentSettings good = data.Settings;
    const float inf = std::numeric_limits<float>::infinity();
    for (const float bad : {inf, -inf, std::numeric_limits<float>::quiet_NaN()}) {
        for (float instrument::InstrumentSettings::*field : {&instrument::InstrumentSettings::WinStart,
                                                             &instrument::InstrumentSettings::WinLgt}) {
            data.Settings = good;
            data.Settings.*field = bad;
            form.Settings().UpdateDisplay();
            form.Acquisition().WaveformDone(instrument::Success);
            form.Acquisition().DerivativeDone(instrument::Success);
        }
        data.Settings = good;
        data.Vars[1] = bad;
        data.Vars[2] = bad;
        form.Acquisition().WaveformDone(instrument::Success);
    }
    EXPECT_TRUE(messages().empty()) << messages().front();
    EXPECT_EQ(axis().min, xmin);
    EXPECT_EQ(axis().max, xmax);
    EXPECT_EQ(marker(gfx.handles().marker1), marker1);
    EXPECT_EQ(marker(gfx.handles().marker2), marker2);
}

TEST_F(Acquisition, InvalidSettingShowsOnlyItsMessageAndSendsNothing) {
    rig.instrument.clearReceivedCommands();
    type(TagPoints, "2049");
    form.GetWfPBClick();
    rig.test.clock.advance(2000);
    EXPECT_EQ(messages(), std::vector<std::string>{"Waveform Points Value is Out of Range [ 20 to 2048 ]"});
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(form.StateMachine().IsIdle());
}

}  // namespace
}  // namespace app::testing
