#pragma once
// Typing at the instrument outside frames: every character is echoed (carriage return as
// CR LF, backspace as backspace) and collected into a line that a carriage return ends.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace sim {

class TerminalLine {
public:
    static constexpr std::size_t MaxLength = 80;
    static constexpr std::uint8_t Backspace = 0x08;
    static constexpr std::uint8_t Bell = 0x07;

    // Takes one byte, appends what the instrument echoes to echo, and returns the line when
    // the byte ended one. A full line refuses further characters with a bell; other control
    // characters (line feeds included) are neither echoed nor kept.
    std::optional<std::string> feed(std::uint8_t byte, std::string& echo);
    void clear() { line_.clear(); }
    const std::string& pending() const { return line_; }

private:
    std::string line_;
};

}  // namespace sim
