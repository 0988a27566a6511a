// The dynamic grid, legends and the automatic rescale through the exported functions. A
// stand-in display (bound to a data set, linked to axes, with colours of its own) takes
// the place of a scrolling graph. The fixture's plot area spans x 40..360 and y 30..270 for
// the world 0..100 both ways.

#include "dynaview_fixture.h"

#include "dynaview/frame/object_access.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/timeaxis/dynamic_grid.h"
#include "dynaview/timeaxis/legend.h"
#include "dynaview/timeaxis/nice_range.h"
#include "dynaview/frame/error_texts.h"
#include "plotbase/graph_layout.h"
#include "plotbase/graph_widget.h"
#include "tests/plotbase/pixel_probe.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cstring>
#include <limits>

namespace dynaview::testing {
namespace {

using plotbase::testing::pixelsOfColour;

QColor palette(int index) {
    const plotbase::Rgb c = plotbase::Palette[static_cast<std::size_t>(index)];
    return QColor(c.red, c.green, c.blue);
}

// A display of a data set linked to axes, that takes ranges up to a limit.
class StandInDisplay final : public DynObject {
public:
    StandInDisplay() : DynObject(BarGraphType, 5) {}
    bool acceptsRange(double range) const override { return range <= largestRange; }
    void rescaled(const ObjectPlace&) override { ++rescales; }
    double largestRange = 1000.0;
    int rescales = 0;
};

TEST(NiceRange, CoversTheValuesWithRoundLimits) {
    NiceRange r;
    ASSERT_TRUE(NiceRangeFor(3.0, 97.0, r));
    EXPECT_EQ(r.min, 0.0);
    EXPECT_EQ(r.max, 100.0);
    EXPECT_EQ(r.step, 20.0);
    ASSERT_TRUE(NiceRangeFor(-0.013, 0.021, r));
    EXPECT_LE(r.min, -0.013);
    EXPECT_GE(r.max, 0.021);
    EXPECT_NEAR(r.step, 0.01, 1e-15);
    // One value: a range around it.
    ASSERT_TRUE(NiceRangeFor(0.0, 0.0, r));
    EXPECT_LT(r.min, 0.0);
    EXPECT_GT(r.max, 0.0);
    ASSERT_TRUE(NiceRangeFor(5e6, 5e6, r));
    EXPECT_LT(r.min, 5e6);
    EXPECT_GT(r.max, 5e6);
    EXPECT_FALSE(NiceRangeFor(std::numeric_limits<double>::quiet_NaN(), 1.0, r));
    EXPECT_FALSE(NiceRangeFor(-std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), r));
}

class GridLegendTest : public DynaviewTest {
protected:
    GridLegendTest() {
        char tags[3 * 16] = {};
        std::strcpy(tags, "Inlet");
        std::strcpy(tags + 16, "Outlet");
        set = WRDefineDynDataSet("Tank", 3, "degC", tags, 100);
        auto display = std::make_unique<StandInDisplay>();
        stand = display.get();
        shown = AddDynObject(env, graph, std::move(display));
        stand->links = {static_cast<std::uint16_t>(xAxis), static_cast<std::uint16_t>(yAxis)};
        BindDataSet(top(), *stand, set);
    }
    QImage render() {
        QImage image(400, 300, QImage::Format_ARGB32);
        plotbase::RenderPage(env, page, image);
        if (qEnvironmentVariableIsSet("DYNAVIEW_SAVE_RENDERINGS"))
            image.save(QString::fromStdString("/tmp/" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".png"));
        return image;
    }
    template <typename T>
    T& objectAt(int index) {
        return *dynamic_cast<T*>(env.graph(graph)->objects.at(index));
    }
    void pushRow(double a, double b, double c) {
        const double row[3] = {a, b, c};
        WRUpdateData(set, row, 0);
    }
    int set = 0;
    int shown = 0;
    StandInDisplay* stand = nullptr;
};

TEST_F(GridLegendTest, OneGridObjectPerAxisHoldsBothGridsWithTheLinesCurrentAtTheCall) {
    plotbase::WGSetLineStyle(env, graph, plotbase::SolidLine, 1, 9);
    const int grid = WRDynGrid(graph, xAxis, 0, 0);
    ASSERT_GT(grid, 0);
    plotbase::WGSetLineStyle(env, graph, plotbase::DotLine, 2, 12);
    EXPECT_EQ(WRDynGrid(graph, xAxis, 1, 5), grid);
    const auto& g = objectAt<DynamicGrid>(grid);
    EXPECT_EQ(g.type, DynamicGridType);
    EXPECT_TRUE(g.grids[0].present);
    EXPECT_EQ(g.grids[0].colour, 9);
    EXPECT_EQ(g.grids[0].width, 1);
    EXPECT_TRUE(g.grids[1].present);
    EXPECT_EQ(g.grids[1].pattern, plotbase::DotLine);
    EXPECT_EQ(g.grids[1].width, 2);
    EXPECT_EQ(g.period, 5);
    EXPECT_NE(WRDynGrid(graph, yAxis, 0, 0), grid);

    EXPECT_EQ(WRDynGrid(graph, shown, 0, 0), 0);
    EXPECT_EQ(env.lastError.text, "No such axis - WRDynGrid");
    EXPECT_EQ(WRDynGrid(graph, xAxis, 2, 0), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::InvalidArgument);
    EXPECT_EQ(WRDynGrid(graph, xAxis, 0, -1), 0);
    EXPECT_EQ(WRDynGrid(graph, xAxis, 0, 70000), 0);
}

TEST_F(GridLegendTest, GridLinesStandAtTheAxisTicksAcrossThePlot) {
    plotbase::WGSetLineStyle(env, graph, plotbase::SolidLine, 1, 9);
    WRDynGrid(graph, xAxis, 0, 0);
    const QImage image = render();
    for (int tick = 1; tick < 10; ++tick) {
        const int x = 40 + 32 * tick;
        EXPECT_GT(pixelsOfColour(image, QRect(x - 1, 40, 3, 200), palette(9)), 150) << x;
    }
    EXPECT_EQ(pixelsOfColour(image, QRect(80, 40, 20, 200), palette(9)), 0);  // between two ticks
}

TEST_F(GridLegendTest, TheTimerDrawsTheGridAgainOverWhatCoveredIt) {
    plotbase::WGSetLineStyle(env, graph, plotbase::SolidLine, 1, 9);
    const int grid = WRDynGrid(graph, xAxis, 0, 1);
    auto* window = static_cast<plotbase::GraphWidget*>(plotbase::WGGetGraphWindow(env, graph));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    window->repaint();
    // Something drawn over the plot, as a trace would be.
    plotbase::WGDrawInWindow(env, graph, shown, [](QPainter& painter, const plotbase::DrawContext&) {
        painter.fillRect(QRectF(40, 30, 320, 240), Qt::white);
        return QRectF(40, 30, 320, 240);
    });
    ASSERT_EQ(pixelsOfColour(window->picture(), QRect(40, 40, 320, 200), palette(9)), 0);
    const int fullPaints = window->fullPaintCount();
    clock.advance(1000);
    QCoreApplication::processEvents();
    EXPECT_GT(pixelsOfColour(window->picture(), QRect(40, 40, 320, 200), palette(9)), 9 * 150);
    EXPECT_EQ(window->fullPaintCount(), fullPaints);
    EXPECT_EQ(WRStopObjTimeUpdate(graph, grid), 0);
}

TEST_F(GridLegendTest, ALegendListsTheChannelsWithTheirColoursAndNames) {
    // A scrolling graph of the data set: the legend takes its trace colours.
    const int colours[3] = {10, 13, 15};
    const int scroll = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, colours);
    ASSERT_GT(scroll, 0);
    const int legend = WRDynLegend(graph, scroll, 60, 5, 1);
    ASSERT_GT(legend, 0);
    auto& object = objectAt<Legend>(legend);
    EXPECT_EQ(object.type, TextType);
    EXPECT_EQ(object.subtype, LegendSubtype);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    ASSERT_EQ(TextItemCoords(graph, legend, 0, &x0, &y0), 1);
    ASSERT_EQ(TextItemCoords(graph, legend, 1, &x1, &y1), 1);
    EXPECT_NEAR(x0, 60 + 4 / 4.0, 0.01);  // the margin: 4 pixels of 400
    EXPECT_NEAR(y0, 5 + 4 / 3.0, 0.01);
    EXPECT_EQ(x1, x0);  // one column: below each other
    EXPECT_GT(y1, y0);

    const QImage image = render();
    const int rowHeight = static_cast<int>((y1 - y0) * 3);
    const QRect first(static_cast<int>(x0 * 4), static_cast<int>(y0 * 3), 14, rowHeight);
    EXPECT_GT(pixelsOfColour(image, first, palette(10)), 10);
    EXPECT_EQ(pixelsOfColour(image, first, palette(13)), 0);
    const QRect second(static_cast<int>(x1 * 4), static_cast<int>(y1 * 3), 14, rowHeight);
    EXPECT_GT(pixelsOfColour(image, second, palette(13)), 10);

    plotbase::Graph& g = *env.graph(graph);
    const QRectF r(0, 0, 400, 300);
    const plotbase::Scaling scaling = plotbase::detail::GraphLayout::scalingFor(g, r, object);
    const plotbase::DrawContext context{env, graph, legend, scaling, {0, 0, 400, 300}, false};
    std::vector<std::string> names;
    for (const auto& entry : object.entries(context)) names.push_back(entry.name.toStdString());
    EXPECT_EQ(names, (std::vector<std::string>{"Inlet", "Outlet", "Channel 3"}));
}

TEST_F(GridLegendTest, AnObjectWithoutColoursOfItsOwnGetsTheDefaultSequence) {
    const int legend = WRDynLegend(graph, shown, 10, 10, 1);
    double x = 0, y = 0;
    ASSERT_EQ(TextItemCoords(graph, legend, 2, &x, &y), 1);
    const QRect third(static_cast<int>(x * 4), static_cast<int>(y * 3), 12, 10);
    EXPECT_GT(pixelsOfColour(render(), third, palette(DefaultChannelColour(2))), 10);
    EXPECT_NE(DefaultChannelColour(0), DefaultChannelColour(1));
}

TEST_F(GridLegendTest, GivenNamesAndColumns) {
    const char* texts[3] = {"Hot water", nullptr, "A name longer than forty characters, cut here"};
    const int legend = WRDynLegendPtr(graph, shown, 10, 80, 2, texts);
    ASSERT_GT(legend, 0);
    auto& object = objectAt<Legend>(legend);
    EXPECT_EQ(object.names[0], "Hot water");
    EXPECT_EQ(object.names[1], "");
    EXPECT_EQ(object.names[2].size(), Legend::NameLength);
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    TextItemCoords(graph, legend, 0, &x0, &y0);
    TextItemCoords(graph, legend, 1, &x1, &y1);
    TextItemCoords(graph, legend, 2, &x2, &y2);
    // Two columns of two: 0 and 1 in the first, 2 beside 0.
    EXPECT_EQ(x1, x0);
    EXPECT_GT(y1, y0);
    EXPECT_GT(x2, x0);
    EXPECT_EQ(y2, y0);
}

TEST_F(GridLegendTest, LegendRefusalsAndAGoneDisplay) {
    double x = 0, y = 0;
    EXPECT_EQ(WRDynLegend(graph, 99, 0, 0, 1), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::NoSuchObject);
    const int grid = WRDynGrid(graph, xAxis, 0, 0);
    EXPECT_EQ(WRDynLegend(graph, grid, 0, 0, 1), 0);  // a grid shows no data set
    EXPECT_EQ(env.lastError.text, "No such data set - WRDynLegend");
    EXPECT_EQ(WRDynLegend(graph, shown, 0, 0, 0), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::InvalidArgument);
    EXPECT_EQ(WRDynLegend(graph, shown, 101, 0, 1), 0);
    EXPECT_EQ(WRDynLegend(graph, shown, 0, std::numeric_limits<double>::quiet_NaN(), 1), 0);
    const int legend = WRDynLegend(graph, shown, 0, 0, 1);
    EXPECT_EQ(TextItemCoords(graph, legend, 0, nullptr, &y), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::InvalidArgument);
    EXPECT_EQ(TextItemCoords(graph, legend, 3, &x, &y), 0);
    EXPECT_EQ(env.lastError.text, "Invalid record - TextItemCoords");
    EXPECT_EQ(TextItemCoords(graph, grid, 0, &x, &y), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::WrongObjectType);
    EXPECT_EQ(TextItemCoords(graph, 99, 0, &x, &y), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::NoSuchObject);
    // The display deleted, the legend has nothing to show.
    WRDeleteRTObject(graph, shown);
    EXPECT_EQ(TextItemCoords(graph, legend, 0, &x, &y), 0);
    render();
}

TEST_F(GridLegendTest, AutoRescaleFitsTheValueAxisToTheDataAndTellsTheObjects) {
    for (double v : {31.0, 44.0, 38.0}) pushRow(v, v + 2, v - 1);
    EXPECT_EQ(WRAutoRescale(graph, shown), 1);
    double min = 0, max = 0;
    plotbase::WGGetAxisRange(env, graph, yAxis, min, max);
    EXPECT_EQ(min, 30.0);
    EXPECT_EQ(max, 50.0);
    EXPECT_EQ(env.graph(graph)->objects.as<plotbase::Axis>(yAxis, plotbase::AxisType)->tickSpacing, 5.0);
    EXPECT_EQ(stand->rescales, 1);
    EXPECT_EQ(stand->yRange.min, 30.0);
    // An object that cannot take the range keeps the old one.
    pushRow(-500, 0, 700);
    stand->largestRange = 100;
    EXPECT_EQ(WRAutoRescale(graph, shown), 0);
    EXPECT_EQ(lastErrorCode(), RangeTooLarge);
    plotbase::WGGetAxisRange(env, graph, yAxis, min, max);
    EXPECT_EQ(min, 30.0);
    EXPECT_EQ(max, 50.0);
}

TEST_F(GridLegendTest, AutoRescaleOfAScrollingGraphFitsItsValueAxis) {
    const int scroll = WRSetScrollGraph(graph, set, 1.0, 0.5, 1, 0, nullptr, nullptr, nullptr);
    ASSERT_GT(scroll, 0);
    for (double v : {31.0, 44.0, 38.0}) pushRow(v, v + 2, v - 1);
    EXPECT_EQ(WRAutoRescale(graph, scroll), 1);
    double min = 0, max = 0;
    plotbase::WGGetAxisRange(env, graph, yAxis, min, max);
    EXPECT_EQ(min, 30.0);
    EXPECT_EQ(max, 50.0);
    plotbase::WGGetAxisRange(env, graph, xAxis, min, max);  // time runs along x: left alone
    EXPECT_EQ(max, 100.0);
    const auto* object = dynamic_cast<const DynObject*>(env.graph(graph)->objects.at(scroll));
    EXPECT_EQ(object->yRange.min, 30.0);
    EXPECT_EQ(object->yRange.max, 50.0);
}

TEST_F(GridLegendTest, AutoRescaleLeavesATimeAxisAlone) {
    const int timeAxis = WRDrawTimeAxis(graph, 10.0, 0, 0, 0.0, 0, 0);  // a vertical time axis
    stand->links = {static_cast<std::uint16_t>(timeAxis), static_cast<std::uint16_t>(xAxis)};
    pushRow(1, 2, 3);
    EXPECT_EQ(WRAutoRescale(graph, shown), 1);
    double min = 0, max = 0;
    plotbase::WGGetAxisRange(env, graph, xAxis, min, max);
    EXPECT_LE(min, 1.0);
    EXPECT_GE(max, 3.0);
    EXPECT_LT(max, 10.0);
    plotbase::WGGetAxisRange(env, graph, timeAxis, min, max);
    EXPECT_EQ(max, 100.0);
    EXPECT_EQ(WRAutoRescale(graph, 99), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::NoSuchObject);
    const int grid = WRDynGrid(graph, xAxis, 0, 0);
    EXPECT_EQ(WRAutoRescale(graph, grid), 0);
    EXPECT_EQ(lastErrorCode(), plotbase::NoSuchDataSet);
}

}  // namespace
}  // namespace dynaview::testing
