#include "link/command_set.h"

#include <array>

namespace instrument {

namespace {

struct Entry {
    std::string_view name;
    ReplyShape shape;
};

constexpr std::array<Entry, 15> replies = {{
    {"DUMP", {ReplyLayout::Fixed, 36, "Error: Dump command response wrong size."}},
    {"GCAL", {ReplyLayout::Fixed, 4, "Error: GCAL command response wrong size."}},
    {"GCON", {ReplyLayout::Fixed, 4, "Error: GCON command response wrong size."}},
    {"GDTS", {ReplyLayout::Fixed, 4, "Error: GDTS command response wrong size."}},
    {"GMOS", {ReplyLayout::Fixed, 4, "Error: GMOS command response wrong size."}},
    {"CCCC", {ReplyLayout::Fixed, 4, "Error: CCC command response wrong size."}},
    {"GRLN", {ReplyLayout::Fixed, 4, "Error: GRLN command response wrong size."}},
    {"GTIM", {ReplyLayout::Fixed, 12, "Error: GTIM command response wrong size."}},
    {"GVAR", {ReplyLayout::Fixed, 12, "Error: GVAR command response wrong size."}},
    {"GVER", {ReplyLayout::Fixed, 16, "Error: GVER command response wrong size."}},
    {"GWAV", {ReplyLayout::WaveformArray, 0, {}}},
    {"GNWA", {ReplyLayout::WaveformArray, 0, {}}},
    {"GLWF", {ReplyLayout::WaveformArray, 0, {}}},
    {"GLDR", {ReplyLayout::DerivativeArray, 0, {}}},
    {"GNDR", {ReplyLayout::DerivativeArray, 0, {}}},
}};

}  // namespace

ReplyShape ShapeOf(std::string_view name) {
    for (const auto& e : replies)
        if (e.name == name) return e.shape;
    return {ReplyLayout::Unknown, 0, {}};
}

std::int32_t WholeSeconds(float seconds) {
    if (!(seconds > 0.0f)) return 0;
    if (seconds >= 2147483647.0f) return 2147483647;
    return static_cast<std::int32_t>(seconds);
}

}  // namespace instrument
