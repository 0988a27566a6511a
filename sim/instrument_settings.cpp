#include "sim/instrument_settings.h"

#include "sim/numeric_argument.h"

namespace sim {

namespace {

struct Range {
    std::string_view name;
    double low;
    double high;
    bool whole;
};

// Bounds are inclusive; compared in double precision on the value as typed, so that
// "0.1" and "0.200" are inside their ranges.
constexpr Range ranges[] = {
    {"S_VP", 0.1, 1.0, false},  {"SNAV", 1, 128, true},   {"SPNT", 20, 2048, true},   {"SDIS", -2, 2100, false},
    {"SWLN", 0.1, 2100, false}, {"SPRL", 0, 10, false},   {"SPRO", 0, 0.2, false},
};

const Range* findRange(std::string_view name) {
    for (const Range& r : ranges)
        if (r.name == name) return &r;
    return nullptr;
}

}  // namespace

bool isSettingCommand(std::string_view name) { return findRange(name) != nullptr; }

int applySetting(InstrumentSettings& settings, std::string_view name, std::string_view argument) {
    const Range* range = findRange(name);
    if (!range) return error::NotIdentified;
    const auto value = parseDecimal(argument);
    if (!value) return error::CouldNotBeParsed;
    if (range->whole && !parseWholeNumber(argument)) return error::CouldNotBeParsed;
    if (*value < range->low || *value > range->high) return error::OutOfRange;
    const float f = static_cast<float>(*value);
    if (name == "S_VP") settings.vp = f;
    else if (name == "SNAV") settings.averages = static_cast<int>(*value);
    else if (name == "SPNT") settings.points = static_cast<int>(*value);
    else if (name == "SDIS") settings.start = f;
    else if (name == "SWLN") settings.length = f;
    else if (name == "SPRL") settings.probeLength = f;
    else settings.probeOffset = f;
    return 0;
}

}  // namespace sim
