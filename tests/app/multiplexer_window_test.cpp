// The multiplexer from the main window: the setup dialog and its menu item, the probe
// controls at start-up, stepping with the settings of each probe, and setup files.

#include "window_fixture.h"

#include "mux/dialogs/mux_setup_dialog.h"
#include "platform/profile_file.h"

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <fstream>
#include <iterator>

namespace app::testing {
namespace {

const char* const ThreeProbes =
    "MUXLevel-1, Ch-1\r\nMUXLevel-1, Ch-2--<==\r\nMUXLevel-1, Ch-3\r\n\tMUXLevel-2, Ch-1\r\n"
    "\tMUXLevel-2, Ch-2--<==\r\n\tMUXLevel-2, Ch-3--<==\r\n";

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class StartedWith : public ::testing::Test {
protected:
    std::unique_ptr<MainWindowRig> Start(const std::string& muxSav) {
        if (!muxSav.empty()) std::ofstream(dir() / "mux.sav", std::ios::binary) << muxSav;
        return std::make_unique<MainWindowRig>(MainWindowRig::Options{dir(), false, true});
    }
    std::filesystem::path dir() const { return temp.path().toStdString(); }
    QTemporaryDir temp;
};

bool Shown(TMain_Form& form, const char* name) { return form.findChild<QWidget*>(name)->isVisibleTo(&form); }
QLabel* Address(TMain_Form& form) { return form.findChild<QLabel*>("CurMuxAddr"); }

TEST_F(StartedWith, ASetupShowsTheProbeControlsAndTheFirstProbeWithoutSendingAnything) {
    auto rig = Start(ThreeProbes);
    TMain_Form& form = *rig->form;
    EXPECT_TRUE(Shown(form, "MuxGB"));
    EXPECT_FALSE(Shown(form, "lblNoMuxAddr"));
    EXPECT_EQ(Address(form)->text(), "2");
    EXPECT_EQ(Address(form)->accessibleName(), "Multiplexer Address");
    EXPECT_EQ(Address(form)->accessibleDescription(), "2");
    EXPECT_TRUE(form.findChild<QAction*>("SaveMuxSetup")->isEnabled());
    rig->test.clock.advance(2000);
    for (const auto& c : rig->instrument.receivedCommands()) EXPECT_NE(c.rfind("SMUX", 0), 0u) << c;
}

TEST_F(StartedWith, NoSetupNoProbeControls) {
    auto rig = Start("");
    EXPECT_FALSE(Shown(*rig->form, "MuxGB"));
    EXPECT_TRUE(Shown(*rig->form, "lblNoMuxAddr"));
    EXPECT_FALSE(rig->form->findChild<QAction*>("SaveMuxSetup")->isEnabled());
}

TEST_F(StartedWith, ADamagedSetupFileStartsWithWhatCouldBeReadAndSaysSoOnce) {
    auto rig = Start("MUXLevel-1, Ch-1--<==\r\n\t\tMUXLevel-3, Ch-1\r\n");
    ASSERT_EQ(rig->test.dialogs.texts().size(), 1u);
    EXPECT_NE(rig->test.dialogs.texts()[0].find("Line 2 of"), std::string::npos);
    EXPECT_EQ(Address(*rig->form)->text(), "1");
}

TEST_F(StartedWith, SteppingSwitchesTheMultiplexersAndSwapsInEachProbesSettings) {
    platform::ProfileFile(dir() / "3-3.INI").writeString("Settings", "LgtEd", "7.5");
    auto rig = Start(ThreeProbes);
    TMain_Form& form = *rig->form;
    auto* up = form.findChild<QToolButton*>("NextProbeUp");
    auto* down = form.findChild<QToolButton*>("NextProbeDown");
    up->click();
    EXPECT_EQ(Address(form)->text(), "3-2");
    up->click();
    EXPECT_EQ(Address(form)->text(), "3-3");
    rig->test.clock.advance(500);
    ASSERT_TRUE(rig->RunChain());
    EXPECT_EQ(rig->instrument.probeAddress(), "3-3");
    EXPECT_EQ(form.SettingText(TagLength), "7.5");
    EXPECT_EQ(form.SettingText(TagVp), "1.0");  // a probe file's default
    EXPECT_FALSE(form.Settings().SettingsChanged);

    // A changed setting is offered for saving into the probe's file on the next step.
    form.EditOf(TagAverages)->setText("16");
    rig->test.dialogs.answers.push_back(platform::Answer::Ok);
    down->click();
    EXPECT_EQ(rig->test.dialogs.texts().back(), "Setting have been changed, Save Changes?");
    EXPECT_EQ(platform::ProfileFile(dir() / "3-3.INI").readString("Settings", "AvgEd", ""), "16");
    EXPECT_EQ(Address(form)->text(), "3-2");
}

TEST_F(StartedWith, TheMultiplexerMenuItemShowsOrHidesTheProbeControls) {
    auto rig = Start("");
    TMain_Form& form = *rig->form;
    auto* dialog = rig->dialogs.muxSetup;
    QTimer::singleShot(0, dialog, [dialog] {
        dialog->AddMuxClick();
        dialog->findChild<QTreeWidget*>("TreeView1")->setCurrentItem(
            dialog->findChild<QTreeWidget*>("TreeView1")->topLevelItem(4));
        dialog->AddProbeClick();
        dialog->OKBtnClick();
    });
    form.MuxSetgClick();
    EXPECT_TRUE(Shown(form, "MuxGB"));
    EXPECT_TRUE(form.findChild<QAction*>("SaveMuxSetup")->isEnabled());
    EXPECT_EQ(Address(form)->text(), "5");
    EXPECT_EQ(Contents(dir() / "mux.sav").substr(0, 18), "MUXLevel-1, Ch-1\r\n");

    // Cancelled with a tree: nothing changes; emptied: the controls go.
    QTimer::singleShot(0, dialog, [dialog] { dialog->CancelBtnClick(); });
    form.MuxSetgClick();
    EXPECT_TRUE(Shown(form, "MuxGB"));
    QTimer::singleShot(0, dialog, [dialog] {
        auto* tree = dialog->findChild<QTreeWidget*>("TreeView1");
        tree->setCurrentItem(tree->topLevelItem(0));
        dialog->DelMuxClick();
        dialog->CancelBtnClick();
    });
    form.MuxSetgClick();
    EXPECT_TRUE(Shown(form, "MuxGB"));  // Cancel brought the tree back
    QTimer::singleShot(0, dialog, [dialog] {
        auto* tree = dialog->findChild<QTreeWidget*>("TreeView1");
        tree->setCurrentItem(tree->topLevelItem(0));
        dialog->DelMuxClick();
        dialog->OKBtnClick();
    });
    form.MuxSetgClick();
    EXPECT_FALSE(Shown(form, "MuxGB"));
    EXPECT_FALSE(form.findChild<QAction*>("SaveMuxSetup")->isEnabled());
    EXPECT_EQ(Contents(dir() / "mux.sav"), "");
}

TEST_F(StartedWith, SetupFilesAreSavedAndLoadedFromTheFileMenu) {
    auto rig = Start(ThreeProbes);
    TMain_Form& form = *rig->form;
    rig->test.dialogs.files.push_back((dir() / "site.MUX").string());
    form.SaveMuxSetupClick();
    EXPECT_EQ(rig->test.dialogs.records.back().title, "Save TDR Multiplexer Setup");
    EXPECT_EQ(rig->test.dialogs.records.back().text, "MuxSetup (*.MUX)|*.MUX");
    EXPECT_EQ(Contents(dir() / "site.MUX"), ThreeProbes);

    std::ofstream(dir() / "empty.MUX", std::ios::binary).flush();
    rig->test.dialogs.files.push_back((dir() / "empty.MUX").string());
    form.RestoreMuxSetupClick();
    EXPECT_EQ(rig->test.dialogs.records.back().title, "Get TDR Multiplexer Setup");
    EXPECT_TRUE(form.MuxSetup().Tree().Empty());
    EXPECT_FALSE(Shown(form, "MuxGB"));
    // Neither the address shown nor "Save Mux Setup" change with a load.
    EXPECT_EQ(Address(form)->text(), "2");
    EXPECT_TRUE(form.findChild<QAction*>("SaveMuxSetup")->isEnabled());

    rig->test.dialogs.files.push_back((dir() / "site.MUX").string());
    form.RestoreMuxSetupClick();
    EXPECT_TRUE(Shown(form, "MuxGB"));
    EXPECT_EQ(form.MuxSetup().Tree().NodeCount(), 6u);
    EXPECT_TRUE(rig->test.dialogs.texts().empty());
}

TEST_F(StartedWith, TheQrbAddressComesFromAndGoesToTheSettingsFile) {
    std::ofstream(dir() / "RFX410.INI", std::ios::binary) << "[Settings]\r\nQRBaddr=01\r\n";
    auto rig = Start(ThreeProbes);
    EXPECT_EQ(rig->dialogs.muxSetup->QrbAddressText(), "01");
    rig->dialogs.muxSetup->SetQrbAddressText("02");
    rig->Close();
    EXPECT_EQ(platform::ProfileFile(dir() / "RFX410.INI").readString("Settings", "QRBaddr", ""), "02");
}

}  // namespace
}  // namespace app::testing
