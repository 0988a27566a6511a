// Printing: the annotation line on paper, black trace and markers while printing, and what
// the graph looks like afterwards.

#include "graph_fixture.h"
#include "tests/plotbase/pdf_text.h"

#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <map>

namespace graph::testing {
namespace {

class Printing : public GraphTest {
protected:
    Printing() {
        gfx.DrawWaveform(251, 0.0f, 10.0f);
        gfx.MoveMarkers(251, true, 10.0f, 0.0f, 50.0f, 150.0f);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("graph.pdf"));
        printer.setPageOrientation(QPageLayout::Landscape);
    }

    void expectScreenStateAfterPrinting() {
        for (int text : h().texts) EXPECT_EQ(object<plotbase::TextObject>(text).text, "");
        EXPECT_EQ(object<plotbase::LinePlot>(h().mainPlot).attributes.colour, 14);
        EXPECT_EQ(object<plotbase::DataCursor>(h().marker1).attributes.colour, 2);
        EXPECT_EQ(object<plotbase::DataCursor>(h().marker2).attributes.colour, 4);
    }

    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
};

TEST_F(Printing, PutsTheSettingsOnThePageAsTheAnnotationLine) {
    ASSERT_TRUE(gfx.PrintWaveformGraph({"1.5", "16", "251", "0.3", "abc", "   0.254"}, &printer));
    const QString text = plotbase::testing::pdfText(dir.filePath("graph.pdf"));
    const QRegularExpression line(QStringLiteral(
        R"(Vp:\s+1\.500\s+Ave:\s+16\s+Points:\s+251\s+Probe Length:\s+0\.300\s+Probe Offset:\s+0\.000\s+Vol\. Water Content:\s+0\.254)"));
    EXPECT_TRUE(line.match(text).hasMatch()) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("distance (meters)")));
    EXPECT_TRUE(text.contains(QStringLiteral("reflection coefficient (unitless)")));
    expectScreenStateAfterPrinting();
}

TEST_F(Printing, DrawsTheTraceAndMarkersBlackOnPaperOnly) {
    std::map<int, int> printedColours;
    env().foreignObjects.afterDraw = [&](QPainter&, const plotbase::DrawContext& context, plotbase::GraphObject& object) {
        if (context.printing) printedColours[context.index] = object.attributes.colour;
    };
    ASSERT_TRUE(gfx.PrintWaveformGraph({"1", "1", "1", "1", "1", "1"}, &printer));
    EXPECT_EQ(printedColours[h().mainPlot], 0);
    EXPECT_EQ(printedColours[h().marker1], 0);
    EXPECT_EQ(printedColours[h().marker2], 0);
    EXPECT_EQ(printedColours[h().savedPlot], 4);
    EXPECT_EQ(printedColours[h().derivativePlot], 15);
}

TEST_F(Printing, AFailedPrintStillRestoresTheScreenGraph) {
    printer.setOutputFileName(dir.filePath("no/such/folder/graph.pdf"));
    env().showErrorMessages = false;
    EXPECT_FALSE(gfx.PrintWaveformGraph({"1", "1", "1", "1", "1", "1"}, &printer));
    EXPECT_EQ(env().lastError.code, plotbase::PrintFailed);
    expectScreenStateAfterPrinting();
}

TEST(PrintedSettings, AreNumbersOfWidthFiveWithThreeDecimalsInTheLocale) {
    const platform::Numbers point('.');
    const platform::Numbers comma(',');
    EXPECT_EQ(printedSetting("1.5", point), "1.500");
    EXPECT_EQ(printedSetting(" 0.05 ", point), "0.050");
    EXPECT_EQ(printedSetting("12.3456", point), "12.346");
    EXPECT_EQ(printedSetting("-0.2", point), "-0.200");
    EXPECT_EQ(printedSetting("", point), "0.000");
    EXPECT_EQ(printedSetting("1,5", point), "0.000");
    EXPECT_EQ(printedSetting("1,5", comma), "1,500");
}

}  // namespace
}  // namespace graph::testing
