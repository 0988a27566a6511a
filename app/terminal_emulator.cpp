#include "app/terminal_emulator.h"

#include "platform/serial_port.h"

#include <algorithm>

namespace app {

char TerminalKey(char typed) { return (typed >= 'a' && typed <= 'z') ? static_cast<char>(typed - 'a' + 'A') : typed; }

// --- TerminalLines -----------------------------------------------------------------------

bool TerminalLines::EnsureLine() {
    if (!lines_.empty()) return false;
    lines_.emplace_back();
    return true;
}

TerminalLines::Change TerminalLines::Receive(std::string_view received) {
    Change change;
    while (lines_.size() > MaxLines) {
        lines_.pop_front();
        ++change.removedTop;
    }
    EnsureLine();
    std::string& last = lines_.back();
    if (received.find('\b') != std::string_view::npos) {
        if (!last.empty()) last.pop_back();
        change.last.push_back(last);
        return change;
    }

    // The last line with what arrived; CR LF pairs (also one split across two arrivals)
    // start new lines.
    std::string text = last;
    text.append(received);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        std::string_view piece = std::string_view(text).substr(start, end == std::string::npos ? std::string::npos : end - start);
        do {
            change.last.emplace_back(piece.substr(0, MaxLineLength));
            piece.remove_prefix(std::min(piece.size(), MaxLineLength));
        } while (!piece.empty());
        if (end == std::string::npos) break;
        start = end + 2;
    }
    last = change.last.front();
    lines_.insert(lines_.end(), change.last.begin() + 1, change.last.end());
    return change;
}

// --- TerminalEmulator --------------------------------------------------------------------

TerminalEmulator::TerminalEmulator(instrument::BusySwitches& switches, TerminalWindow& window,
                                   instrument::TTDRdataObject& data)
    : switches_(switches), window_(window), data_(data) {}

TerminalEmulator::~TerminalEmulator() {
    if (on_) data_.SetRawReceiver({});
}

void TerminalEmulator::TerminalEmulatorMIClick() {
    if (!on_) {
        switches_.SetEnable(false);
        switches_.EnableMenuItems(false);
        window_.EnableOptionsMenu();  // so that the item can be clicked once more
        lines_.Clear();
        window_.ClearTerminal();
        window_.ShowTerminal(true);
        on_ = true;
        window_.FocusTerminal();
        TermEdEnter();
        data_.SetRawReceiver([this](std::size_t count) { CpTriggerAvail(count); });
        return;
    }
    switches_.SetEnable(true);
    switches_.EnableMenuItems(true);
    window_.ShowTerminal(false);
    on_ = false;
    data_.SetRawReceiver({});
}

void TerminalEmulator::TermEdEnter() { lines_.EnsureLine(); }

void TerminalEmulator::TermEdKeyPress(char& key) {
    key = TerminalKey(key);
    data_.SendChar(key);  // with the port closed: -9, and nothing is said
}

void TerminalEmulator::CpTriggerAvail(std::size_t count) {
    std::string received;
    if (platform::SerialPort* port = data_.Driver().Port()) {
        received.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            const auto byte = port->readByte();
            if (!byte) break;
            received += static_cast<char>(*byte);
        }
    }
    window_.ApplyTerminalChange(lines_.Receive(received));
    data_.Driver().FlushLog();
}

}  // namespace app
