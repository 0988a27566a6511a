// The File menu's files from the main window: configurations saved and loaded, the ASCII
// waveform, and the image of the graph.

#include "window_fixture.h"

#include "graph/graph_image.h"

#include <QAction>
#include <QImage>

#include <fstream>
#include <iterator>

namespace app::testing {
namespace {

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FileMenu : public WindowTest {
protected:
    std::filesystem::path File(const std::string& name) const { return rig.StartDirectory() / name; }
    void Choose(const std::filesystem::path& path) { rig.test.dialogs.files.push_back(path.string()); }
    const platform::DialogRecord& LastDialog() const { return rig.test.dialogs.records.back(); }
    void Measure() {
        form.GetWfPBClick();
        ASSERT_TRUE(rig.RunChain());
    }
};

TEST_F(FileMenu, AConfigurationSavedAndLoadedBringsBackSettingsRangeAndWaveform) {
    type(TagPoints, "251");
    type(TagStart, "4.5");
    type(TagLength, "3");
    Measure();
    auto& gfx = form.Graph().Gfx();
    gfx.YaxisMax = 0.22f;
    gfx.YaxisMin = -0.5f;
    Choose(File("a.WFD"));
    form.SaveBWFClick();
    EXPECT_EQ(LastDialog().title, "Save Main Window Configuration");
    EXPECT_EQ(LastDialog().text, "TDR Data (*.WFD)|*.WFD");
    ASSERT_EQ(std::filesystem::file_size(File("a.WFD")), 1044u);
    EXPECT_EQ(form.Buffers().Header.PointCount, 251);
    EXPECT_EQ(form.Buffers().SavedWave[0], form.DataObject().WaveformAt(1));

    // Elsewhere meanwhile: other settings, another range, another waveform.
    type(TagStart, "10");
    type(TagPoints, "100");
    gfx.SetValueAxis(-1, 1);
    gfx.YaxisMax = 0.9f;
    Measure();
    Choose(File("a.WFD"));
    form.RestWFClick();
    EXPECT_EQ(LastDialog().title, "Restore Main Window Configuration");
    const auto range = gfx.GetValueAxisRange();
    ASSERT_TRUE(range);
    EXPECT_FLOAT_EQ(static_cast<float>(range->max), 0.22f);
    EXPECT_FLOAT_EQ(static_cast<float>(range->min), -0.5f);
    EXPECT_EQ(form.SettingText(TagStart), "4.50");
    EXPECT_EQ(form.SettingText(TagLength), "3.00");
    EXPECT_EQ(form.SettingText(TagPoints), "251");
    EXPECT_EQ(form.SettingText(TagVp), "1.00");
    EXPECT_EQ(form.SettingText(TagProbeLength), "0.300");
    EXPECT_EQ(dataSet(gfx.handles().mainSet).count, 251);
    // Loading sends nothing and leaves the instrument's settings and the stored range.
    EXPECT_EQ(form.DataObject().Settings.Points, 100);
    EXPECT_FLOAT_EQ(gfx.YaxisMax, 0.9f);
    EXPECT_TRUE(messages().empty());
}

TEST_F(FileMenu, ADamagedConfigurationChangesNothing) {
    Measure();
    const auto before = form.Buffers().SavedWave;
    const std::string startText = form.SettingText(TagStart);
    std::string bytes(40, '\0');
    bytes[0] = static_cast<char>(0x88);  // 5000 points
    bytes[1] = 0x13;
    std::ofstream(File("big.WFD"), std::ios::binary) << bytes;
    Choose(File("big.WFD"));
    form.RestWFClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("5000 waveform points"), std::string::npos) << messages()[0];
    EXPECT_EQ(form.Buffers().SavedWave, before);
    EXPECT_EQ(form.SettingText(TagStart), startText);
}

TEST_F(FileMenu, NoWaveformNoFilesAndACancelledDialogWritesNothing) {
    form.SaveAWFClick();
    form.SaveBWFClick();
    EXPECT_EQ(messages(), (std::vector<std::string>{"No Waveform Available", "No Waveform Available"}));
    EXPECT_EQ(rig.test.dialogs.records.size(), 2u);  // no file dialog
    Measure();
    const auto files = std::distance(std::filesystem::directory_iterator(rig.StartDirectory()), {});
    form.SaveAWFClick();  // cancelled
    EXPECT_EQ(LastDialog().title, "Save ASCII TDR Waveform Data");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(rig.StartDirectory()), {}), files);
}

TEST_F(FileMenu, TheAsciiWaveformHoldsTheLastMeasurement) {
    type(TagPoints, "251");
    type(TagVp, "0.67");
    Measure();
    Choose(File("w.DAT"));
    form.SaveAWFClick();
    EXPECT_EQ(LastDialog().text, "ASCII Data (*.DAT)|*.DAT");
    const std::string text = Contents(File("w.DAT"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 258);
    EXPECT_EQ(text.substr(0, 14), "4\r\n0.6700\r\n251");
}

TEST_F(FileMenu, AnImageOfTheGraphAsPngOrSvgAtTheChosenSize) {
    Measure();
    std::string error;
    ASSERT_TRUE(graph::ExportGraphImage(form.Graph().Gfx(), File("g.png"), QSize(800, 500), error)) << error;
    QImage image(QString::fromStdString(File("g.png").string()));
    EXPECT_EQ(image.size(), QSize(800, 500));
    ASSERT_TRUE(graph::ExportGraphImage(form.Graph().Gfx(), File("g.SVG"), QSize(640, 400), error)) << error;
    const std::string svg = Contents(File("g.SVG"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_FALSE(graph::ExportGraphImage(form.Graph().Gfx(), File("tiny.png"), QSize(10, 10), error));
    EXPECT_FALSE(std::filesystem::exists(File("tiny.png")));
    // During a chain the item is off like printing.
    form.EnableMenuItems(false);
    EXPECT_FALSE(form.findChild<QAction*>("ExportGraphImage")->isEnabled());
}

}  // namespace
}  // namespace app::testing
