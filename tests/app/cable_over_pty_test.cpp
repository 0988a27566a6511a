// The main window on the production clock and serial layer against rfx410-sim on a
// pseudo-terminal: the cable is pulled during continuous acquisition and put back, and
// WAVIX finds the instrument again by itself. Every wait is bounded.

#include "app/app_dialogs.h"
#include "app/main_form.h"

#include "link/link_reconnect.h"
#include "tests/support/real_time_platform.h"
#include "tests/support/sim_program.h"

#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace app {
namespace {

using testsupport::SimProgram;
using testsupport::waitFor;

TEST(CableOverPty, PulledDuringContinuousAcquisitionAndPutBack) {
    QTemporaryDir dir;
    const std::string link = dir.filePath("rfx410").toStdString();
    SimProgram sim({"--link", QString::fromStdString(link), "--verbose"});
    ASSERT_FALSE(sim.devicePath.empty()) << sim.errorOutput().toStdString();
    std::ofstream(dir.filePath("RFX410.INI").toStdString(), std::ios::binary) << "[Ports]\r\nCOM1=" << link << "\r\n";

    testsupport::RealTimePlatform real;
    platform::Platform& services = real.services;
    TMain_Form form(services, {dir.path().toStdString(), false});
    AppDialogs none;
    form.SetDialogs(&none);
    form.show();
    auto greetings = [&] { return sim.errorOutput().count("greeting received"); };
    ASSERT_TRUE(waitFor([&] { return greetings() == 1; }, 3000)) << sim.errorOutput().toStdString();

    auto* hint = form.findChild<QLabel*>("HintPanel");
    auto& data = form.DataObject();
    form.findChild<QCheckBox*>("cbContUpdate")->setChecked(true);
    form.GetWfPBClick();
    ASSERT_TRUE(waitFor([&] { return data.LastArrayPoints == 251; }, 10000)) << "no waveform came";

    sim.toggleCable();
    const QString waiting = QString::fromStdString(instrument::DisconnectedHint(link));
    ASSERT_TRUE(waitFor([&] { return form.StateMachine().IsIdle(); }, 3000)) << real.dialogs.texts().size();
    EXPECT_EQ(hint->text(), waiting);
    ASSERT_FALSE(real.dialogs.texts().empty());
    EXPECT_EQ(real.dialogs.texts().back(), "Error: Failed to get WaveForm!");
    EXPECT_TRUE(form.findChild<QWidget*>("GetWfPB")->isEnabled());

    // Away for a while: still waiting; then back, greeted and said so.
    waitFor([] { return false; }, 1500);
    EXPECT_EQ(hint->text(), waiting);
    sim.toggleCable();
    ASSERT_FALSE(sim.nextDevicePath(3000).empty());
    ASSERT_TRUE(waitFor([&] { return hint->text().startsWith("RFX410 reconnected"); }, 4000)) << hint->text().toStdString();
    EXPECT_EQ(hint->text().toStdString(), instrument::ReconnectedHint(link));
    EXPECT_TRUE(waitFor([&] { return greetings() == 2; }, 2000));

    // Measuring works again without a restart.
    real.dialogs.clear();
    form.findChild<QCheckBox*>("cbContUpdate")->setChecked(false);
    data.LastArrayPoints = 0;
    form.GetWfPBClick();
    ASSERT_TRUE(waitFor([&] { return form.StateMachine().IsIdle(); }, 10000));
    EXPECT_EQ(data.LastArrayPoints, 251);
    EXPECT_TRUE(real.dialogs.texts().empty()) << real.dialogs.texts().front();
    form.close();
}

}  // namespace
}  // namespace app
