#pragma once
// The meter (type 110): one to five channels of a data set as needles on a round dial;
// the pie meter (subtype 1) fills a sector and the arc meter (subtype 2) a band along the
// scale, from the centre value to the value. The dial (face, scale arc, ticks, labels,
// border) is painted once into a cached image; an update copies the cached dial back over
// the old needles' region of the graph's picture and draws the needles and the read-out
// there, repainting only that region.

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/meters/meter_geometry.h"

#include <QImage>
#include <QRectF>

#include <array>
#include <optional>

namespace dynaview {

class DynDataSet;

enum MeterSubtype : std::int16_t { NeedleMeter = 0, PieMeter = 1, ArcMeter = 2 };
enum TickPosition : int { TicksInside = 0, TicksOutside = 1, TicksMiddle = 2 };
// Switches of WRSetMeter's drawing flags: each leaves a part of the dial out.
enum MeterDrawFlags : int { NoScaleArc = 1, NoLabels = 2, NoTicks = 4, NoHub = 8 };

class Meter final : public DynObject {
public:
    Meter() : DynObject(MeterType, NeedleMeter) {}

    int channel = 0;  // 0..4, or -1: channels 0 .. min(channels, 5) - 1
    double from = 0.0, to = 100.0, centreValue = 0.0;
    int direction = 1;
    double scale = 0.0;  // degrees per unit
    MeterAngles angles;
    int angleFrom = 0, angleTo = 0;  // as given
    double centreX = 0.5, centreY = 0.5, diameter = 0.5;  // normalised in the graph (y down)
    double relativeTickLength = 0.1;
    double tickStep = 10.0;
    int minorTicks = 0;
    int tickPosition = TicksInside;
    int labelPosition = 0;  // 0 inside, 1 outside
    int labelPrecision = 0;
    int needleStyle = 0;
    std::array<Needle, MaxNeedles> needles{};
    bool readout = false;
    int readoutPrecision = 1;
    int drawFlags = 0;
    double textSizeFactor = 1.0;
    std::array<int, 3> fontSizes{10, 12, 11};  // points: labels, read-out, arc read-out
    int faceColour = -1;  // -1: white
    // The border (WRSetMeterBorder).
    int borderStyle = 0;  // 0 none; 1 rectangle; 2 square
    double borderX = 0.5, borderY = 0.5, borderWidthNorm = 0.0, borderHeightNorm = 0.0;
    int borderColour = 0;
    int borderLineWidth = 1;
    // Pie and arc meters.
    int fillColour = 4;
    int arcBackground = 7;
    double bandWidth = 0.0;  // relative to the radius; 0 or less: 3/5 of the radius

    // Set the range (and direction and scale) or the angles (and the scale).
    void setRange(double rangeFrom, double rangeTo);
    void setAngles(int from, int to);
    // The channels shown, and needle n's data-set channel.
    int shownNeedles(const DynDataSet* set) const;
    int channelOfNeedle(int n) const { return channel < 0 ? n : channel; }

    // Device geometry in a context.
    struct Geometry {
        Point centre;
        double radius = 0.0;
        double tickLength = 0.0;
        QRectF dial;  // the dial's bounding rectangle
        QRectF face;  // the face circle's bounding rectangle
    };
    Geometry geometry(const plotbase::DrawContext& context) const;
    // Where needle n lies (its outline's bounds grown by the pen and the hub).
    QRectF needleBounds(const Geometry& g, int n, const SineCosine& at) const;
    // The picture of the dial is rebuilt at the next paint.
    void dialChanged();
    bool dialCached() const { return !dial_.isNull(); }
    // The rectangle the last update repainted (empty: none), for tests and benchmarks.
    QRectF lastRepaint() const { return lastRepaint_; }

    bool hasUpdateProcedure() const override { return true; }
    DataUpdate dataUpdate() const override { return DataUpdate::Once; }
    void update(const ObjectPlace& place) override;
    void paint(QPainter& painter, const plotbase::DrawContext& context) override;
    bool hitTest(const plotbase::DrawContext& context, double x, double y) const override;
    bool rebindable() const override { return true; }
    void rebound(const ObjectPlace& place) override;
    int channelColour(int channel) const override;

private:
    // The face (with a pie's or arc's background) and the scale (arc, ticks, labels).
    void drawFace(QPainter& painter, const Geometry& g) const;
    void drawScale(QPainter& painter, const Geometry& g) const;
    // The kept dial with the fill between its face and its scale.
    void drawKeptDial(QPainter& painter, const Geometry& g, const DynDataSet* set) const;
    void drawFill(QPainter& painter, const Geometry& g, const DynDataSet* set) const;
    void drawNeedles(QPainter& painter, const Geometry& g, const DynDataSet* set) const;
    QRectF readoutRect(const Geometry& g) const;
    void drawReadout(QPainter& painter, const plotbase::DrawContext& context, const Geometry& g, const DynDataSet* set) const;
    QFont scaledFont(int points) const;
    bool ensureDial(const Geometry& g);
    // Places every needle at its channel's value; true when any moved.
    bool moveNeedles(const DynDataSet* set, bool always);

    QImage dial_;      // the dial as painted, over the dial rectangle (a filled meter: the face only)
    QImage scale_;     // a filled meter's scale, drawn over its fill
    QRectF dialRect_;  // where it was painted
    QRectF lastRepaint_;
    float shownReadout_ = 0.0f;
    bool readoutShown_ = false;
};

}  // namespace dynaview
