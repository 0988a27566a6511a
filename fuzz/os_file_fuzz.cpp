// Arbitrary operating-system files through the record check that guards the upgrade:
// nothing may crash, and what it passes must be what the loader will accept.

#include "link/os_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const instrument::OsFileCheck check = instrument::CheckOsText(text);
    for (const std::string& record : check.records) {
        // Every record handed on is whole, checked and fits the port in one write.
        if (record.empty() || record.find_first_of("\r\n") != std::string::npos) std::abort();
        if (record.size() > instrument::LongestRecord || !instrument::SRecordChecksumOk(record)) std::abort();
    }
    if (!check.ok()) {
        if (check.badLine < 1 || static_cast<std::size_t>(check.badLine) > size) std::abort();
        if (instrument::DescribeBadRecord(check).empty()) std::abort();
    }
    // The rule alone, on the raw bytes as one line.
    (void)instrument::SRecordChecksumOk(text);
    return 0;
}
