// Page files holding dynaview's records come from disk: whatever the bytes, reading a page
// and its records must neither crash nor accept a record that does not read back as itself.
// The input is a page file; when it is not one, its first byte picks a record type and the
// rest is taken as that type's record.

#include "dynaview/saverestore/page_records.h"
#include "plotbase/page_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// A record that decodes is written again and must decode to the same values.
void checkRecord(int type, std::string_view bytes) {
    std::string why;
    const auto record = dynaview::DecodeRecord(type, bytes, why);
    if (!record) {
        if (why.empty()) std::abort();  // every refusal says why
        return;
    }
    if (dynaview::RecordType(*record) != type) std::abort();
    const std::string again = dynaview::EncodeRecord(*record);
    if (again.size() != bytes.size()) std::abort();
    const auto reread = dynaview::DecodeRecord(type, again, why);
    if (!reread || !(*reread == *record)) std::abort();
    std::string arraysWhy;
    const auto arrays = dynaview::ArrayBytesAfter(type, again.substr(0, dynaview::FixedPartLength(type)), arraysWhy);
    if (!arrays || *arrays != again.size() - dynaview::FixedPartLength(type)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (const auto page = plotbase::ParsePageFile(bytes, error)) {
        for (const auto& graph : page->graphs)
            for (const auto& slot : graph.objects)
                if (slot.foreignType != 0) checkRecord(slot.foreignType, slot.foreignRecord);
        return 0;
    }
    if (size == 0) return 0;
    checkRecord(100 + data[0] % 12, bytes.substr(1));
    return 0;
}
