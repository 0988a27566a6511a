// What lands on the pixels: traces where the axis ranges put them, nothing for a one-point
// trace, grids behind or in front, libraries' own objects; and what a printed page says.

#include "pdf_text.h"
#include "pixel_probe.h"
#include "plotbase_fixture.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

namespace plotbase::testing {
namespace {

using Rendering = PlotbaseTest;

QColor paletteQColor(int index) {
    const Rgb c = Palette[static_cast<std::size_t>(index)];
    return QColor(c.red, c.green, c.blue);
}

TEST_F(Rendering, ATraceLandsWhereTheAxisRangesPutIt) {
    // A step: 0.5 up to x = 30, then -0.25, on y from -0.5 to 1. The plot area spans
    // x 40..360 and y 30..270 of the 400 x 300 page.
    plotOf({0, 30, 30, 100}, {0.5, 0.5, -0.25, -0.25}, 14);
    WGChangeAxisRange(env, graph, yAxis, -0.5, 1.0);
    const QImage image = render();
    const QColor blue = paletteQColor(14);
    const double high = 270.0 - (0.5 + 0.5) / 1.5 * 240.0;   // 110
    const double low = 270.0 - (-0.25 + 0.5) / 1.5 * 240.0;  // 230
    for (int x : {60, 100, 130}) {
        const auto centre = lineCentreInColumn(image, x, blue, 30, 270);
        ASSERT_TRUE(centre) << "column " << x;
        EXPECT_NEAR(*centre, high, 0.75) << "column " << x;
    }
    for (int x : {200, 300, 350}) {
        const auto centre = lineCentreInColumn(image, x, blue, 30, 270);
        ASSERT_TRUE(centre) << "column " << x;
        EXPECT_NEAR(*centre, low, 0.75) << "column " << x;
    }
    const auto step = lineCentreInRow(image, 170, blue, 40, 360);
    ASSERT_TRUE(step);
    EXPECT_NEAR(*step, 40.0 + 0.30 * 320.0, 0.75);
}

TEST_F(Rendering, AOnePointTraceLeavesThePlotClean) {
    plotOf({50}, {0.0}, 14);
    const QImage image = render();
    EXPECT_EQ(pixelsOfColour(image, QRect(41, 31, 318, 238), paletteQColor(14)), 0);
}

TEST_F(Rendering, GridsGoBehindTheTracesOnlyWhenToggled) {
    WGSetLineStyle(env, graph, SolidLine, 1, 4);
    WGDrawGrid(env, graph, xAxis, 0);  // red lines at x = 0, 10, ... 100
    plotOf({0, 100}, {0.0, 0.0}, 14);
    const int gridX = static_cast<int>(scaling().deviceX(50.0));
    const int traceY = static_cast<int>(scaling().deviceY(0.0));
    auto crossing = [&] {
        const QImage image = render();
        return std::pair{coverage(image.pixelColor(gridX, traceY), paletteQColor(4)),
                         coverage(image.pixelColor(gridX, traceY - 40), paletteQColor(4))};
    };
    const auto [inFrontAtTrace, inFrontElsewhere] = crossing();
    EXPECT_GT(inFrontAtTrace, 0.9);  // the grid is drawn over the trace
    EXPECT_GT(inFrontElsewhere, 0.9);
    WGToggleGridsOrder(env, graph);
    const auto [behindAtTrace, behindElsewhere] = crossing();
    EXPECT_LT(behindAtTrace, 0.3);
    EXPECT_GT(behindElsewhere, 0.9);
}

TEST_F(Rendering, ObjectsOfOtherLibrariesAreDrawnByTheirHandlerWithTheGraphsScaling) {
    struct Marker : GraphObject {
        Marker() : GraphObject(120, 0) {}
        double value = 0.75;
    };
    std::vector<int> drawn;
    env.foreignObjects.draw = [&](QPainter& painter, const DrawContext& context, GraphObject& object) {
        drawn.push_back(context.index);
        const double y = context.scaling.deviceY(static_cast<Marker&>(object).value);
        painter.fillRect(QRectF(100, y - 2, 4, 4), paletteQColor(12));
    };
    const int index = WGInsertObject(env, graph, std::make_unique<Marker>());
    const QImage image = render();
    EXPECT_EQ(drawn, std::vector<int>{index});
    EXPECT_GT(coverage(image.pixelColor(101, static_cast<int>(scaling().deviceY(0.75))), paletteQColor(12)), 0.9);
}

TEST_F(Rendering, APrintedGraphCarriesItsLabelsTitlesAndTextsInTheLocalesNumbers) {
    platform::Numbers comma(',');
    Environment local{dialogs, comma};
    InitDll(local);
    const int p = InitPage(local, "P", &host, "T", 0, 15, 8, ChildWindow, {}, nullptr);
    const int g = InitGraph(local, p, 0, 0, 1, 1, 0, 0, 0, nullptr);
    WGScalePlotArea(local, g, 0, 0, 1, 1);
    const int axis = WGDrawYAxis(local, g, 0.25, 0, 1);
    WGLabelAxis(local, g, axis, -1);
    WGTitleAxis(local, g, axis, 1, "Amplitude");
    WGTextNorm(local, g, "Probe Offset:", 0.5, 0.05, AlignCentre + AlignBaseline, 0);

    QTemporaryDir dir;
    const QString path = dir.filePath("graph.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    ASSERT_EQ(WGPrintGraph(local, g, &printer), 1);
    const QString text = pdfText(path);
    for (const char* expected : {"0,00", "0,25", "0,75", "1,00", "Amplitude", "Probe Offset:"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected << " in\n" << text.toStdString();
}

}  // namespace
}  // namespace plotbase::testing
