// The multiplexer setup dialog: its tree view follows the tree through every edit, refused
// edits beep, OK sets the address, every close keeps "mux.sav", Cancel brings back the
// tree the dialog was opened with.

#include "mux/dialogs/mux_setup_dialog.h"

#include "platform/doubles/test_platform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace mux {
namespace {

class SetupDialog : public ::testing::Test {
protected:
    SetupDialog() : services(test.platform()), dir(temp.path().toStdString()) {}

    std::unique_ptr<TMuxSetupDlg> Make() {
        setup = std::make_unique<MuxSetup>(dir);
        return std::make_unique<TMuxSetupDlg>(*setup, services, [this](const std::string& a) { address = a; });
    }
    std::string Saved() const {
        std::ifstream in(dir / "mux.sav", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    QTreeWidget* Tree(TMuxSetupDlg& d) { return d.findChild<QTreeWidget*>("TreeView1"); }
    QString Label(TMuxSetupDlg& d, const char* name) { return d.findChild<QLabel*>(name)->text(); }
    void Click(TMuxSetupDlg& d, const char* name) { d.findChild<QPushButton*>(name)->click(); }

    platform::TestPlatform test;
    platform::Platform services;
    QTemporaryDir temp;
    std::filesystem::path dir;
    std::unique_ptr<MuxSetup> setup;
    std::string address = "unset";
};

TEST_F(SetupDialog, TheTreeViewFollowsTheEditsAndTheLabelsTheSelection) {
    auto d = Make();
    d->show();
    EXPECT_EQ(d->windowTitle(), "KLV300 Multiplexer Selection");
    EXPECT_EQ(Label(*d, "LevLbl"), "...");
    EXPECT_EQ(d->findChild<QLineEdit*>("TdrQRBaddr")->text(), "00");
    Click(*d, "AddMux");
    QTreeWidget* tree = Tree(*d);
    ASSERT_EQ(tree->topLevelItemCount(), 8);
    EXPECT_EQ(tree->currentItem()->text(0), "MUXLevel-1, Ch-1");
    EXPECT_EQ(Label(*d, "LevLbl"), "One");
    EXPECT_EQ(Label(*d, "ChLbl"), "1");

    tree->setCurrentItem(tree->topLevelItem(2));
    Click(*d, "AddMux");
    ASSERT_EQ(tree->topLevelItem(2)->childCount(), 8);
    EXPECT_TRUE(tree->topLevelItem(2)->isExpanded());
    tree->setCurrentItem(tree->topLevelItem(2)->child(4));
    EXPECT_EQ(Label(*d, "LevLbl"), "Two");
    EXPECT_EQ(Label(*d, "ChLbl"), "5");
    Click(*d, "AddProbe");
    EXPECT_EQ(Tree(*d)->topLevelItem(2)->child(4)->text(0), "MUXLevel-2, Ch-5--<==");
    EXPECT_TRUE(test.tones.messageBeeps.empty());
    Click(*d, "AddProbe");  // twice: a beep, still one marker
    Click(*d, "AddMux");    // a channel with a probe takes no multiplexer: silently nothing
    EXPECT_EQ(test.tones.messageBeeps.size(), 1u);
    EXPECT_EQ(Tree(*d)->topLevelItem(2)->child(4)->text(0), "MUXLevel-2, Ch-5--<==");
    EXPECT_EQ(Tree(*d)->topLevelItem(2)->child(4)->childCount(), 0);

    Click(*d, "DelMux");  // the level-2 multiplexer goes, channel 3 stays
    EXPECT_EQ(Tree(*d)->topLevelItemCount(), 8);
    EXPECT_EQ(Tree(*d)->topLevelItem(2)->childCount(), 0);
    EXPECT_EQ(Label(*d, "LevLbl"), "One");
    Click(*d, "DelProbe");  // no marker: a beep
    EXPECT_EQ(test.tones.messageBeeps.size(), 2u);
    Click(*d, "DelMux");
    EXPECT_EQ(Tree(*d)->topLevelItemCount(), 0);
    EXPECT_EQ(Label(*d, "ChLbl"), "...");
    Click(*d, "DelMux");  // nothing selected
    EXPECT_EQ(test.tones.messageBeeps.size(), 3u);
}

TEST_F(SetupDialog, OkSetsTheAddressOfTheSelectedProbeOnly) {
    auto d = Make();
    d->show();
    Click(*d, "AddMux");
    QTreeWidget* tree = Tree(*d);
    tree->setCurrentItem(tree->topLevelItem(3));
    Click(*d, "AddProbe");
    Click(*d, "OKBtn");
    EXPECT_EQ(address, "4");
    EXPECT_EQ(d->result(), QDialog::Accepted);
    d->show();
    Tree(*d)->setCurrentItem(Tree(*d)->topLevelItem(1));
    Click(*d, "OKBtn");
    EXPECT_EQ(address, "?-?-?");
    EXPECT_EQ(Saved().substr(0, 18), "MUXLevel-1, Ch-1\r\n");
}

TEST_F(SetupDialog, CancelRestoresTheOpenedTreeAndThatIsWhatIsKept) {
    auto d = Make();
    d->show();
    Click(*d, "AddMux");
    Click(*d, "AddProbe");
    Click(*d, "OKBtn");
    const std::string opened = Saved();
    ASSERT_EQ(opened.substr(0, 23), "MUXLevel-1, Ch-1--<==\r\n");

    d->show();
    QTreeWidget* tree = Tree(*d);
    tree->setCurrentItem(tree->topLevelItem(1));
    Click(*d, "AddMux");
    tree = Tree(*d);
    tree->setCurrentItem(tree->topLevelItem(1)->child(0));
    Click(*d, "AddProbe");
    d->findChild<QLineEdit*>("TdrQRBaddr")->setText("05");
    tree->setCurrentItem(tree->topLevelItem(0));
    Click(*d, "DelProbe");
    Click(*d, "CancelBtn");
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_EQ(Saved(), opened);
    EXPECT_EQ(Tree(*d)->topLevelItem(0)->text(0), "MUXLevel-1, Ch-1--<==");
    EXPECT_EQ(Tree(*d)->topLevelItem(1)->childCount(), 0);
    EXPECT_TRUE(setup->Tree().TopLevel()[0]->probe);
    EXPECT_EQ(setup->QrbAddress, "00");
    EXPECT_EQ(address, "1");  // Cancel sets no address
}

TEST_F(SetupDialog, CreatedWithTheLastTreeAndADamagedOneIsReportedOnce) {
    std::ofstream(dir / "mux.sav", std::ios::binary)
        << "MUXLevel-1, Ch-1\r\n\tMUXLevel-2, Ch-1--<==\r\nMUXLevel-1, Ch-2\r\n\t\t\tdeep\r\n";
    auto d = Make();
    ASSERT_EQ(test.dialogs.texts().size(), 1u);
    EXPECT_NE(test.dialogs.texts()[0].find("Line 4 of"), std::string::npos);
    EXPECT_NE(test.dialogs.texts()[0].find("mux.sav"), std::string::npos);
    ASSERT_EQ(Tree(*d)->topLevelItemCount(), 2);
    EXPECT_EQ(Tree(*d)->topLevelItem(0)->child(0)->text(0), "MUXLevel-2, Ch-1--<==");
    EXPECT_EQ(setup->Tree().SelectedProbeAddress(), "?-?-?");
    EXPECT_TRUE(setup->Tree().SelectFirstProbe());
    EXPECT_EQ(setup->Tree().SelectedProbeAddress(), "1-1");
}

TEST_F(SetupDialog, EveryControlIsNamedForTestsAndScreenReaders) {
    auto d = Make();
    for (const char* name : {"AddMux", "DelMux", "AddProbe", "DelProbe", "OKBtn", "CancelBtn", "HelpBtn"}) {
        auto* b = d->findChild<QPushButton*>(name);
        ASSERT_TRUE(b) << name;
        EXPECT_FALSE(b->accessibleName().isEmpty()) << name;
    }
    EXPECT_EQ(d->findChild<QPushButton*>("AddProbe")->text(), "Attach &Probe");
    EXPECT_EQ(d->findChild<QLineEdit*>("TdrQRBaddr")->accessibleName(), "RFX410 QRB Address");
    Click(*d, "HelpBtn");
    EXPECT_EQ(test.help.contexts, std::vector<int>{7});
}

}  // namespace
}  // namespace mux
