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

// Where the legend and the value panel go beside the plot (percent of the graph, as their
// creators take it): the legend at the top of the strip right of the plot, the values below
// it (at the top when there is no legend), as wide as the strip.
struct SidePanelPlaces {
    double legendLeft = 0.0, legendTop = 0.0;
    double valuesLeft = 0.0, valuesTop = 0.0, valuesWidth = 0.0;
};

// `legendHeight` is the legend's height as a fraction of the graph's (0 without a legend).
SidePanelPlaces PlaceSidePanels(const ChartLayout& layout, double legendHeight);

// The decimals of a value panel: as asked (`decimals` >= 0), else enough for a hundredth of
// the range (none for 100 or more, one for 10, two for 1).
int PanelDecimals(double low, double high, int decimals);

// The characters of the widest label of a value axis from `low` to `high` with labels at every
// fifth of the range, one more when either end is negative.
int ValueLabelChars(double low, double high, int decimals);

}  // namespace dynaview::scroll
