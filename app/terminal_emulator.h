#pragma once
// The terminal emulator: the graph area turns into a plain terminal on the instrument's
// serial line. Each typed key goes to the RFX410 at once as one character (letters a to z
// in upper case); what the instrument sends is shown as it arrives. It bypasses the
// command protocol, so while it is on the rest of the window is off. No widgets here: the
// main window implements TerminalWindow and shows the lines.

#include "link/busy_switches.h"
#include "link/data_object.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The character sent for a typed one: only a to z change (to A to Z).
char TerminalKey(char typed);

// The pane's lines, as received bytes (CR LF pairs end lines; everything else is kept).
class TerminalLines {
public:
    // Lines kept from before each arrival of data.
    static constexpr std::size_t MaxLines = 100;
    // A line that grows past this without a line end is continued on a new line, so that
    // a peer that never ends its lines cannot fill the memory.
    static constexpr std::size_t MaxLineLength = 4096;

    // What one arrival did: removed lines from the top, then replaced the last line by the
    // first of `last` and appended the others.
    struct Change {
        std::size_t removedTop = 0;
        std::vector<std::string> last;
    };

    void Clear() { lines_.clear(); }
    // Adds one empty line when there is none, so there is always a last line; true when
    // it added one.
    bool EnsureLine();
    // The received bytes of one data event: the pane is first cut to MaxLines; then a
    // backspace anywhere erases the last character of the last line (and the rest of the
    // bytes are dropped); otherwise the bytes are appended to the last line.
    Change Receive(std::string_view received);
    const std::deque<std::string>& Lines() const { return lines_; }

private:
    std::deque<std::string> lines_;
};

// What the terminal needs of the main window besides its busy switches.
class TerminalWindow {
public:
    virtual ~TerminalWindow() = default;
    // Enables the "&Options" menu while everything else stays off ("Advanced" included).
    virtual void EnableOptionsMenu() = 0;
    // Shows or hides the terminal pane over the plot and sets the menu item's check mark.
    virtual void ShowTerminal(bool on) = 0;
    // Gives the pane the focus (which makes sure it holds a line).
    virtual void FocusTerminal() = 0;
    virtual void ClearTerminal() = 0;
    virtual void ApplyTerminalChange(const TerminalLines::Change& change) = 0;
};

class TerminalEmulator {
public:
    TerminalEmulator(instrument::BusySwitches& switches, TerminalWindow& window, instrument::TTDRdataObject& data);
    ~TerminalEmulator();
    TerminalEmulator(const TerminalEmulator&) = delete;
    TerminalEmulator& operator=(const TerminalEmulator&) = delete;

    bool On() const { return on_; }
    const TerminalLines& Lines() const { return lines_; }

    // "&Terminal Emulator": on when it was off, off when it was on.
    void TerminalEmulatorMIClick();
    // The pane got the focus.
    void TermEdEnter();
    // A typed character (as a byte of the instrument's character set): sent upper-cased;
    // nothing is shown until the instrument sends it back. With the port closed it goes
    // nowhere, silently.
    void TermEdKeyPress(char& key);
    // The port's data-available event while the terminal is on.
    void CpTriggerAvail(std::size_t count);

private:
    instrument::BusySwitches& switches_;
    TerminalWindow& window_;
    instrument::TTDRdataObject& data_;
    TerminalLines lines_;
    bool on_ = false;
};

}  // namespace app
