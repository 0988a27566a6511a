#include "dynaview/bars/bar_graph.h"

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/object_access.h"
#include "plotbase/drawing_tools.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_window.h"
#include "plotbase/palette.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace dynaview {

namespace {

constexpr double FarPixels = 1.0e6;  // device coordinates are pinned here before rounding

int pixel(double device) { return static_cast<int>(std::lround(std::clamp(std::isnan(device) ? 0.0 : device, -FarPixels, FarPixels))); }

QColor fillColour(std::uint32_t rgb) { return QColor((rgb >> 16) & 0xFFu, (rgb >> 8) & 0xFFu, rgb & 0xFFu); }

Qt::BrushStyle hatchPattern(std::uint8_t hatch) {
    switch (hatch) {
    case 0: return Qt::HorPattern;
    case 1: return Qt::VerPattern;
    case 2: return Qt::FDiagPattern;
    case 3: return Qt::BDiagPattern;
    case 4: return Qt::CrossPattern;
    case 5: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

// The graph as it is now over an area of the window, drawn from every object's state into
// an image of that area only.
QImage renderArea(const QPainter& window, const plotbase::DrawContext& context, const QRect& area) {
    const auto* picture = dynamic_cast<const QImage*>(window.device());
    const qreal ratio = picture ? picture->devicePixelRatio() : 1.0;
    QImage part((QSizeF(area.size()) * ratio).toSize(), picture ? picture->format() : QImage::Format_ARGB32_Premultiplied);
    part.setDevicePixelRatio(ratio);
    QPainter painter(&part);
    painter.translate(-area.topLeft());
    const plotbase::DeviceRect& g = context.graphRect;
    plotbase::ObjectInterpreter(context.env, context.graph, painter, QRectF(g.left, g.top, g.width, g.height));
    return part;
}

}  // namespace

double BarWidthFraction(double barWidth, double first, double last, int bars, double positionRange) {
    if (barWidth >= 0.0) return barWidth / positionRange;
    if (bars >= 2) return 0.96 * (last - first) / (positionRange * (bars - 1));
    return first > 0.0 ? 0.9 : -0.9;
}

double BarGraph::position(int bar) const {
    if (barCount < 2) return first;
    return first + bar * (last - first) / (barCount - 1);
}

QRect BarGraph::plotPixels(const plotbase::DrawContext& context) const {
    const plotbase::DeviceRect& p = context.scaling.plot();
    return QRectF(p.left, p.top, p.width, p.height).toAlignedRect();
}

int BarGraph::valuePixel(const plotbase::DrawContext& context, double value) const {
    return pixel(orientation == 0 ? context.scaling.deviceY(value) : context.scaling.deviceX(value));
}

BarGraph::Span BarGraph::across(const plotbase::DrawContext& context, int bar) const {
    const plotbase::Scaling& s = context.scaling;
    auto device = [&](double world) { return orientation == 0 ? s.deviceX(world) : s.deviceY(world); };
    const double extent = orientation == 0 ? s.plot().width : s.plot().height;
    double width = std::fabs(static_cast<double>(widthFraction)) * extent;
    // Never wider than the distance between two bars.
    if (barCount >= 2) width = std::min(width, std::fabs(device(position(1)) - device(position(0))));
    const int pixels = std::max(1, pixel(width));
    const int low = pixel(device(position(bar)) - pixels / 2.0);
    return {low, low + pixels};
}

QRect BarGraph::make(int acrossLow, int acrossHigh, int alongLow, int alongHigh) const {
    if (orientation == 0) return QRect(QPoint(acrossLow, alongLow), QPoint(acrossHigh - 1, alongHigh - 1));
    return QRect(QPoint(alongLow, acrossLow), QPoint(alongHigh - 1, acrossHigh - 1));
}

QRect BarGraph::barRect(const plotbase::DrawContext& context, int bar, double value) const {
    const int a = valuePixel(context, base), b = valuePixel(context, value);
    if (a == b) return {};
    const Span s = across(context, bar);
    return make(s.low, s.high, std::min(a, b), std::max(a, b)).intersected(plotPixels(context));
}

QRect BarGraph::changedStrip(const plotbase::DrawContext& context, int bar, double from, double to) const {
    const int e0 = valuePixel(context, from), e1 = valuePixel(context, to);
    if (e0 == e1) return {};
    int low = std::min(e0, e1), high = std::max(e0, e1);
    // A bar that starts or ends at the base: the line drawn along the base is redrawn too.
    if (from == base || to == base) {
        const int baseEnd = valuePixel(context, base);
        const int lineWidth = std::max(1, attributes.width);
        if (baseEnd == low) low -= lineWidth;
        if (baseEnd == high) high += lineWidth;
    }
    // The outline lies on the bar's edge pixels: the old end's outline row is one pixel
    // beyond the strip, and the new one must be drawn there too.
    if (outlined(bar)) {
        --low;
        ++high;
    }
    const Span s = across(context, bar);
    return make(s.low, s.high, low, high).intersected(plotPixels(context));
}

int BarGraph::barAt(const plotbase::DrawContext& context, double x, double y) const {
    int nearest = 0;
    double best = 0.0;
    for (int bar = 0; bar < barCount; ++bar) {
        const Span s = across(context, bar);
        const double distance = std::fabs((s.low + s.high) / 2.0 - (orientation == 0 ? x : y));
        if (bar == 0 || distance < best) {
            nearest = bar;
            best = distance;
        }
    }
    return nearest;
}

void BarGraph::paintBar(QPainter& painter, const plotbase::DrawContext& context, int bar) const {
    const auto i = static_cast<std::size_t>(bar);
    const QRect r = barRect(context, bar, shown[i]);
    if (r.isEmpty()) return;
    const QColor colour = fillColour(fills[i]);
    if (hatches[i] == SolidHatch)
        painter.fillRect(r, colour);
    else
        painter.fillRect(r, QBrush(colour, hatchPattern(hatches[i])));
    if (!outlined(bar)) return;
    // The outline lies on the bar's own edge pixels, so the bar never reaches past its rectangle.
    const QColor line = plotbase::detail::colourOf(outlines[i]);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), line);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), line);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), line);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), line);
}

void BarGraph::paint(QPainter& painter, const plotbase::DrawContext& context) {
    painter.setClipRect(plotPixels(context), Qt::IntersectClip);
    painter.setBrushOrigin(0, 0);
    for (int bar = 0; bar < barCount; ++bar) paintBar(painter, context, bar);
}

void BarGraph::update(const ObjectPlace& place) {
    const DynDataSet* set = dataSet(TopOf(place.env));
    if (!set) return;
    lastStrips.clear();
    struct Change {
        int bar;
        double from, to;
        QRect strip;
    };
    std::vector<Change> changes;
    const int bars = std::min(barCount, set->channels);
    for (int bar = 0; bar < bars; ++bar) {
        const auto i = static_cast<std::size_t>(bar);
        const double to = set->current[i];
        if (shown[i] == to) continue;
        changes.push_back({bar, shown[i], to, {}});
        shown[i] = to;
    }
    // The strips are worked out and the graph drawn over them once, at the first strip; each
    // strip then goes into the window's picture and is repainted on its own. Without a
    // current picture nothing is drawn: the coming full paint shows the new values.
    QImage rendered;
    QRect area;
    for (std::size_t k = 0; k < changes.size(); ++k) {
        const bool drawn = plotbase::WGDrawInWindow(place.env, place.graph, place.index, [&](QPainter& painter, const plotbase::DrawContext& context) {
            if (k == 0) {
                for (Change& c : changes) {
                    c.strip = changedStrip(context, c.bar, c.from, c.to);
                    area |= c.strip;
                }
                if (!area.isEmpty()) rendered = renderArea(painter, context, area);
            }
            const QRect strip = changes[k].strip;
            if (strip.isEmpty()) return QRectF();
            const qreal ratio = rendered.devicePixelRatio();
            const QRectF source(QPointF(strip.topLeft() - area.topLeft()) * ratio, QSizeF(strip.size()) * ratio);
            painter.drawImage(QRectF(strip), rendered, source);
            lastStrips.push_back(strip);
            return QRectF(strip);
        });
        if (!drawn) return;
    }
}

bool BarGraph::hitTest(const plotbase::DrawContext& context, double x, double y) const {
    for (int bar = 0; bar < barCount; ++bar) {
        const Span s = across(context, bar);
        const int a = valuePixel(context, base), b = valuePixel(context, shown[static_cast<std::size_t>(bar)]);
        if (make(s.low, s.high, std::min(a, b), std::max(a, b) + 1).adjusted(-2, -2, 2, 2).contains(QPointF(x, y).toPoint())) return true;
    }
    return false;
}

void BarGraph::rescaled(const ObjectPlace& place) { plotbase::WGRedrawObject(place.env, place.graph, 0, 0); }

int BarGraph::channelColour(int channel) const {
    if (channel < 0 || channel >= barCount) return -1;
    const std::uint32_t rgb = fills[static_cast<std::size_t>(channel)];
    // Text in the background colour would vanish: the text keeps its own colour then.
    if (rgb == 0xFFFFFFu) return -1;
    const int red = static_cast<int>((rgb >> 16) & 0xFFu), green = static_cast<int>((rgb >> 8) & 0xFFu), blue = static_cast<int>(rgb & 0xFFu);
    int nearest = 0, nearestDistance = -1;
    for (int i = 0; i < plotbase::PaletteSize; ++i) {
        const plotbase::Rgb c = plotbase::Palette[static_cast<std::size_t>(i)];
        const int dr = c.red - red, dg = c.green - green, db = c.blue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (nearestDistance < 0 || distance < nearestDistance) nearest = i, nearestDistance = distance;
    }
    return nearest;
}

}  // namespace dynaview
