#include "sim/srecord_loader.h"

namespace sim {

namespace {

int hexValue(std::uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Smallest count byte of each record type: address bytes plus the checksum byte.
int minimumCount(char type) {
    switch (type) {
    case '0': case '1': case '5': case '9': return 3;
    case '2': case '6': case '8': return 4;
    case '3': case '7': return 5;
    default: return -1;  // S4 and anything else is no record type
    }
}

}  // namespace

SRecordLoader::Outcome SRecordLoader::feed(std::uint8_t byte) {
    const std::size_t at = record_.size();
    if (at == 0) {
        if (byte == '\r' || byte == '\n' || byte == ' ' || byte == '\t') return Outcome::Incomplete;
        if (byte != 'S') return Outcome::Failed;
    } else if (at == 1) {
        if (minimumCount(static_cast<char>(byte)) < 0) {
            restart();
            return Outcome::Failed;
        }
    } else if (hexValue(byte) < 0) {
        restart();
        return Outcome::Failed;
    }
    record_.push_back(static_cast<char>(byte));
    if (record_.size() == 4) {
        const int count = hexValue(static_cast<std::uint8_t>(record_[2])) * 16 + hexValue(static_cast<std::uint8_t>(record_[3]));
        if (count < minimumCount(record_[1])) {
            restart();
            return Outcome::Failed;
        }
        expectedLength_ = 4 + 2 * static_cast<std::size_t>(count);
    }
    if (record_.size() >= 4 && record_.size() == expectedLength_) return finish();
    return Outcome::Incomplete;
}

SRecordLoader::Outcome SRecordLoader::finish() {
    unsigned sum = 0;
    for (std::size_t i = 2; i + 1 < record_.size(); i += 2)
        sum += static_cast<unsigned>(hexValue(static_cast<std::uint8_t>(record_[i])) * 16 +
                                     hexValue(static_cast<std::uint8_t>(record_[i + 1])));
    const char type = record_[1];
    std::string record;
    record.swap(record_);
    expectedLength_ = 0;
    if ((sum & 0xFF) != 0xFF) return Outcome::Failed;
    ++acceptedCount_;
    if (kept_.size() < MaxKeptRecords) kept_.push_back(std::move(record));
    return (type == '7' || type == '8' || type == '9') ? Outcome::Finished : Outcome::Accepted;
}

void SRecordLoader::restart() {
    record_.clear();
    expectedLength_ = 0;
}

void SRecordLoader::clearRecords() {
    kept_.clear();
    acceptedCount_ = 0;
}

}  // namespace sim
