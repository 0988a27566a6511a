// Arbitrary texts of a data-link item, as a server may send them: the receive buffer's
// cut and the numbers read from it with a point and with a decimal comma; and the same
// bytes as a server's command line and as a service's bus name.

#include "dynaview/dde/link_text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view text = dynaview::link::ReceivedText(bytes);
    if (text.size() > dynaview::link::ReceiveBufferSize) std::abort();
    for (char separator : {'.', ','}) {
        const auto values = dynaview::link::ParseItemNumbers(text, separator);
        if (values.size() > static_cast<std::size_t>(dynaview::link::MaxItemValues)) std::abort();
        for (double value : values)
            if (value != value) std::abort();  // NaN never comes out
    }
    const std::string service = dynaview::link::ServiceFromCommandLine(bytes);
    if (service.size() > bytes.size()) std::abort();
    const std::string name = dynaview::link::BusNameForService(service);
    for (char c : name.substr(18))
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) std::abort();
    return 0;
}
