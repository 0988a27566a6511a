// Page files come from disk: whatever the bytes, reading them must neither crash nor
// accept a page whose objects point at nothing.

#include "plotbase/page_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const auto page = plotbase::ParsePageFile(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!page) return 0;
    for (const auto& graph : page->graphs) {
        const auto slotCount = graph.objects.size();
        for (const auto& slot : graph.objects) {
            if (!slot.object) continue;
            if (slot.object->links[0] > slotCount || slot.object->links[1] > slotCount) std::abort();
            if (slot.object->type == plotbase::DataSetType) {
                const auto& set = static_cast<const plotbase::DataSet&>(*slot.object);
                if (set.x->size() != static_cast<std::size_t>(set.count)) std::abort();
            }
        }
    }
    return 0;
}
