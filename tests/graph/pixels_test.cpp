// The graph as rendered: a trace on the pixels its window and value range predict, and a
// hidden (one-point) trace leaving the plot clean.
//
// In the 472 x 318 page the graph spans (2, 2)-(470, 316), its plot area
// (0.12, 0.07)-(0.96, 0.89) of that: x 58..451, y 24..281.

#include "graph_fixture.h"
#include "tests/plotbase/pixel_probe.h"

#include <QImage>

namespace graph::testing {
namespace {

using plotbase::testing::lineCentreInColumn;
using plotbase::testing::lineCentreInRow;
using plotbase::testing::pixelsOfColour;

constexpr double PlotLeft = 58, PlotRight = 451, PlotTop = 24, PlotBottom = 281;

QColor palette(int index) {
    const plotbase::Rgb c = plotbase::Palette[static_cast<std::size_t>(index)];
    return QColor(c.red, c.green, c.blue);
}

class Pixels : public GraphTest {
protected:
    QImage render() {
        QImage image(472, 318, QImage::Format_ARGB32);
        plotbase::RenderPage(env(), h().page, image);
        return image;
    }
    static double deviceX(double metres, double start, double length) {
        return PlotLeft + (metres - start) / length * (PlotRight - PlotLeft);
    }
    static double deviceY(double value, double min, double max) {
        return PlotBottom - (value - min) / (max - min) * (PlotBottom - PlotTop);
    }
};

TEST_F(Pixels, ATraceLandsWhereTheWindowAndValueRangePutIt) {
    // 0.5 for the first half of a 10 m window starting at 2 m, -0.5 for the second.
    std::vector<float> values(101);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = i < 50 ? 0.5f : -0.5f;
    gfx.SetValueAxis(-1.0f, 1.0f);
    gfx.DrawDataArray(101, values, 2.0f, 10.0f);
    const QImage image = render();
    const QColor blue = palette(14);
    for (double metres : {2.5, 4.2, 6.6}) {
        const int column = static_cast<int>(deviceX(metres, 2.0, 10.0));
        const auto centre = lineCentreInColumn(image, column, blue, 24, 281);
        ASSERT_TRUE(centre) << metres << " m";
        EXPECT_NEAR(*centre, deviceY(0.5, -1.0, 1.0), 0.75) << metres << " m";
    }
    for (double metres : {7.5, 9.3, 11.5}) {
        const int column = static_cast<int>(deviceX(metres, 2.0, 10.0));
        const auto centre = lineCentreInColumn(image, column, blue, 24, 281);
        ASSERT_TRUE(centre) << metres << " m";
        EXPECT_NEAR(*centre, deviceY(-0.5, -1.0, 1.0), 0.75) << metres << " m";
    }
    // The fall from point 49 (6.9 m) to point 50 (7.0 m) crosses 0 at 6.95 m.
    const auto crossing = lineCentreInRow(image, static_cast<int>(deviceY(0.0, -1.0, 1.0)), blue, 58, 451);
    ASSERT_TRUE(crossing);
    EXPECT_NEAR(*crossing, deviceX(6.95, 2.0, 10.0), 0.75);
}

TEST_F(Pixels, AOnePointTraceLeavesThePlotClean) {
    gfx.DrawWaveform(300, 0.0f, 10.0f);
    gfx.DrawSavedData(300, std::vector<float>(300, 0.2f), 0.0f, 10.0f);
    const QRect plot(59, 25, 391, 255);
    ASSERT_GT(pixelsOfColour(render(), plot, palette(14)), 100);
    ASSERT_GT(pixelsOfColour(render(), plot, palette(4)), 100);

    gfx.DrawWaveform(1, 1.0f, 1.0f);
    gfx.DrawSavedData(1, std::vector<float>{0.0f}, 1.0f, 1.0f);
    const QImage image = render();
    EXPECT_EQ(pixelsOfColour(image, plot, palette(14)), 0);
    EXPECT_EQ(pixelsOfColour(image, plot, palette(4)), 0);
}

TEST_F(Pixels, MarkersStandWhereTheyWerePut) {
    gfx.DrawWaveform(500, 0.0f, 10.0f);
    gfx.MoveMarkers(500, false, 10.0f, 0.0f, 100.0f, 350.0f);
    const QImage image = render();
    const int row = static_cast<int>(deviceY(-0.75, -1.0, 1.5));
    const auto first = lineCentreInRow(image, row, palette(10), 58, 451);
    const auto second = lineCentreInRow(image, row, palette(12), 58, 451);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_NEAR(*first, std::round(deviceX(2.0, 0.0, 10.0)) + 0.5, 1.0);
    EXPECT_NEAR(*second, std::round(deviceX(7.0, 0.0, 10.0)) + 0.5, 1.0);
}

}  // namespace
}  // namespace graph::testing
