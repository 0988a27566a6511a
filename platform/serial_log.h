#pragma once
// The low-level byte log of the serial layer: while on, every byte written and read is
// recorded with its direction and tick; appendToFile() adds the record to a readable text
// file and the caller decides whether to clear it.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {

enum class ByteDirection : std::uint8_t { Sent, Received };

struct LoggedByte {
    std::uint32_t tick;
    ByteDirection direction;
    std::uint8_t value;
};

class SerialLog {
public:
    static constexpr std::size_t DefaultCapacity = 32760;

    void setFile(std::filesystem::path file) { file_ = std::move(file); }
    const std::filesystem::path& file() const { return file_; }
    void setCapacity(std::size_t entries);
    std::size_t capacity() const { return capacity_; }
    void setEnabled(bool on) { enabled_ = on; }
    bool isEnabled() const { return enabled_; }

    void record(std::uint32_t tick, ByteDirection direction, std::uint8_t value);
    void record(std::uint32_t tick, ByteDirection direction, const std::uint8_t* data, std::size_t size);
    const std::vector<LoggedByte>& entries() const { return entries_; }
    // Entries that did not fit since the last clear (the oldest are dropped first).
    std::size_t dropped() const { return dropped_; }
    void clear();

    // Appends the record as text to the log file; returns false (with error) when the file
    // cannot be written, leaving the record in place.
    bool appendToFile(std::string& error) const;
    // The text appendToFile writes, for tests and diagnostics.
    std::string format() const;

private:
    std::filesystem::path file_ = "TDR_IO.log";
    std::size_t capacity_ = DefaultCapacity;
    bool enabled_ = false;
    std::vector<LoggedByte> entries_;
    std::size_t start_ = 0;  // ring start once full
    std::size_t dropped_ = 0;
};

}  // namespace platform
