#pragma once
// Where the automatic scrolling chart puts its plot area inside the graph (normalised, 0 at
// the graph's top left): room below for the time labels and a title, above for the value
// labels' top line, on the left for the widest value label, on the right for the legend and
// value panel when there is one.

#include <string>
#include <vector>

namespace dynaview::scroll {

struct ChartLayoutInput {
    double charWidth = 0.01;    // one character's width, as a fraction of the graph's width
    double titleHeight = 0.0;   // the title's height, as a fraction of the graph's height
    int valueLabelChars = 1;    // characters of the widest value-axis label
    bool legend = false;
    double tagWidth = 0.0;      // the longest channel tag, as a fraction of the graph's width
};

struct ChartLayout {
    double left = 0.0, top = 0.0, right = 1.0, bottom = 1.0;
    double width() const { return right - left; }
    // A plot area this narrow cannot show a chart.
    bool tooSmall() const { return width() <= 0.1; }
};

ChartLayout AutoChartLayout(const ChartLayoutInput& input);

// The characters of the widest label of a value axis from `low` to `high` with labels at every
// fifth of the range, one more when either end is negative.
int ValueLabelChars(double low, double high, int decimals);

}  // namespace dynaview::scroll
