// Page files: a page written and read back is the same page; a damaged file creates nothing.

#include "plotbase/byte_stream.h"
#include "plotbase/page_file.h"
#include "plotbase_fixture.h"

#include <QTemporaryDir>

#include <fstream>

namespace plotbase::testing {
namespace {

// A library's object with a saved form: one value.
struct Gauge final : GraphObject {
    Gauge() : GraphObject(130, 2) {}
    double level = 0;
};

class PageFile : public PlotbaseTest {
protected:
    PageFile() {
        env.foreignObjects.save = [](ByteWriter& w, Environment&, int, const GraphObject& object) {
            if (object.subtype != 2) return false;  // only gauges have a saved form
            w.f64(static_cast<const Gauge&>(object).level);
            return true;
        };
        env.foreignObjects.restore = [](ByteReader& r, Environment& e, int g, int) {
            auto gauge = std::make_unique<Gauge>();
            gauge->level = r.f64();
            return r.ok() ? WGInsertObject(e, g, std::move(gauge)) : 0;
        };
        WGLabelAxis(env, graph, xAxis, 2);
        WGTitleAxis(env, graph, yAxis, 1, "volts");
        WGSetLineStyle(env, graph, DotLine, 1, 11);
        WGDrawGrid(env, graph, yAxis, 1);
        WGToggleGridsOrder(env, graph);
        plot = plotOf({0, 50, 100}, {-0.5, 0.75, 0.25}, 14);
        hole = WGTextNorm(env, graph, "gone", 0.5, 0.5, 0, 0);
        cursor = WGSetDataCursor(env, graph, xAxis, yAxis, 12);
        WGMoveDataCursor(env, graph, cursor, 40.0, 1.0, false);
        auto gauge = std::make_unique<Gauge>();
        gauge->level = 0.625;
        this->gauge = WGInsertObject(env, graph, std::move(gauge));
        WGTextNorm(env, graph, "Vp: 0.67", 0.02, 0.04, AlignLeft + AlignBaseline, 0);
        WGDeleteObject(env, graph, hole);
        path = dir.filePath("page.pbp").toStdString();
    }

    QTemporaryDir dir;
    std::string path;
    int plot = 0, hole = 0, cursor = 0, gauge = 0;
};

TEST_F(PageFile, ReadsBackTheSamePageObjectByObject) {
    const QImage before = render();
    const int slotCount = env.graph(graph)->objects.size();
    ASSERT_EQ(WGSavePage(env, page, path), 1);
    KillGraphPage(env, page);

    const int restored = WGRestorePage(env, path, &host);
    ASSERT_NE(restored, 0);
    const Page* p = env.page(restored);
    EXPECT_EQ(p->name, "PAGE1");
    EXPECT_EQ(p->title, "Test page");
    ASSERT_EQ(p->graphCount, 1);
    const int g = p->graphs[0]->handle;
    const Graph& record = *WGGetGraph(env, g);
    EXPECT_EQ(record.objects.size(), slotCount);
    EXPECT_EQ(record.objects.at(hole), nullptr);  // the free slot stays free
    EXPECT_EQ(record.currentXAxis, xAxis);
    EXPECT_TRUE(record.gridsBehind);
    const auto* set = WGGetObjectAs<DataSet>(env, g, WGGetObjectAs<LinePlot>(env, g, plot)->dataSet);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(*set->y, (std::vector<double>{-0.5, 0.75, 0.25}));
    EXPECT_EQ(WGGetObjectAs<DataCursor>(env, g, cursor)->x, 40.0);
    EXPECT_EQ(WGGetObjectAs<AxisTitle>(env, g, 4)->text, "volts");
    const auto* restoredGauge = dynamic_cast<const Gauge*>(WGGetObject(env, g, gauge));
    ASSERT_NE(restoredGauge, nullptr);
    EXPECT_EQ(restoredGauge->level, 0.625);

    host.resize(400, 300);
    QImage after(host.size(), QImage::Format_ARGB32);
    RenderPage(env, restored, after);
    EXPECT_EQ(after, before);
}

TEST_F(PageFile, ObjectsWithoutASavedFormLeaveTheirSlotFree) {
    struct Scratch final : GraphObject {
        Scratch() : GraphObject(131, 9) {}
    };
    const int scratch = WGInsertObject(env, graph, std::make_unique<Scratch>());
    const int after = WGTextNorm(env, graph, "after", 0.5, 0.9, 0, 0);
    ASSERT_EQ(WGSavePage(env, page, path), 1);
    KillGraphPage(env, page);
    const int restored = WGRestorePage(env, path, &host);
    const int g = env.page(restored)->graphs[0]->handle;
    EXPECT_EQ(WGGetObject(env, g, scratch), nullptr);
    EXPECT_EQ(WGGetObjectAs<TextObject>(env, g, after)->text, "after");
}

TEST_F(PageFile, SavedAgainAfterRestoreGivesTheSameBytes) {
    struct Scratch final : GraphObject {
        Scratch() : GraphObject(131, 9) {}
    };
    // The last slot holds an object without a saved form (the first fills the free slot the
    // fixture left): restored, the table ends earlier.
    WGInsertObject(env, graph, std::make_unique<Scratch>());
    const int last = WGInsertObject(env, graph, std::make_unique<Scratch>());
    ASSERT_EQ(last, env.graph(graph)->objects.size());
    ASSERT_EQ(WGSavePage(env, page, path), 1);
    const auto first = SerializePage(env, page);
    KillGraphPage(env, page);
    const int restored = WGRestorePage(env, path, &host);
    ASSERT_NE(restored, 0);
    EXPECT_EQ(SerializePage(env, restored), first);
}

TEST_F(PageFile, ADamagedFileIsRefusedAndCreatesNothing) {
    ASSERT_EQ(WGSavePage(env, page, path), 1);
    std::ifstream in(path, std::ios::binary);
    const std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    env.showErrorMessages = false;
    const int pagesBefore = env.openPages;

    auto refused = [&](const std::string& bytes, const std::string& reason) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        env.lastError = {};
        EXPECT_EQ(WGRestorePage(env, path, &host), 0) << reason;
        EXPECT_EQ(env.lastError.code, PageFileRead) << reason;
        EXPECT_NE(env.lastError.text.find(reason), std::string::npos) << env.lastError.text;
        EXPECT_EQ(env.openPages, pagesBefore);
    };
    refused("GIF89a", "not a page file");
    for (std::size_t cut : {10ul, 60ul, good.size() / 2, good.size() - 1}) refused(good.substr(0, cut), "");
    refused(good + "x", "unexpected bytes after the page");
    std::string badColour = good;
    // The page record is magic, version, two texts and five numbers; the first graph's
    // border colour follows its four-number placement.
    const std::size_t borderColour = 6 + 2 + 4 + 5 + 4 + 9 + 3 * 4 + 2 + 4 * 8;
    badColour[borderColour + 4 + 4 + 4 + 4 * 8 + 4 + 8] = 99;  // the plot frame's colour
    refused(badColour, "damaged graph record");

    std::string error;
    EXPECT_FALSE(ParsePageFile(good.substr(0, 7), error));
    EXPECT_EQ(error, "the file ends early");
    EXPECT_TRUE(ParsePageFile(good, error));
}

TEST_F(PageFile, ALibraryRecordFailingItsCheckRefusesThePageBeforeAnythingIsCreated) {
    int restores = 0;
    auto restore = env.foreignObjects.restore;
    env.foreignObjects.restore = [&](ByteReader& r, Environment& e, int g, int type) {
        ++restores;
        return restore(r, e, g, type);
    };
    env.foreignObjects.check = [](int, std::string_view record, const SavedGraph&, std::string& why) {
        ByteReader r(record);
        if (r.f64() >= 0) return true;
        why = "a gauge below zero";
        return false;
    };
    static_cast<Gauge*>(env.graph(graph)->objects.at(gauge))->level = -1;
    ASSERT_EQ(WGSavePage(env, page, path), 1);
    env.showErrorMessages = false;
    const int pagesBefore = env.openPages;
    EXPECT_EQ(WGRestorePage(env, path, &host), 0);
    EXPECT_EQ(env.lastError.code, PageFileRead);
    EXPECT_NE(env.lastError.text.find("a gauge below zero"), std::string::npos) << env.lastError.text;
    EXPECT_EQ(env.openPages, pagesBefore);
    EXPECT_EQ(restores, 0);
}

TEST_F(PageFile, LibraryObjectsAreCreatedOnceEveryPlotbaseObjectOfTheGraphIsBack) {
    // A gauge in a slot below a text: it may refer to the text, so the text is there first.
    const int early = WGInsertObject(env, graph, std::make_unique<Gauge>());
    const int last = env.graph(graph)->objects.size();
    ASSERT_LT(early, last);
    bool laterObjectsThere = true;
    auto restore = env.foreignObjects.restore;
    env.foreignObjects.restore = [&](ByteReader& r, Environment& e, int g, int type) {
        laterObjectsThere = laterObjectsThere && WGGetObjectAs<TextObject>(e, g, last) != nullptr;
        return restore(r, e, g, type);
    };
    ASSERT_EQ(WGSavePage(env, page, path), 1);
    const int restored = WGRestorePage(env, path, &host);
    ASSERT_NE(restored, 0);
    const int g = env.page(restored)->graphs[0]->handle;
    EXPECT_TRUE(laterObjectsThere);
    EXPECT_NE(dynamic_cast<const Gauge*>(WGGetObject(env, g, early)), nullptr);
    EXPECT_NE(dynamic_cast<const Gauge*>(WGGetObject(env, g, gauge)), nullptr);
    EXPECT_EQ(WGGetGraph(env, g)->objects.size(), last);
}

TEST_F(PageFile, ASaveThatCannotBeWrittenIsReported) {
    env.showErrorMessages = false;
    EXPECT_EQ(WGSavePage(env, page, dir.filePath("missing/page.pbp").toStdString()), 0);
    EXPECT_EQ(env.lastError.code, PageFileWrite);
    EXPECT_EQ(WGSavePage(env, 42, path), 0);
}

}  // namespace
}  // namespace plotbase::testing
