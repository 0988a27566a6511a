// The help viewer as the program uses it: opened at a context, at the contents or at the
// index, and driven by the user from there.

#include "help/help_screenshot.h"
#include "help/help_topics.h"
#include "platform/qt/help_window.h"
#include "platform/qt/qt_help.h"

#include <QDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include "tests/help/qstring_printer.h"

#include <gtest/gtest.h>

namespace {

class HelpViewer : public ::testing::Test {
protected:
    HelpViewer() : help(help::topicsRoot()) { help.setHelpFile(help::HelpFileName); }

    platform::HelpWindow& window() { return help.window(); }
    std::string shownFile() { return QFileInfo(window().browser()->source().path()).fileName().toStdString(); }
    QWidget* indexPage() { return window().indexList()->parentWidget(); }

    platform::QtHelp help;
};

TEST_F(HelpViewer, AContextNumberOpensItsTopicInAVisibleWindow) {
    help.showContext(21);
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().windowTitle(), "WAVIX Help");
    EXPECT_FALSE(window().isModal());
    EXPECT_EQ(shownFile(), "get_waveform.html");
    EXPECT_EQ(window().browser()->documentTitle(), "Get Waveform");
    EXPECT_FALSE(window().note()->isVisible());
    ASSERT_NE(window().contentsTree()->currentItem(), nullptr);
    EXPECT_EQ(window().contentsTree()->currentItem()->text(0), "Get Waveform");
}

TEST_F(HelpViewer, BothSpellingsOfTheHelpFileWork) {
    help.setHelpFile("rfx410H");
    help.showContext(4);
    EXPECT_EQ(shownFile(), "communication_settings.html");
}

TEST_F(HelpViewer, AnUnknownNumberOpensTheContentsWithANote) {
    help.showContext(9999);
    EXPECT_EQ(window().navigation()->currentWidget(), window().contentsTree());
    EXPECT_TRUE(window().note()->isVisible());
    EXPECT_TRUE(window().note()->text().contains("9999"));
    EXPECT_EQ(shownFile(), "welcome.html");
    // The note belongs to that request only.
    help.showContext(22);
    EXPECT_FALSE(window().note()->isVisible());
}

TEST_F(HelpViewer, AMissingHelpFileIsSaidSo) {
    help.setHelpFile("elsewhere.hlp");
    help.showContext(21);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(window().note()->isVisible());
    EXPECT_TRUE(window().note()->text().contains("elsewhere.hlp"));
    EXPECT_TRUE(window().browser()->source().isEmpty());
}

TEST_F(HelpViewer, ContentsOpenWithTheFocusInTheTree) {
    help.showContents();
    EXPECT_EQ(window().navigation()->currentWidget(), window().contentsTree());
    EXPECT_EQ(window().focusWidget(), window().contentsTree());
    EXPECT_EQ(shownFile(), "welcome.html");
}

TEST_F(HelpViewer, TheIndexOpensWithTheCursorInItsField) {
    help.showIndex("");
    EXPECT_EQ(window().navigation()->currentWidget(), indexPage());
    EXPECT_TRUE(window().indexField()->text().isEmpty());
    EXPECT_EQ(window().focusWidget(), window().indexField());
    EXPECT_EQ(window().indexList()->currentRow(), 0);
}

TEST_F(HelpViewer, APartialKeywordPreselectsTheFirstMatch) {
    help.showIndex("overl");
    ASSERT_NE(window().indexList()->currentItem(), nullptr);
    EXPECT_EQ(window().indexList()->currentItem()->text(), "Overlay");
    EXPECT_EQ(window().indexField()->text(), "overl");
    help.showIndex("timeout");
    EXPECT_EQ(window().indexList()->currentItem()->text(), "TIMEOUT");
    help.showIndex("no such word");
    EXPECT_EQ(window().indexList()->currentItem(), nullptr);
}

TEST_F(HelpViewer, TypingInTheIndexFieldSelectsAndEnterOpens) {
    help.showIndex("");
    QTest::keyClicks(window().indexField(), "probe off");
    EXPECT_EQ(window().indexList()->currentItem()->text(), "Probe Offset");
    QTest::keyClick(window().indexField(), Qt::Key_Down);
    EXPECT_EQ(window().indexList()->currentItem()->text(), "Probe Offset Value is Out of Range");
    QTest::keyClick(window().indexField(), Qt::Key_Return);
    EXPECT_EQ(shownFile(), "setting_probe_offset.html");
}

TEST_F(HelpViewer, AnIndexEntryWithAnAnchorScrollsToIt) {
    help.showIndex("TIMEOUT");
    QTest::keyClick(window().indexField(), Qt::Key_Return);
    EXPECT_EQ(shownFile(), "response_messages.html");
    EXPECT_EQ(window().browser()->source().fragment(), "timeout");
}

TEST_F(HelpViewer, ContentsEntriesOpenFromTheKeyboard) {
    help.showContents();
    const auto found = window().contentsTree()->findItems("Sounds", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    window().contentsTree()->setCurrentItem(found.front());
    QTest::keyClick(window().contentsTree(), Qt::Key_Return);
    EXPECT_EQ(shownFile(), "sounds.html");

    QTreeWidgetItem* heading = window().contentsTree()->findItems("Messages", Qt::MatchExactly).value(0);
    ASSERT_NE(heading, nullptr);
    ASSERT_TRUE(heading->isExpanded());
    window().contentsTree()->setCurrentItem(heading);
    QTest::keyClick(window().contentsTree(), Qt::Key_Return);
    EXPECT_FALSE(heading->isExpanded());
    EXPECT_EQ(shownFile(), "sounds.html");
}

TEST_F(HelpViewer, BackAndForwardStepThroughTheTopicsSeen) {
    help.showContext(21);
    EXPECT_FALSE(window().backButton()->isEnabled());
    help.showContext(22);
    ASSERT_TRUE(window().backButton()->isEnabled());
    QTest::mouseClick(window().backButton(), Qt::LeftButton);
    EXPECT_EQ(shownFile(), "get_waveform.html");
    ASSERT_TRUE(window().forwardButton()->isEnabled());
    QTest::mouseClick(window().forwardButton(), Qt::LeftButton);
    EXPECT_EQ(shownFile(), "continuous_update.html");
}

TEST_F(HelpViewer, ClickingALinkOpensTheLinkedTopic) {
    help.showContext(21);
    QTextBrowser* browser = window().browser();
    // Find the first link to the settings topic and click in its middle.
    QTextCursor link;
    for (QTextBlock block = browser->document()->begin(); block.isValid() && link.isNull(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorHref() == "settings_panel.html") {
                link = QTextCursor(browser->document());
                link.setPosition(it.fragment().position() + it.fragment().length() / 2);
                break;
            }
    ASSERT_FALSE(link.isNull());
    browser->setTextCursor(link);
    browser->ensureCursorVisible();
    const QPoint where = browser->cursorRect(link).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, where);
    EXPECT_EQ(shownFile(), "settings_panel.html");
}

TEST_F(HelpViewer, EscapeClosesTheWindowWithoutEndingTheProgram) {
    help.showContext(21);
    EXPECT_FALSE(window().testAttribute(Qt::WA_QuitOnClose));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(window().browser(), Qt::Key_Escape);
    EXPECT_FALSE(window().isVisible());
}

// Records whether a modal window blocks the widget it watches.
class BlockWatcher : public QObject {
public:
    bool blocked = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowBlocked) blocked = true;
        if (event->type() == QEvent::WindowUnblocked) blocked = false;
        return false;
    }
};

TEST_F(HelpViewer, HelpOpenedFromAModalDialogCanBeUsed) {
    BlockWatcher watcher;
    window().installEventFilter(&watcher);
    help.showContext(21);  // open before the dialog, as when the user keeps help beside the program
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_TRUE(watcher.blocked);

    help.showContext(6);  // the dialog's Help button
    EXPECT_FALSE(watcher.blocked);
    QTest::mouseClick(window().windowHandle(), Qt::LeftButton, {}, window().backButton()->mapTo(&window(), QPoint(5, 5)));
    EXPECT_EQ(shownFile(), "get_waveform.html");

    dialog.hide();
    help.showContext(22);
    EXPECT_EQ(window().windowHandle()->transientParent(), nullptr);
    window().removeEventFilter(&watcher);
}

TEST(HelpScreenshot, RendersTheViewerAtATopic) {
    QTemporaryDir dir;
    const QString path = dir.filePath("help.png");
    ASSERT_TRUE(help::RenderHelpScreenshot(path));
    const QImage image(path);
    EXPECT_GE(image.width(), 800);
    EXPECT_GE(image.height(), 500);
    // WAVIX_SCREENSHOT_DIR keeps the whole set to look at.
    const QString keep = qEnvironmentVariable("WAVIX_SCREENSHOT_DIR");
    const QStringList written = help::RenderHelpScreenshots(keep.isEmpty() ? dir.path() : keep);
    EXPECT_EQ(written.size(), 10);
}

}  // namespace
