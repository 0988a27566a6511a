// Meters: value to angle with pinning, the angle rules, the interpolated sine and cosine,
// what a needle update repaints (and that it repaints nothing for less than a degree), and
// needles as drawn; and that a saved page keeps no record of a meter.

#include "dynaview_fixture.h"

#include "dynaview/meters/meter.h"
#include "dynaview/meters/meter_geometry.h"
#include "plotbase/graph_widget.h"
#include "plotbase/page_file.h"
#include "tests/plotbase/pixel_probe.h"
#include "tests/support/own_temp_path.h"

#include <QImage>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

namespace dynaview::testing {
namespace {

using plotbase::testing::pixelsOfColour;

QColor palette(int index) {
    const plotbase::Rgb c = plotbase::Palette[static_cast<std::size_t>(index)];
    return QColor(c.red, c.green, c.blue);
}

TEST(MeterGeometry, ValuesTurnClockwiseFromToAndPinFourDegreesBeyondTheScale) {
    const MeterAngles a = NormaliseAngles(30, 150);
    const double scale = ScaleFactor(a, 0.0, 100.0);
    EXPECT_DOUBLE_EQ(scale, 1.2);
    EXPECT_DOUBLE_EQ(ValueToAngle(100.0, a, scale, 100.0), 30.0);
    EXPECT_DOUBLE_EQ(ValueToAngle(0.0, a, scale, 100.0), 150.0);
    EXPECT_DOUBLE_EQ(ValueToAngle(50.0, a, scale, 100.0), 90.0);
    EXPECT_DOUBLE_EQ(PinAngle(ValueToAngle(120.0, a, scale, 100.0), a), 26.0);
    EXPECT_DOUBLE_EQ(PinAngle(ValueToAngle(-20.0, a, scale, 100.0), a), 154.0);
    EXPECT_DOUBLE_EQ(PinAngle(ValueToAngle(103.0, a, scale, 100.0), a), 30.0 - 3.6);  // within the four degrees
    EXPECT_DOUBLE_EQ(PinAngle(std::nan(""), a), 154.0);
}

TEST(MeterGeometry, AngleRules) {
    const MeterAngles full = NormaliseAngles(0, 0);
    EXPECT_EQ(full.start, 0);
    EXPECT_EQ(full.end, 360);
    EXPECT_TRUE(full.fullCircle);
    EXPECT_TRUE(NormaliseAngles(90, 450).fullCircle);
    const MeterAngles wrapped = NormaliseAngles(300, 60);
    EXPECT_EQ(wrapped.start, 300);
    EXPECT_EQ(wrapped.end, 420);
    EXPECT_FALSE(wrapped.fullCircle);
    const MeterAngles plain = NormaliseAngles(30, 150);
    EXPECT_EQ(plain.end, 150);
    EXPECT_FALSE(ReadoutBelowCentre(NormaliseAngles(300, 60)));  // the arc's middle is at 0 (3 o'clock)
    EXPECT_TRUE(ReadoutBelowCentre(plain));
    EXPECT_FALSE(ReadoutBelowCentre(NormaliseAngles(210, 330)));
}

TEST(MeterGeometry, SineAndCosineComeFromTheWholeDegreeTablesInEveryQuadrant) {
    for (int degree : {0, 30, 90, 135, 180, 200, 270, 315, 360, 420, -30, -90, -200}) {
        const double radians = degree * M_PI / 180.0;
        EXPECT_NEAR(WholeDegreeSine(degree), std::sin(radians), 1e-6) << degree;
        EXPECT_NEAR(WholeDegreeCosine(degree), std::cos(radians), 1e-6) << degree;
    }
    EXPECT_EQ(WholeDegreeSine(90), 1.0f);
    EXPECT_EQ(WholeDegreeCosine(270), 0.0f);
    for (double angle : {30.5, 89.25, 179.9, 271.3, -10.5, 419.75}) {
        const SineCosine at = InterpolatedSineCosine(angle);
        const double radians = angle * M_PI / 180.0;
        EXPECT_NEAR(at.sine, std::sin(radians), 2e-4) << angle;
        EXPECT_NEAR(at.cosine, std::cos(radians), 2e-4) << angle;
    }
}

TEST(MeterGeometry, ANeedleMovesOnlyByWholeDegrees) {
    const MeterAngles a = NormaliseAngles(30, 150);
    Needle needle;
    EXPECT_TRUE(MoveNeedle(needle, 50.0, a, 1.2, 100.0, false));
    EXPECT_EQ(needle.angle, 90);
    EXPECT_FALSE(MoveNeedle(needle, 49.9, a, 1.2, 100.0, false));  // 90.12 degrees
    EXPECT_EQ(needle.angle, 90);
    EXPECT_TRUE(MoveNeedle(needle, 49.9, a, 1.2, 100.0, true));   // a read-out follows anyway
    EXPECT_TRUE(MoveNeedle(needle, 40.0, a, 1.2, 100.0, false));
    EXPECT_EQ(needle.angle, 102);
    EXPECT_EQ(needle.previousAngle, 90);
    EXPECT_FALSE(MoveNeedle(needle, 1e9, a, 1.2, 100.0, false) && needle.angle != 26);
}

TEST(MeterGeometry, NeedleOutlinesAndTicks) {
    const Point c{100, 100};
    const SineCosine up = InterpolatedSineCosine(90.0);
    const std::vector<Point> line = NeedleOutline(0, c, 50, 0, 3, up);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_NEAR(line[1].x, 100.0, 1e-9);
    EXPECT_NEAR(line[1].y, 50.0, 1e-9);
    const std::vector<Point> diamond = NeedleOutline(4, c, 50, 25, 10, up);
    ASSERT_EQ(diamond.size(), 4u);
    EXPECT_NEAR(diamond[2].y, 125.0, 1e-9);  // the tail behind the centre
    EXPECT_NEAR(std::fabs(diamond[1].x - diamond[3].x), 10.0, 1e-9);
    EXPECT_EQ(NeedleOutline(2, c, 50, 0, 10, up).size(), 3u);
    EXPECT_DOUBLE_EQ(NeedleSizesOf(1, 2, 100).pen, 5.0);
    EXPECT_DOUBLE_EQ(NeedleSizesOf(1, 2, 100).base, 10.0);
    EXPECT_DOUBLE_EQ(NeedleSizesOf(2, 1, 100).base, 10.0);
    EXPECT_DOUBLE_EQ(NeedleSizesOf(5, 1, 130).base, 12.0);
    EXPECT_DOUBLE_EQ(NeedleLength(0, 100, 1, 10), 94.0);
    EXPECT_DOUBLE_EQ(NeedleLength(1, 100, 1, 10), 89.0);
    EXPECT_EQ(MajorTicks(0, 100, 25).size(), 5u);
    EXPECT_EQ(MajorTicks(100, 0, 25).back(), 0.0);
    EXPECT_TRUE(MajorTicks(0, 100, 250).empty());
    EXPECT_EQ(MinorTicks(0, 100, 25, 4).size(), 16u);
}

class Meters : public DynaviewTest {
protected:
    // A meter over 0..100 on 30..150 degrees, centred at (200, 180) with a radius of 100.
    int meter(int set, int channel, int style = 0, int readout = 0, const int* colours = nullptr) {
        return WRSetMeter(graph, set, channel, 0.0, 100.0, 0.5, 0.6, 0.5, 30, 150, style, colours, 0.1, 10.0, 1, 0, 0, readout, 1, 0,
                          1.0, nullptr);
    }
    Meter* record(int index) { return dynamic_cast<Meter*>(env.graph(graph)->objects.at(index)); }
    QImage render() {
        QImage image(400, 300, QImage::Format_ARGB32);
        plotbase::RenderPage(env, page, image);
        return image;
    }
    plotbase::GraphWidget* window() { return static_cast<plotbase::GraphWidget*>(plotbase::WGGetGraphWindow(env, graph)); }
    void showPainted() {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        window()->repaint();
    }
};

TEST_F(Meters, ChannelMinusOneShowsAtMostFiveNeedles) {
    const int eight = WRDefineDynDataSet("Eight", 8, nullptr, nullptr, 0);
    const int index = meter(eight, -1);
    ASSERT_GT(index, 0);
    EXPECT_EQ(record(index)->shownNeedles(&dataSet(eight)), 5);
    const int three = WRDefineDynDataSet("Three", 3, nullptr, nullptr, 0);
    EXPECT_EQ(record(meter(three, -1))->shownNeedles(&dataSet(three)), 3);
    EXPECT_EQ(record(meter(three, 2))->shownNeedles(&dataSet(three)), 1);
    EXPECT_EQ(meter(three, 3), 0);
    EXPECT_EQ(lastErrorCode(), 30);
    EXPECT_EQ(meter(eight, 5), 0);  // one needle record per channel 0..4
    EXPECT_EQ(meter(99, 0), 0);
    EXPECT_EQ(lastErrorCode(), 55);
    // Each needle has its colour, which dynamic text can take.
    const int colours[5] = {4, 10, 14, 12, 15};
    const Meter* coloured = record(meter(eight, -1, 0, 0, colours));
    EXPECT_EQ(coloured->channelColour(2), 14);
    EXPECT_EQ(coloured->channelColour(6), -1);
}

TEST_F(Meters, ANeedleIsDrawnFromTheCentreToItsTip) {
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
    const int colours[1] = {4};
    ASSERT_GT(WRSetMeter(graph, set, 0, 0.0, 100.0, 0.5, 0.6, 0.5, 30, 150, 0, colours, 0.1, 10.0, 1, 0, 1, 0, 0, NoLabels | NoTicks | NoScaleArc, 1.0, nullptr), 0);
    push(set, 100.0);  // 30 degrees: down to the right of straight up
    const QImage image = render();
    // Length 100 - 1 - 5 = 94: the tip lies at (200 + 94 cos 30, 180 - 94 sin 30).
    const double tipX = 200 + 94 * std::cos(M_PI / 6), tipY = 180 - 94 * std::sin(M_PI / 6);
    EXPECT_GT(pixelsOfColour(image, QRect(int(tipX) - 4, int(tipY) - 3, 6, 6), palette(4)), 2);
    EXPECT_GT(pixelsOfColour(image, QRect(int(200 + 47 * std::cos(M_PI / 6)) - 2, int(180 - 47 * 0.5) - 2, 5, 5), palette(4)), 2);
    // Nothing beyond the tip (dial drawing is off), nothing on the mirrored side.
    EXPECT_EQ(pixelsOfColour(image, QRect(int(200 + 99 * std::cos(M_PI / 6)) - 1, int(180 - 99 * 0.5) - 1, 3, 3), palette(4)), 0);
    EXPECT_EQ(pixelsOfColour(image, QRect(int(200 - tipX + 200) - 4, int(tipY) - 3, 6, 6), palette(4)), 0);
}

TEST_F(Meters, ANeedleUpdateRepaintsOnlyTheNeedlesRegion) {
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
    const int index = meter(set, 0, 2);
    push(set, 50.0);
    showPainted();
    Meter* m = record(index);
    ASSERT_TRUE(m->dialCached());
    const int fullPaints = window()->fullPaintCount();
    push(set, 60.0);
    QCoreApplication::processEvents();
    EXPECT_EQ(window()->fullPaintCount(), fullPaints);
    const QRectF region = m->lastRepaint();
    ASSERT_FALSE(region.isEmpty());
    // The old needle points straight up, the new one 12 degrees to the right: the region
    // holds both tips and is far smaller than the dial.
    EXPECT_TRUE(region.contains(QPointF(200, 180 - 90)));
    EXPECT_TRUE(region.contains(QPointF(200 + 90 * std::sin(12 * M_PI / 180), 180 - 90 * std::cos(12 * M_PI / 180))));
    EXPECT_LT(region.width() * region.height(), 0.3 * 200 * 200);
    // What the update drew is what a full paint draws.
    const QImage incremental = window()->picture().copy(100, 80, 200, 200);
    window()->invalidatePicture();
    window()->repaint();
    const QImage full = window()->picture().copy(100, 80, 200, 200);
    int differing = 0;
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x) differing += incremental.pixel(x, y) != full.pixel(x, y);
    EXPECT_LT(differing, 20);
}

TEST_F(Meters, LessThanADegreeRedrawsNothingUnlessTheReadoutIsOn) {
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
    const int plain = meter(set, 0);
    push(set, 50.0);
    showPainted();
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    window()->installEventFilter(&counter);
    push(set, 49.9);  // 90.12 degrees
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    EXPECT_TRUE(record(plain)->lastRepaint().isEmpty());
    // With a read-out, the figure changes.
    WRDeleteRTObject(graph, plain);
    const int withReadout = meter(set, 0, 0, 1);
    window()->repaint();
    push(set, 49.8);
    QCoreApplication::processEvents();
    EXPECT_FALSE(record(withReadout)->lastRepaint().isEmpty());
    EXPECT_GE(counter.paints, 1);
    window()->removeEventFilter(&counter);
}

TEST_F(Meters, TheChangeAndGetFunctions) {
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
    const int index = meter(set, 0);
    double relative = 0, step = 0;
    int minor = 0, outside = 0;
    EXPECT_EQ(WRChangeMeterTicks(graph, index, 0.2, 500.0, 3, 1, 1), 1);  // a step above the range is ignored
    EXPECT_EQ(WRGetMeterTicks(graph, index, &relative, &step, &minor, &outside), 1);
    EXPECT_DOUBLE_EQ(relative, 0.2);
    EXPECT_DOUBLE_EQ(step, 10.0);
    EXPECT_EQ(minor, 3);
    EXPECT_EQ(outside, 1);
    EXPECT_EQ(WRChangeMeterTicks(graph, index, 0.2, 25.0, 3, 0, 0), 1);
    WRGetMeterTicks(graph, index, nullptr, &step, nullptr, nullptr);
    EXPECT_DOUBLE_EQ(step, 25.0);
    int from = 0, to = 0;
    EXPECT_EQ(WRChangeMeterAngles(graph, index, 300, 60, 1), 1);
    EXPECT_EQ(WRGetMeterAngles(graph, index, &from, &to), 1);
    EXPECT_EQ(from, 300);
    EXPECT_EQ(to, 420);
    EXPECT_DOUBLE_EQ(record(index)->scale, 1.2);
    EXPECT_EQ(WRChangeMeterAngles(graph, index, 90, 90, 1), 1);
    WRGetMeterAngles(graph, index, &from, &to);
    EXPECT_EQ(to, 450);
    EXPECT_EQ(WRChangeMeterRange(graph, index, 10.0, 20.0, 0.0, 1), 1);
    double f = 0, t = 0;
    EXPECT_EQ(WRGetMeterRange(graph, index, &f, &t, nullptr), 1);
    EXPECT_DOUBLE_EQ(t, 20.0);
    EXPECT_EQ(WRChangeMeterRange(graph, index, 5.0, 5.0, 0.0, 1), 0);  // an empty range has no scale
    EXPECT_EQ(lastErrorCode(), 18);
    double x = 0, y = 0, d = 0;
    EXPECT_EQ(WRChangeMeterCenter(graph, index, 0.4, 0.5, 0.3, 1), 1);
    EXPECT_EQ(WRGetMeterCenter(graph, index, &x, &y, &d), 1);
    EXPECT_DOUBLE_EQ(d, 0.3);
    EXPECT_EQ(WRSetMeterBorder(graph, index, 0.5, 0.5, 0.6, 0.8, 3, 1, 0, 2), 1);
    EXPECT_EQ(WRSetMeterBorder(graph, index, 0.5, 0.5, 0.6, 0.8, 3, 3, 0, 2), 0);
    // On something that is not a meter.
    EXPECT_EQ(WRGetMeterRange(graph, xAxis, &f, &t, nullptr), 0);
    EXPECT_EQ(lastErrorCode(), 29);
    EXPECT_EQ(WRGetMeterAngles(graph, 40, &from, &to), 0);
    EXPECT_EQ(lastErrorCode(), 56);
}

TEST_F(Meters, PieAndArcMetersFillFromTheCentreValue) {
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
    // Filled in red over light grey from 50 (straight up) to the value.
    const int arc = WRSetArcMeter(graph, set, -1, 0.0, 100.0, 50.0, 0.5, 0.6, 0.5, 30, 150, 4, 7, 0.1, 0.1, 10.0, 1, 0, 0, 1, 1,
                                  NoLabels | NoTicks, 1.0, nullptr);
    ASSERT_GT(arc, 0);
    EXPECT_EQ(record(arc)->subtype, ArcMeter);
    EXPECT_EQ(record(arc)->channel, 0);
    push(set, 80.0);  // 54 degrees: the band is red from 54 to 90, right of straight up
    QImage image = render();
    const auto bandPoint = [](double degrees) {
        return QPoint(int(200 + 95 * std::cos(degrees * M_PI / 180)), int(180 - 95 * std::sin(degrees * M_PI / 180)));
    };
    EXPECT_GT(pixelsOfColour(image, QRect(bandPoint(70) - QPoint(2, 2), QSize(5, 5)), palette(4)), 10);
    EXPECT_EQ(pixelsOfColour(image, QRect(bandPoint(110) - QPoint(2, 2), QSize(5, 5)), palette(4)), 0);
    push(set, 20.0);  // 126 degrees: now left of straight up
    image = render();
    EXPECT_EQ(pixelsOfColour(image, QRect(bandPoint(70) - QPoint(2, 2), QSize(5, 5)), palette(4)), 0);
    EXPECT_GT(pixelsOfColour(image, QRect(bandPoint(110) - QPoint(2, 2), QSize(5, 5)), palette(4)), 10);
    const int pie = WRSetPieMeter(graph, set, 0, 0.0, 100.0, 0.0, 0.5, 0.6, 0.5, 30, 150, 4, 7, 0.1, 10.0, 1, 0, 0, 0, 1.0, nullptr);
    EXPECT_EQ(record(pie)->subtype, PieMeter);
    EXPECT_EQ(WRSetPieMeter(graph, set, 0, 0.0, 100.0, 0.0, 0.5, 0.6, 0.5, 30, 150, 16, 7, 0.1, 10.0, 1, 0, 0, 0, 1.0, nullptr), 0);
}

TEST_F(Meters, TheScaleStaysVisibleOverTheFill) {
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
    // A red band from 50 (90 degrees) to the value, ticks every 10 (12 degrees) inside it.
    const int arc = WRSetArcMeter(graph, set, 0, 0.0, 100.0, 50.0, 0.5, 0.6, 0.5, 30, 150, 4, 7, 0.1, 0.1, 10.0, 0, 0, 0, 0, 1,
                                  NoLabels, 1.0, nullptr);
    ASSERT_GT(arc, 0);
    push(set, 80.0);
    const QColor line = palette(record(arc)->attributes.colour);
    ASSERT_NE(line, palette(4));
    const QPoint tick(int(200 + 95 * std::cos(66 * M_PI / 180)), int(180 - 95 * std::sin(66 * M_PI / 180)));  // value 70
    const QImage image = render();
    EXPECT_GT(pixelsOfColour(image, QRect(tick - QPoint(2, 2), QSize(5, 5)), palette(4)), 0);  // the fill is there
    EXPECT_GT(pixelsOfColour(image, QRect(tick - QPoint(2, 2), QSize(5, 5)), line), 0);       // and the tick over it
}

// A meter has no saved form: a saved page keeps an empty slot where it was, so the objects
// after it come back at their own indices, and the page loads without it.
TEST_F(Meters, AMeterLeavesNoRecordInASavedPage) {
    const int set = WRDefineDynDataSet("Tank", 1, nullptr, nullptr, 0);
    const int needle = meter(set, 0);
    const int arc = WRSetArcMeter(graph, set, 0, 0.0, 100.0, 50.0, 0.5, 0.5, 0.4, 0, 180, 4, 7, 0.1, 0.1, 10.0, 0, 0, 0, 1, 1, 0, 1.0, nullptr);
    const int lines = WRSetAlarmLines(graph, set, 0, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_GT(needle, 0);
    ASSERT_GT(arc, 0);
    ASSERT_GT(lines, arc);

    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(SaveDynObject(file, graph, needle), 0);
    EXPECT_EQ(SaveDynObject(file, graph, arc), 0);
    EXPECT_EQ(std::ftell(file), 0L);  // nothing written
    std::fclose(file);

    const std::optional<std::string> bytes = plotbase::SerializePage(env, page);
    ASSERT_TRUE(bytes);
    std::string error;
    const auto saved = plotbase::ParsePageFile(*bytes, error);
    ASSERT_TRUE(saved) << error;
    const auto& objects = saved->graphs[0].objects;
    ASSERT_GE(objects.size(), static_cast<std::size_t>(lines));
    EXPECT_EQ(objects[static_cast<std::size_t>(needle) - 1].foreignRecord, "");
    EXPECT_EQ(objects[static_cast<std::size_t>(arc) - 1].foreignRecord, "");
    EXPECT_NE(objects[static_cast<std::size_t>(lines) - 1].foreignRecord, "");

    const std::string path = testsupport::OwnTempPath("meter_page", ".pbp").string();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << *bytes;
    env.showErrorMessages = false;
    const int restored = plotbase::WGRestorePage(env, path, &host);
    std::remove(path.c_str());
    ASSERT_NE(restored, 0);
    const int g = env.page(restored)->graphs[0]->handle;
    EXPECT_EQ(plotbase::WGGetObject(env, g, needle), nullptr);
    EXPECT_EQ(plotbase::WGGetObject(env, g, arc), nullptr);
    EXPECT_NE(plotbase::WGGetObject(env, g, lines), nullptr);
}

}  // namespace
}  // namespace dynaview::testing
