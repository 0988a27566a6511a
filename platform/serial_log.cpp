#include "platform/serial_log.h"

#include <cstdio>
#include <fstream>

namespace platform {

void SerialLog::setCapacity(std::size_t entries) {
    capacity_ = entries == 0 ? 1 : entries;
    clear();
}

void SerialLog::record(std::uint32_t tick, ByteDirection direction, std::uint8_t value) {
    if (!enabled_) return;
    const LoggedByte entry{tick, direction, value};
    if (entries_.size() < capacity_) {
        entries_.push_back(entry);
    } else {
        entries_[start_] = entry;
        start_ = (start_ + 1) % capacity_;
        ++dropped_;
    }
}

void SerialLog::record(std::uint32_t tick, ByteDirection direction, const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) record(tick, direction, data[i]);
}

void SerialLog::clear() {
    entries_.clear();
    start_ = 0;
    dropped_ = 0;
}

namespace {

char printable(std::uint8_t b) { return (b >= 0x20 && b < 0x7F) ? static_cast<char>(b) : '.'; }

}  // namespace

std::string SerialLog::format() const {
    // One line per run of up to 16 bytes in the same direction:
    //   <tick ms> TX|RX  3A 44 55 ...   |:DU...|
    std::string out;
    if (dropped_ > 0) out += "# " + std::to_string(dropped_) + " earlier entries dropped (log buffer full)\n";
    constexpr std::size_t perLine = 16;
    std::size_t i = 0;
    const std::size_t n = entries_.size();
    auto at = [&](std::size_t k) -> const LoggedByte& { return entries_[(start_ + k) % n]; };
    while (i < n) {
        const LoggedByte& first = at(i);
        std::string hex;
        std::string text;
        std::size_t count = 0;
        while (i < n && count < perLine && at(i).direction == first.direction) {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%02X ", at(i).value);
            hex += buf;
            text += printable(at(i).value);
            ++i;
            ++count;
        }
        char head[32];
        std::snprintf(head, sizeof head, "%10u %s  ", first.tick, first.direction == ByteDirection::Sent ? "TX" : "RX");
        hex.resize(perLine * 3, ' ');
        out += head + hex + " |" + text + "|\n";
    }
    return out;
}

bool SerialLog::appendToFile(std::string& error) const {
    std::ofstream file(file_, std::ios::app | std::ios::binary);
    if (!file) {
        error = "Cannot open the log file " + file_.string() + " for writing.";
        return false;
    }
    file << format();
    file.flush();
    if (!file) {
        error = "Cannot write the log file " + file_.string() + ".";
        return false;
    }
    return true;
}

}  // namespace platform
