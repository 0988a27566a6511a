#include "sim/terminal_line.h"

namespace sim {

std::optional<std::string> TerminalLine::feed(std::uint8_t byte, std::string& echo) {
    if (byte == '\r') {
        echo += "\r\n";
        std::string line;
        line.swap(line_);
        return line;
    }
    if (byte == Backspace || byte == 0x7F) {
        echo += static_cast<char>(Backspace);
        if (!line_.empty()) line_.pop_back();
        return std::nullopt;
    }
    if (byte < 0x20) return std::nullopt;
    if (line_.size() >= MaxLength) {
        echo += static_cast<char>(Bell);
        return std::nullopt;
    }
    echo += static_cast<char>(byte);
    line_ += static_cast<char>(byte);
    return std::nullopt;
}

}  // namespace sim
