// F1 finds the help context of what has the focus: its own, its nearest parent's, or that
// of the highlighted menu item; without any it opens the contents.

#include "platform/doubles/recording_help.h"
#include "platform/qt/help_key_filter.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using platform::HelpContextProperty;

class F1Help : public ::testing::Test {
protected:
    F1Help() : filter(help) {
        qApp->installEventFilter(&filter);
        auto* layout = new QVBoxLayout(&dialog);
        group = new QWidget(&dialog);
        layout->addWidget(group);
        auto* inner = new QVBoxLayout(group);
        edit = new QLineEdit(group);
        inner->addWidget(edit);
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        edit->setFocus();
    }
    ~F1Help() override { qApp->removeEventFilter(&filter); }

    platform::RecordingHelp help;
    platform::HelpKeyFilter filter;
    QWidget dialog;
    QWidget* group = nullptr;
    QLineEdit* edit = nullptr;
};

TEST_F(F1Help, TheNearestParentWithAContextCounts) {
    dialog.setProperty(HelpContextProperty, 6);
    QTest::keyClick(edit, Qt::Key_F1);
    EXPECT_EQ(help.contexts, std::vector<int>{6});
    group->setProperty(HelpContextProperty, 20);
    QTest::keyClick(edit, Qt::Key_F1);
    edit->setProperty(HelpContextProperty, 13);
    QTest::keyClick(edit, Qt::Key_F1);
    EXPECT_EQ(help.contexts, (std::vector<int>{6, 20, 13}));
    EXPECT_EQ(help.contentsShown, 0);
}

TEST_F(F1Help, WithoutAnyContextTheContentsOpen) {
    edit->setProperty(HelpContextProperty, "not a number");
    QTest::keyClick(edit, Qt::Key_F1);
    EXPECT_TRUE(help.contexts.empty());
    EXPECT_EQ(help.contentsShown, 1);
}

TEST_F(F1Help, OtherKeysReachTheControl) {
    dialog.setProperty(HelpContextProperty, 6);
    QTest::keyClicks(edit, "1.5");
    QTest::keyClick(edit, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(edit->text(), "1.5");
    EXPECT_TRUE(help.contexts.empty());
    EXPECT_EQ(help.contentsShown, 0);
}

TEST_F(F1Help, HoldingF1DownOpensHelpOnce) {
    dialog.setProperty(HelpContextProperty, 6);
    QKeyEvent first(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(edit, &first);
    QApplication::sendEvent(edit, &repeated);
    EXPECT_EQ(help.contexts.size(), 1u);
}

TEST_F(F1Help, InAMenuTheHighlightedItemCountsThenTheMenu) {
    dialog.setProperty(HelpContextProperty, 99);
    QMenu menu(&dialog);
    menu.setProperty(HelpContextProperty, 32);
    QAction* communication = menu.addAction("&Communication");
    communication->setProperty(HelpContextProperty, 4);
    QAction* plain = menu.addAction("Plain");
    menu.popup(dialog.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));

    menu.setActiveAction(communication);
    QTest::keyClick(&menu, Qt::Key_F1);
    menu.setActiveAction(plain);
    QTest::keyClick(&menu, Qt::Key_F1);
    EXPECT_EQ(help.contexts, (std::vector<int>{4, 32}));
    menu.close();
}

}  // namespace
