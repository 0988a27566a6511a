#include "dynaview/scroll/auto_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dynaview::scroll {

ChartLayout AutoChartLayout(const ChartLayoutInput& in) {
    ChartLayout layout;
    const double labelMargin = (in.valueLabelChars * 0.7 + 2.0) * in.charWidth;
    layout.left = labelMargin + 0.01;
    layout.top = 1.0 - 0.82;
    layout.bottom = 1.0 - (0.085 + in.titleHeight);
    layout.right = in.legend ? 1.0 - labelMargin - in.tagWidth : 0.92;
    return layout;
}

SidePanelPlaces PlaceSidePanels(const ChartLayout& layout, double legendHeight) {
    constexpr double gap = 0.01;  // clear of the plot's frame, and between legend and values
    SidePanelPlaces places;
    places.legendLeft = places.valuesLeft = (layout.right + gap) * 100.0;
    places.legendTop = layout.top * 100.0;
    places.valuesTop = (layout.top + (legendHeight > 0.0 ? legendHeight + gap : 0.0)) * 100.0;
    places.valuesWidth = std::max(1.0, (1.0 - layout.right - 2 * gap) * 100.0);
    return places;
}

int PanelDecimals(double low, double high, int decimals) {
    if (decimals >= 0) return std::min(decimals, 15);
    const double range = std::fabs(high - low);
    if (!(range > 0.0) || !std::isfinite(range)) return 2;
    return std::clamp(2 - static_cast<int>(std::floor(std::log10(range))), 0, 6);
}

int ValueLabelChars(double low, double high, int decimals) {
    int widest = 1;
    const int shownDecimals = decimals < 0 ? 2 : std::min(decimals, 10);
    for (int k = 0; k <= 5; ++k) {
        const double v = std::fabs(low + (high - low) * k / 5.0);
        char text[64];
        const int n = decimals < 0 ? std::snprintf(text, sizeof text, "%.*g", 6, v) : std::snprintf(text, sizeof text, "%.*f", shownDecimals, v);
        widest = std::max(widest, std::min(n, 40));
    }
    return widest + ((low < 0.0 || high < 0.0) ? 1 : 0);
}

}  // namespace dynaview::scroll
