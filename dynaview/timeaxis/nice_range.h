#pragma once
// The axis range an automatic rescale gives a span of values: round limits on a step of
// 1, 2 or 5 times a power of ten, about five steps across.

namespace dynaview {

struct NiceRange {
    double min = 0.0;
    double max = 1.0;
    double step = 0.2;  // the tick spacing that goes with it
};

// The range covering [low, high]. A single value gets a range around it (one unit, or a
// tenth of the value's size); false for values that are not finite.
bool NiceRangeFor(double low, double high, NiceRange& out);

}  // namespace dynaview
