// Water content, bulk EC and the linearity test through the main window, against the
// simulated instrument in memory: the frames each chain sends, what the window shows for
// known instrument values, and how the chains fail.

#include "window_fixture.h"

#include "analysis/dialogs/calibration_dialog.h"
#include "analysis/linearity_test.h"
#include "analysis/water_content.h"
#include "platform/profile_file.h"

#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>

#include <fstream>

namespace app::testing {
namespace {

const std::vector<std::string> settingsSent = {"S_VP 1.00", "SNAV 4", "SPNT 251", "SDIS 0.0",
                                               "SWLN 50", "SPRL 0.3", "SPRO 0.000"};

std::vector<std::string> plus(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

sim::Fault fault(sim::FaultKind kind, const char* target, int value = 0) {
    sim::Fault f;
    f.kind = kind;
    f.target = target;
    f.value = value;
    return f;
}

class Measurements : public WindowTest {
protected:
    Measurements() {
        rig.instrument.clearReceivedCommands();
        rig.test.tones.clear();
    }
    QString shown(const char* label) { return form.findChild<QLabel*>(label)->text(); }
    const plotbase::DataCursor& marker(int handle) {
        auto& gfx = form.Graph().Gfx();
        return *plotbase::WGGetObjectAs<plotbase::DataCursor>(gfx.environment(), gfx.handles().graph, handle);
    }
    void chooseCalibration(const char* radio) {
        rig.dialogs.caliDlg->findChild<QRadioButton*>(radio)->setChecked(true);
        rig.dialogs.caliDlg->OKBtnClick();
    }
    void setMedium(double dielectric, double conductivity) { rig.instrument.setMedium({dielectric, conductivity}); }
};

TEST_F(Measurements, WaterContentSendsItsChainAndShowsTheCalibratedValueWithTheWaveformItCameFrom) {
    setMedium(4.0, 0.02);  // X = sqrt(4) = 2: Ledieu gives 0.1138 x 2 - 0.1758 = 0.0518
    form.Buffers().LinearityWaveShown = true;
    form.CalcWCClick();
    EXPECT_FALSE(button("CalcWC")->isEnabled());
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(sent(), plus(settingsSent, {"DUMP", "GTIM", "GMOS", "GLWF", "GVAR"}));
    EXPECT_FLOAT_EQ(form.DataObject().GmosValue, 2.0f);
    EXPECT_EQ(shown("stVWC"), "   0.052");
    EXPECT_TRUE(messages().empty()) << messages().front();
    EXPECT_EQ(rig.test.tones.beeps, (std::vector<platform::ToneRecord>{{10000, 50}}));
    EXPECT_TRUE(button("CalcWC")->isEnabled());
    // The waveform the instrument measured on, with the probe's two ends marked.
    const auto& trace = dataSet(form.Graph().Gfx().handles().mainSet);
    ASSERT_EQ(trace.count, 251);
    EXPECT_EQ((*trace.y)[100], rig.instrument.lastWaveform()[100]);
    const auto model = rig.instrument.model();
    EXPECT_NEAR(marker(form.Graph().Gfx().handles().marker1).x, model.headDistance(), 1e-4);
    EXPECT_NEAR(marker(form.Graph().Gfx().handles().marker2).x, model.endDistance(), 1e-4);
    EXPECT_FALSE(form.Buffers().LinearityWaveShown);

    // The value follows the medium and the equation: Topp at Ka = 20.
    setMedium(20.0, 0.02);
    chooseCalibration("ToppRB");
    form.CalcWCClick();
    ASSERT_TRUE(rig.RunChain());
    float topp = 0;
    analysis::EvalCalibration(topp, {}, analysis::ToppFixed, form.DataObject().GmosValue);
    EXPECT_EQ(shown("stVWC").toStdString(), rig.services.numbers.formatWidth(topp, 8, 3));
    EXPECT_EQ(shown("stVWC"), "   0.345");  // 4.3e-6 x 8000 - 0.00055 x 400 + 0.0292 x 20 - 0.053
}

TEST_F(Measurements, WaterContentFailuresShowWhatTheStoreHoldsAndTheChainGoesOn) {
    // A refused GMOS still rewrites the field, from the value stored before (0 here): Topp
    // gives 0 at X = 0.
    chooseCalibration("ToppRB");
    rig.instrument.faults().add(fault(sim::FaultKind::InstrumentError, "GMOS", 16));
    form.CalcWCClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(shown("stVWC"), "   0.000");
    EXPECT_EQ(messages(), std::vector<std::string>{"ERROR: Response to Command GMOS\r\nBad Moisture Calculation"});
    EXPECT_EQ(sent(), plus(settingsSent, {"DUMP", "GTIM", "GMOS", "GLWF", "GVAR"}));

    // A probe length of zero means no probe: nothing is sent.
    rig.instrument.clearReceivedCommands();
    rig.test.dialogs.clear();
    type(TagProbeLength, "0.000");
    form.CalcWCClick();
    EXPECT_EQ(messages(), std::vector<std::string>{analysis::NoProbeMessage});
    rig.test.clock.advance(3000);
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(form.StateMachine().IsIdle());
    EXPECT_TRUE(button("CalcWC")->isEnabled());

    // An invalid setting: only its range message.
    rig.test.dialogs.clear();
    type(TagProbeLength, "11");
    form.CalcWCClick();
    EXPECT_EQ(messages(), std::vector<std::string>{"Probe Length Value is Out of Range [ 0.0 to 10.0 ]"});
    EXPECT_TRUE(sent().empty());
}

TEST_F(Measurements, LastWaveformErrorLeavesTheGraphButTheMarkersStillMove) {
    form.GetWfPBClick();
    ASSERT_TRUE(rig.RunChain());
    const int countBefore = dataSet(form.Graph().Gfx().handles().mainSet).count;
    const double firstValue = (*dataSet(form.Graph().Gfx().handles().mainSet).y)[0];
    rig.instrument.faults().add(fault(sim::FaultKind::InstrumentError, "GLWF", 15));
    rig.test.dialogs.clear();
    form.CalcWCClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(messages(), std::vector<std::string>{"ERROR: Response to Command GLWF\r\nBad Data"});
    const auto& after = dataSet(form.Graph().Gfx().handles().mainSet);
    EXPECT_EQ(after.count, countBefore);
    EXPECT_EQ((*after.y)[0], firstValue);
    EXPECT_NEAR(marker(form.Graph().Gfx().handles().marker2).x, rig.instrument.model().endDistance(), 1e-4);
    EXPECT_TRUE(marker(form.Graph().Gfx().handles().marker2).placed);
}

TEST_F(Measurements, MeasurementLongerThanItsStateAllowsEndsInTheErrorState) {
    // The instrument says a measurement takes over 10 s, and takes that long: the state's
    // own limit of 10000 ms ends the wait, whatever the reply time-out allows.
    sim::InstrumentTiming slow;
    slow.analysisMs = 15000;
    rig.instrument.setTiming(slow);
    form.CalcWCClick();
    ASSERT_TRUE(rig.RunChain(60000));
    EXPECT_EQ(messages(), std::vector<std::string>{analysis::WaterContentFailedMessage});
    EXPECT_EQ(sent().back(), "GMOS");
    EXPECT_FALSE(form.DataObject().Busy());
    EXPECT_TRUE(button("CalcWC")->isEnabled());
}

TEST_F(Measurements, WaterContentTimeBelowOneSecondKeepsTheReplyTimerOfTheRequestBefore) {
    // The instrument reports 0.9 s: the GMOS request gets 0 whole seconds, and its reply
    // timer runs on with the 10 s of the GTIM request before it instead of expiring at once.
    sim::InstrumentTiming quick;
    quick.reportMarginSeconds = 0.9 - (sim::acquisitionMs(quick, rig.instrument.settings()) + quick.analysisMs) / 1000.0;
    rig.instrument.setTiming(quick);
    rig.instrument.faults().add(fault(sim::FaultKind::NoReply, "GMOS"));
    form.CalcWCClick();
    ASSERT_TRUE(rig.test.clock.advanceUntil([&] { return form.DataObject().PendingName() == "GMOS"; }, 10000, 10));
    EXPECT_FLOAT_EQ(form.DataObject().Times.WaterContentSeconds, 0.9f);
    auto& driver = form.DataObject().Driver();
    EXPECT_EQ(driver.Port()->timerTriggerTicks(driver.ReplyTimer()), platform::SerialPort::secondsToTicks(10));
    rig.test.clock.advance(9000);
    EXPECT_EQ(form.DataObject().PendingName(), "GMOS");  // still waiting after 9 s
    EXPECT_TRUE(messages().empty());
    ASSERT_TRUE(rig.RunChain());
    EXPECT_TRUE(button("CalcWC")->isEnabled());
}

class BulkECWith : public ::testing::Test {
protected:
    std::unique_ptr<MainWindowRig> start(const std::string& ini) {
        if (!ini.empty()) std::ofstream(dir() / "RFX410.INI", std::ios::binary) << ini;
        auto rig = std::make_unique<MainWindowRig>(MainWindowRig::Options{dir(), false, true});
        // G = EC / Kp = 0.3 / 6 = 0.05 S.
        rig->instrument.setMedium({20.0, 0.3});
        rig->instrument.clearReceivedCommands();
        return rig;
    }
    std::filesystem::path dir() const { return temp.path().toStdString(); }
    QTemporaryDir temp;
};

TEST_F(BulkECWith, CellConstantScalesTheReadingAndZeroLeavesItUnscaled) {
    auto rig = start("[Settings]\r\nCellConst=1.5\r\n");
    TMain_Form& form = *rig->form;
    form.CalcBulkECClick();
    EXPECT_FALSE(form.findChild<QPushButton*>("CalcBulkEC")->isEnabled());
    ASSERT_TRUE(rig->RunChain());
    const std::vector<std::string> sent(rig->instrument.receivedCommands().begin(), rig->instrument.receivedCommands().end());
    EXPECT_EQ(sent, plus(settingsSent, {"DUMP", "GCON"}));
    EXPECT_FLOAT_EQ(form.DataObject().GconValue, 0.05f);
    EXPECT_EQ(form.findChild<QLabel*>("stBulkEC")->text(), "  0.0750");
    EXPECT_TRUE(rig->test.dialogs.texts().empty());
    EXPECT_TRUE(form.findChild<QPushButton*>("CalcBulkEC")->isEnabled());

    auto unscaled = start("[Settings]\r\nCellConst=0\r\n");
    unscaled->form->CalcBulkECClick();
    ASSERT_TRUE(unscaled->RunChain());
    EXPECT_EQ(unscaled->form->findChild<QLabel*>("stBulkEC")->text(), "  0.0500");
}

TEST_F(BulkECWith, ConductanceThatNeverComesEndsInTheErrorState) {
    auto rig = start("");
    sim::InstrumentTiming slow;
    slow.conductivityBaseMs = 15000;  // longer than the state's 10000 ms (the reply may take 20 s)
    rig->instrument.setTiming(slow);
    rig->form->CalcBulkECClick();
    ASSERT_TRUE(rig->RunChain(60000));
    EXPECT_EQ(rig->test.dialogs.texts(), std::vector<std::string>{"Error: Failed to get bulk electrical conductivity!"});
    EXPECT_FALSE(rig->form->DataObject().Busy());
    EXPECT_TRUE(rig->form->findChild<QPushButton*>("CalcBulkEC")->isEnabled());
}

class Linearity : public WindowTest {
protected:
    Linearity() : WindowTest(MainWindowRig::Options{{}, true, true}) {
        rig.instrument.setReferenceSource(true);
        rig.instrument.clearReceivedCommands();
    }
    std::vector<float> result() {
        const auto& trace = dataSet(form.Graph().Gfx().handles().mainSet);
        return std::vector<float>(trace.y->begin(), trace.y->begin() + trace.count);
    }
};

TEST_F(Linearity, ReferenceSourceGivesAFlatLineOfSpacings) {
    form.LinearityTestClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(sent(), (std::vector<std::string>{"S_VP 0.67", "SNAV 16", "SPNT 2048", "SDIS 2.0", "SWLN 25", "DUMP",
                                                "GTIM", "GWAV"}));
    EXPECT_EQ(messages(), std::vector<std::string>{analysis::ConnectSourceMessage});
    const auto spacings = result();
    ASSERT_GT(spacings.size(), 100u);
    // The points field shows N; the graph shows the N spacings on the fixed axis.
    EXPECT_EQ(form.SettingText(TagPoints), std::to_string(spacings.size()));
    EXPECT_EQ(form.Buffers().Header.PointCount, static_cast<int>(spacings.size()));
    const auto range = form.Graph().Gfx().GetValueAxisRange();
    ASSERT_TRUE(range);
    EXPECT_FLOAT_EQ(static_cast<float>(range->min), 0.185f);
    EXPECT_FLOAT_EQ(static_cast<float>(range->max), 0.22f);
    EXPECT_FLOAT_EQ(form.Graph().Gfx().YaxisMax, 1.0f);  // the user's range is kept
    // A linear time base: every spacing is the source's period (2 ns at Vp 0.67), within noise.
    const double period = 0.299792458 * 2.0 * 0.67 / 2.0 * 2047.0 / 2048.0;
    for (float s : spacings) ASSERT_NEAR(s, period, 0.002);
    EXPECT_TRUE(form.Buffers().LinearityWaveShown);
    EXPECT_EQ(form.SettingText(TagStart), "2.00");  // the rest of the panel shows the fixed set-up

    // The overlay capture takes the result, not the waveform.
    form.OverlayWfPBClick();
    const auto& overlay = dataSet(form.Graph().Gfx().handles().savedSet);
    ASSERT_EQ(overlay.count, static_cast<int>(spacings.size()));
    EXPECT_EQ((*overlay.y)[5], spacings[5]);

    // A new waveform ends linearity mode.
    form.GetWfPBClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_FALSE(form.Buffers().LinearityWaveShown);
}

TEST_F(Linearity, TimeBaseThatIsOffShowsASlope) {
    rig.instrument.setTimebaseError(0.05);  // the spacing grows 5 % along the window
    form.LinearityTestClick();
    ASSERT_TRUE(rig.RunChain());
    const auto spacings = result();
    ASSERT_GT(spacings.size(), 100u);
    const double first = (spacings[0] + spacings[1] + spacings[2]) / 3.0;
    const double last = (spacings[spacings.size() - 1] + spacings[spacings.size() - 2] + spacings[spacings.size() - 3]) / 3.0;
    EXPECT_NEAR(first / last, 1.05, 0.01);
}

TEST_F(Linearity, NoSourceGivesTheNoResultMessageAndLeavesTheGraph) {
    rig.instrument.faults().add(fault(sim::FaultKind::InstrumentError, "GWAV", 15));  // the store keeps zeros
    const int before = dataSet(form.Graph().Gfx().handles().mainSet).count;
    form.LinearityTestClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(messages(), (std::vector<std::string>{analysis::ConnectSourceMessage,
                                                    "ERROR: Response to Command GWAV\r\nBad Data",
                                                    analysis::NoLinearityResultMessage}));
    EXPECT_EQ(dataSet(form.Graph().Gfx().handles().mainSet).count, before);
    EXPECT_FALSE(form.Buffers().LinearityWaveShown);
}

TEST_F(Linearity, SetUpThatFailsIsReportedAndAChainAlreadyRunningRefusesTheTest) {
    form.GetWfPBClick();
    form.LinearityTestClick();
    EXPECT_EQ(messages(), std::vector<std::string>{"Another Command Currently Active!"});
    ASSERT_TRUE(rig.RunChain());

    rig.test.dialogs.clear();
    form.DataObject().ClosePort();
    form.LinearityTestClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(messages(), (std::vector<std::string>{analysis::ConnectSourceMessage,
                                                    "ERROR: Initiating S_VP command = COMM PORT NOT OPEN",
                                                    "Error: Failed to get Variables!"}));
}

}  // namespace
}  // namespace app::testing
