// The main window's side of the operating-system upgrade (the menu item, the modal dialog,
// the protocol given back afterwards) and of a serial device that goes away and comes back
// (the chain under way ends, the hint bar says what happens, the link returns by itself).

#include "window_fixture.h"

#include "link/dialogs/os_download_dialog.h"
#include "link/link_reconnect.h"
#include "tests/support/own_temp_path.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>

namespace app::testing {
namespace {

class WindowUpgrade : public WindowTest {
protected:
    WindowUpgrade() {
        std::ofstream(firmware, std::ios::binary)
            << "S00600004844521B\r\nS1130000000102030405060708090A0B0C0D0E0F74\r\nS9030000FC\r\n";
    }
    ~WindowUpgrade() override { std::filesystem::remove(firmware); }

    // Opens "UpGradeOS" and runs `whileOpen` inside the modal dialog.
    void upgradeWith(const std::function<void(instrument::TOSdownForm&)>& whileOpen) {
        auto& dialog = *rig.dialogs.osDown;
        QTimer once;  // gone when this returns, whether the dialog opened or not
        once.setSingleShot(true);
        QObject::connect(&once, &QTimer::timeout, [&] {
            whileOpen(dialog);
            if (dialog.isVisible()) dialog.done(QDialog::Rejected);
        });
        once.start(0);
        form.findChild<QAction*>("UpGradeOsMI")->trigger();
    }

    std::filesystem::path firmware = testsupport::OwnTempPath("window_upgrade", ".sr");
};

TEST_F(WindowUpgrade, TheDialogRunsModallyOverADisabledWindowAndGivesTheProtocolBack) {
    bool windowWasOff = false;
    bool erasingWasHidden = false;
    upgradeWith([&](instrument::TOSdownForm& dialog) {
        windowWasOff = !button("GetWfPB")->isEnabled() && !form.findChild<QMenu*>("OptionsMenu")->menuAction()->isEnabled();
        erasingWasHidden = !dialog.findChild<QLabel*>("stErasing")->isVisible();
        dialog.SetFileName(QString::fromStdString(firmware.string()));
        dialog.OKbtnClick();
        rig.test.clock.advanceUntil([&] { return !dialog.isVisible(); }, 30000, 10);
    });
    EXPECT_TRUE(windowWasOff);
    EXPECT_TRUE(erasingWasHidden);
    EXPECT_EQ(messages(), std::vector<std::string>{instrument::OsUpgradeText::Succeeded});
    EXPECT_EQ(rig.instrument.completedUpgrades(), 1);
    EXPECT_TRUE(button("GetWfPB")->isEnabled());
    EXPECT_TRUE(form.findChild<QMenu*>("Advanced")->menuAction()->isEnabled());
    // The collector is the protocol's again: a waveform comes in as before.
    rig.instrument.clearReceivedCommands();
    form.GetWfPBClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(sent().back(), "GWAV");
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(WindowUpgrade, NotWhileARequestIsOutstanding) {
    ASSERT_EQ(form.DataObject().GetCommand("GCAL", 10, [](std::int32_t) {}), instrument::Success);
    bool opened = false;
    upgradeWith([&](instrument::TOSdownForm&) { opened = true; });
    EXPECT_FALSE(opened);
    EXPECT_EQ(messages(), std::vector<std::string>{"Another Command is currently being processed."});
    rig.test.clock.advance(1000);
    EXPECT_FALSE(rig.dialogs.osDown->isVisible());
}

TEST_F(WindowUpgrade, ThePulledCableEndsTheTransferAtOnce) {
    upgradeWith([&](instrument::TOSdownForm& dialog) {
        dialog.SetFileName(QString::fromStdString(firmware.string()));
        dialog.OKbtnClick();
        rig.test.clock.advance(2000);  // erasing
        rig.test.serial.unplug();
        rig.test.clock.runDue();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(messages(), std::vector<std::string>{instrument::OsUpgradeText::Disconnected});
}

using CablePulled = WindowTest;

TEST_F(CablePulled, DuringContinuousAcquisitionTheChainEndsAndTheLinkComesBackByItself) {
    auto* hint = form.findChild<QLabel*>("HintPanel");
    form.findChild<QCheckBox*>("cbContUpdate")->setChecked(true);
    form.GetWfPBClick();
    auto& data = form.DataObject();
    // Pulled while a waveform is on its way.
    ASSERT_TRUE(rig.test.clock.advanceUntil([&] { return data.Busy() && data.PendingName() == "GNWA"; }, 10000));
    rig.test.serial.unplug();
    rig.test.clock.runDue();
    const std::string waiting = instrument::DisconnectedHint("/dev/ttyS0");
    EXPECT_EQ(hint->text().toStdString(), waiting);
    // The chain ends at once with its own failure message; its error state cancelled the
    // request, so there is no second box about it.
    ASSERT_TRUE(rig.RunChain(300));
    EXPECT_EQ(messages(), std::vector<std::string>{"Error: Failed to get WaveForm!"});
    EXPECT_TRUE(button("GetWfPB")->isEnabled());
    // A control's hint shows while the pointer is on it; the wait is shown again after.
    form.DisplayHint("Acquire waveform from RFX410 and graph.");
    form.DisplayHint("");
    EXPECT_EQ(hint->text().toStdString(), waiting);

    rig.test.clock.advance(5000);
    EXPECT_EQ(rig.instrument.greetingCount(), 1);
    rig.test.serial.plugIn();
    rig.test.clock.advance(1200);
    EXPECT_EQ(hint->text().toStdString(), "RFX410 reconnected (/dev/ttyS0)");
    EXPECT_EQ(rig.instrument.greetingCount(), 2);  // greeted as at start-up
    form.DisplayHint("");
    EXPECT_EQ(hint->text(), "");

    rig.test.dialogs.clear();
    form.findChild<QCheckBox*>("cbContUpdate")->setChecked(false);
    rig.instrument.clearReceivedCommands();
    form.GetWfPBClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(sent().back(), "GWAV");
    EXPECT_TRUE(messages().empty()) << messages().front();
}

}  // namespace
}  // namespace app::testing
