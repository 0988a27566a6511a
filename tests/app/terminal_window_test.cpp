// The terminal emulator in the main window, talking to the simulated instrument on the
// in-memory line: what the menus and controls do while it is on, what typing sends, and
// how the pane keeps what arrives.

#include "window_fixture.h"

#include "app/terminal_panel.h"
#include "platform/serial_port.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace app::testing {
namespace {

class Terminal : public WindowTest {
protected:
    Terminal() {
        // The echo of the start-up greeting waits in the input buffer; the terminal would
        // show it with the first bytes that arrive. Start from a quiet line.
        rig.test.clock.advance(500);
        form.DataObject().Driver().Port()->flushInput();
        form.findChild<QAction*>("TerminalEmulatorMI")->trigger();
        rig.test.serial.clearWritten();
    }

    QPlainTextEdit* pane() { return form.findChild<QPlainTextEdit*>("TermEd"); }
    // Key presses carrying these characters, as the keyboard delivers them.
    void typeText(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, modifiers, QString(c));
            QApplication::sendEvent(pane(), &press);
        }
    }
    QStringList paneLines() { return pane()->toPlainText().split('\n'); }
    // Bytes from the instrument's side, in one data event.
    void arrive(std::string_view bytes) {
        rig.test.serial.sendToHost(bytes);
        rig.test.clock.runDue();
    }
    bool enabled(const char* name) {
        if (auto* menu = form.findChild<QMenu*>(name)) return menu->menuAction()->isEnabled();
        if (auto* action = form.findChild<QAction*>(name)) return action->isEnabled();
        return form.findChild<QWidget*>(name)->isEnabled();
    }
};

TEST_F(Terminal, WhileOnOnlyTheOptionsMenuAndExitStayUsable) {
    auto* item = form.findChild<QAction*>("TerminalEmulatorMI");
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(form.findChild<QWidget*>("Terminal")->isVisible());
    EXPECT_TRUE(enabled("OptionsMenu"));
    EXPECT_TRUE(enabled("TerminalEmulatorMI"));
    EXPECT_TRUE(enabled("FileMenu"));
    EXPECT_TRUE(enabled("ExitApp"));
    for (const char* name : {"Advanced", "SettingsMenu", "HelpMenu", "SaveBWF", "RestWF", "PrintGraph", "GetWfPB",
                             "OverlayCap", "Cable_VpEd", "AxisRangeChg", "CalcWC"})
        EXPECT_FALSE(enabled(name)) << name;
    EXPECT_EQ(form.TerminalSession().Lines().Lines().size(), 1u);  // a line to append to

    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(form.findChild<QWidget*>("Terminal")->isVisible());
    for (const char* name : {"Advanced", "SettingsMenu", "HelpMenu", "RestWF", "GetWfPB", "Cable_VpEd", "CalcWC"})
        EXPECT_TRUE(enabled(name)) << name;
    // What arrives now is nobody's business but the protocol's.
    arrive("late text\r\n");
    EXPECT_EQ(form.TerminalSession().Lines().Lines().size(), 1u);
}

TEST_F(Terminal, TypedKeysGoOutAtOnceUpperCasedAndShowOnlyAsTheirEcho) {
    QTest::keyClicks(pane(), "v1.,-z");
    EXPECT_EQ(rig.test.serial.writtenText(), "V1.,-Z");
    EXPECT_EQ(pane()->toPlainText(), "");  // nothing is put in the pane locally
    rig.test.clock.advance(50);
    EXPECT_EQ(pane()->toPlainText(), "V1.,-Z");

    rig.test.serial.clearWritten();
    QTest::keyClick(pane(), Qt::Key_Backspace);
    QTest::keyClick(pane(), Qt::Key_Return);
    typeText(QString(QChar(0x03)), Qt::ControlModifier);  // Ctrl+C
    EXPECT_EQ(rig.test.serial.writtenText(), std::string("\b\r\x03", 3));  // control characters as they are

    // Accented letters go out in the instrument's character set, unchanged in case; a
    // character it does not have is refused with the warning sound.
    rig.test.serial.clearWritten();
    rig.test.tones.clear();
    typeText(QString::fromUtf8("é€"));
    EXPECT_EQ(rig.test.serial.writtenText(), "\x82");
    EXPECT_EQ(rig.test.tones.messageBeeps, std::vector<unsigned>{RefusedKeyBeep});
}

TEST_F(Terminal, AReceivedBackspaceErasesOneCharacterAndNoneOnAnEmptyLine) {
    arrive("ABC");
    arrive("\b");
    EXPECT_EQ(paneLines(), QStringList{"AB"});
    arrive("XY\bZ");  // the rest of an event with a backspace is dropped
    EXPECT_EQ(paneLines(), QStringList{"A"});
    arrive("\r");
    arrive("\n");  // a pair split over two events still ends the line
    arrive("\b");
    EXPECT_EQ(paneLines(), (QStringList{"A", ""}));
    EXPECT_EQ(form.TerminalSession().Lines().Lines(), (std::deque<std::string>{"A", ""}));
}

TEST_F(Terminal, ThePaneKeepsTheLast100LinesAndShowsTheInstrumentsCharacters) {
    for (int i = 1; i <= 150; ++i) arrive("line " + std::to_string(i) + "\r\n");
    const QStringList lines = paneLines();
    ASSERT_EQ(lines.size(), 101);  // the last 100 and the line being filled
    EXPECT_EQ(lines.front(), "line 51");
    EXPECT_EQ(lines[99], "line 150");
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(form.TerminalSession().Lines().Lines().size(), 101u);

    arrive("\x82t\x82 \x01\x07\xB0\r\x7F");
    EXPECT_EQ(paneLines().back(), QString::fromUtf8("été ☺•░⌂"));
}

TEST_F(Terminal, TurningItOffAndOnClearsThePane) {
    arrive("MON\r\nRFX410 Monitor\r\n");
    ASSERT_EQ(paneLines().size(), 3);
    form.TerminalEmulatorMIClick();
    form.TerminalEmulatorMIClick();
    EXPECT_EQ(pane()->toPlainText(), "");
    EXPECT_EQ(form.TerminalSession().Lines().Lines(), std::deque<std::string>{""});
    arrive("again");
    EXPECT_EQ(paneLines(), QStringList{"again"});
}

TEST_F(Terminal, TheMonitorAnswersAndAcquisitionWorksAfterwards) {
    QTest::keyClicks(pane(), "mon");
    QTest::keyClick(pane(), Qt::Key_Return);
    rig.test.clock.advance(100);
    EXPECT_EQ(paneLines(), (QStringList{"MON", "RFX410 Monitor", ""}));
    QTest::keyClicks(pane(), "q");
    QTest::keyClick(pane(), Qt::Key_Return);
    rig.test.clock.advance(100);
    form.TerminalEmulatorMIClick();
    rig.instrument.clearReceivedCommands();
    form.GetWfPBClick();
    ASSERT_TRUE(rig.RunChain());
    EXPECT_EQ(sent().back(), "GWAV");
    EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_F(Terminal, EachDataEventAppendsTheByteTraceWhileLoggingIsOn) {
    auto& driver = form.DataObject().Driver();
    const auto log = rig.StartDirectory() / "TDR_IO.log";
    driver.SetLowLevelLogging(true);
    driver.SetLogging(true);
    QTest::keyClicks(pane(), "x");
    rig.test.clock.advance(50);
    ASSERT_TRUE(std::filesystem::exists(log));
    EXPECT_TRUE(driver.Port()->log().entries().empty());  // appended and cleared
    EXPECT_TRUE(driver.Port()->log().isEnabled());
    // Without the box checked the trace stops after the next event.
    driver.SetLowLevelLogging(false);
    arrive("y");
    EXPECT_FALSE(driver.Port()->log().isEnabled());
}

TEST_F(Terminal, WithThePortClosedTypingGoesNowhereSilently) {
    form.DataObject().ClosePort();
    QTest::keyClicks(pane(), "abc");
    EXPECT_EQ(rig.test.serial.writtenText(), "");
    EXPECT_TRUE(messages().empty());
}

}  // namespace
}  // namespace app::testing
