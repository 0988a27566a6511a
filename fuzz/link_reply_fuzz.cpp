// Arbitrary bytes from the instrument through the serial layer's packet collector and the
// protocol driver's reply decoding, with a request outstanding for each piece.

#include "link/data_object.h"

#include "platform/doubles/test_platform.h"

#include <array>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::array<std::string_view, 17> names = {
        "DUMP", "GTIM", "GWAV", "GNWA", "GLWF", "GLDR", "GNDR", "GCAL", "GCON",
        "GMOS", "GVAR", "GVER", "GDTS", "GRLN", "CCCC", "S_VP", "SMUX"};
    platform::TestPlatform test;
    platform::Platform services = test.platform();
    instrument::TTDRdataObject link(services);
    if (!link.OpenPort(1, 57600)) return 0;

    // Each piece up to and including a CR is one delivery, answering a request for the
    // command its first byte picks.
    std::size_t start = 0;
    while (start < size) {
        std::size_t end = start;
        while (end < size && data[end] != '\r') ++end;
        if (end < size) ++end;
        if (!link.Busy()) link.GetCommand(names[data[start] % names.size()], 1, [](std::int32_t) {});
        test.serial.sendToHost(std::span<const std::uint8_t>(data + start, end - start));
        test.clock.advance(1);
        start = end;
    }
    test.clock.advance(2000);  // let any outstanding request time out
    (void)link.WaveformAt(1);
    return 0;
}
