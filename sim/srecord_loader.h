#pragma once
// The instrument's loader side of an operating-system upgrade: S-records arrive one after
// another without line ends; each is read by its count byte and judged by its checksum
// (count, address, data and checksum bytes add up to 0xFF). Line ends and spaces between
// records are skipped.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

class SRecordLoader {
public:
    enum class Outcome {
        Incomplete,  // the record goes on
        Accepted,    // a good record (answered ".")
        Finished,    // a good end record S7, S8 or S9 (answered "}")
        Failed,      // a bad record or a byte that cannot start or continue one (answered ">")
    };
    // Longest record: "S", type, count pair and 255 byte pairs.
    static constexpr std::size_t MaxRecordLength = 4 + 2 * 255;
    // Records kept for inspection; later ones are counted only.
    static constexpr std::size_t MaxKeptRecords = 4096;

    Outcome feed(std::uint8_t byte);
    // Forgets a partial record (the accepted ones stay).
    void restart();
    void clearRecords();

    const std::vector<std::string>& acceptedRecords() const { return kept_; }
    std::size_t acceptedCount() const { return acceptedCount_; }
    const std::string& partialRecord() const { return record_; }
    // Characters the record under way has in all (0 until its count byte is in).
    std::size_t expectedLength() const { return expectedLength_; }

private:
    Outcome finish();

    std::string record_;
    std::size_t expectedLength_ = 0;
    std::vector<std::string> kept_;
    std::size_t acceptedCount_ = 0;
};

}  // namespace sim
