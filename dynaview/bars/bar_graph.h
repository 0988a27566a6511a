#pragma once
// The dynamic bar graph (type 106, subtype 5): one bar per channel of its data set, from
// the base value to the channel's value, on the scale of the graph's axes. An update works
// out, for each bar, the strip between its old end and its new end and repaints only that
// strip of the graph window (everything in it, drawn from the objects' state).

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/type_sizes.h"

#include <QRect>

#include <array>
#include <cstdint>
#include <vector>

namespace dynaview {

constexpr std::int16_t BarGraphSubtype = 5;

// Width of a bar as a fraction of the position axis's range: a given width (world units)
// over the range, or automatically 0.96 of the spacing of the bars (0.9 for a lone bar,
// negative when it stands at or below 0).
double BarWidthFraction(double barWidth, double first, double last, int bars, double positionRange);

class BarGraph final : public DynObject {
public:
    static constexpr int MaxBars = 32;
    static constexpr std::uint8_t SolidHatch = 255;
    static constexpr int HatchStyles = 6;  // 0 horizontal, 1 vertical, 2 and 3 diagonal, 4 cross, 5 diagonal cross

    BarGraph() : DynObject(BarGraphType, BarGraphSubtype) {}

    int orientation = 0;  // 0: bars stand on the horizontal axis; 1: they lie along it
    int barCount = 0;
    float widthFraction = 0.0f;
    double base = 0.0;
    double first = 0.0, last = 0.0;  // positions of the first and the last bar
    std::array<std::uint32_t, MaxBars> fills{};  // 0xRRGGBB
    std::array<std::uint8_t, MaxBars> hatches{};
    std::array<int, MaxBars> outlines{};  // palette index; negative: no outline
    std::array<double, MaxBars> shown{};  // the value each bar shows

    // What the last update repainted, one strip per changed bar (window pixels).
    std::vector<QRect> lastStrips;

    double position(int bar) const;
    bool outlined(int bar) const { return outlines[static_cast<std::size_t>(bar)] >= 0; }
    // The bar from the base to `value` on the device, clipped to the plot area.
    QRect barRect(const plotbase::DrawContext& context, int bar, double value) const;
    // What changes when a bar goes from one value to another (empty when nothing does).
    QRect changedStrip(const plotbase::DrawContext& context, int bar, double from, double to) const;
    // The nearest bar to a device point (for the dialog).
    int barAt(const plotbase::DrawContext& context, double x, double y) const;

    bool hasUpdateProcedure() const override { return true; }
    DataUpdate dataUpdate() const override { return DataUpdate::Once; }
    void update(const ObjectPlace& place) override;
    void paint(QPainter& painter, const plotbase::DrawContext& context) override;
    bool hitTest(const plotbase::DrawContext& context, double x, double y) const override;
    void rescaled(const ObjectPlace& place) override;
    // The palette colour nearest the channel's bar fill; -1 for a bar in the graph background.
    int channelColour(int channel) const override;

private:
    struct Span {
        int low, high;  // [low, high) across the position axis, in pixels
    };
    Span across(const plotbase::DrawContext& context, int bar) const;
    int valuePixel(const plotbase::DrawContext& context, double value) const;
    QRect plotPixels(const plotbase::DrawContext& context) const;
    QRect make(int acrossLow, int acrossHigh, int alongLow, int alongHigh) const;
    void paintBar(QPainter& painter, const plotbase::DrawContext& context, int bar) const;
};

}  // namespace dynaview
