// Arbitrary bytes as a multiplexer setup file: read into the tree (up to a bad line), the
// tree steps and addresses without fault, and writing it back reads back the same tree.

#include "files/mux_file.h"
#include "mux/mux_tree.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const files::MuxReadResult read = files::DecodeMuxLines(bytes);
    if (read.error && read.errorLine < 1) std::abort();
    mux::MuxTree tree;
    tree.FromLines(read.lines);
    tree.RebuildProbeFlags();
    if (tree.NodeCount() != read.lines.size()) std::abort();
    const auto lines = tree.ToLines();
    if (lines != read.lines) std::abort();
    const files::MuxReadResult again = files::DecodeMuxLines(files::EncodeMuxLines(lines));
    if (again.error || again.lines != lines) std::abort();
    for (int i = 0; i < 8; ++i) {
        tree.StepUp();
        (void)tree.SelectedProbeAddress();
    }
    for (int i = 0; i < 8; ++i) tree.StepDown();
    (void)tree.LevelLabel();
    (void)tree.ChannelLabel();
    return 0;
}
