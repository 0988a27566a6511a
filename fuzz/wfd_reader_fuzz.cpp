// Arbitrary bytes as a configuration file: refused with a reason or read within the
// waveform store, and what is read writes back to the same leading bytes.

#include "files/configuration_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto read = files::DecodeConfiguration(bytes, "fuzz.WFD", error);
    if (!read) {
        if (error.empty()) std::abort();
        return 0;
    }
    const auto& h = read->header;
    if (h.PointCount < 1 || h.PointCount > files::WaveformCapacity) std::abort();
    const auto written = files::EncodeConfiguration(h, read->wave, error);
    if (!written || bytes.substr(0, written->size()) != *written) std::abort();
    return 0;
}
