// How the scrolling graph turns its ring into device points and draws them: plain values,
// stacked lanes, logic levels, XY pairs and bars; the full paint, the picking.
//
// Stacked graphs split the value axis into one lane per trace, trace 0 at the low end; a
// value is placed in its lane as it would lie on the whole axis, and held inside the lane.
// Logic graphs do the same with one lane per bit: a bit at 0 lies at a quarter of its lane,
// at 1 at three quarters, drawn as steps.

#include "dynaview/scroll/scroll_graph.h"

#include "plotbase/drawing_tools.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace dynaview::scroll {

namespace {

constexpr double PickTolerance = 3.0;

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    double t = lengthSquared > 0.0 ? QPointF::dotProduct(p - a, ab) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

QColor background() { return plotbase::detail::toQColor(plotbase::GraphBackground); }

Qt::BrushStyle hatchOf(int style) {
    switch (style) {
    case 0: return Qt::HorPattern;
    case 1: return Qt::VerPattern;
    case 2: return Qt::FDiagPattern;
    case 3: return Qt::BDiagPattern;
    case 4: return Qt::CrossPattern;
    case 5: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

// A value's place in lane `lane` of `lanes` across the range: as on the whole axis, held inside.
double inLane(const plotbase::WorldRange& range, int lane, int lanes, double fraction) {
    const double height = (range.max - range.min) / std::max(lanes, 1);
    return range.min + (lane + std::clamp(fraction, 0.0, 1.0)) * height;
}

}  // namespace

int ScrollGraph::effectiveStyle() const {
    if (isXY()) return NoStep;
    if (isLogic() && params.scrollStyle == NoStep) return StepEnd;
    return params.scrollStyle;
}

double ScrollGraph::advancingCoordinate(int col) const {
    const plotbase::WorldRange r = advancingRange();
    const double sign = r.max >= r.min ? 1.0 : -1.0;
    if (isVariable()) return r.min + sign * (positions_[static_cast<std::size_t>(col)] - windowStart_);
    return r.min + sign * col * params.sampleInterval;
}

double ScrollGraph::valueCoordinate(int trace, const float* values) const {
    const plotbase::WorldRange r = valueRange();
    if (isLogic()) {
        const auto word = static_cast<std::uint32_t>(values[0]);
        return inLane(r, trace, traceCount, ((word >> trace) & 1u) ? 0.75 : 0.25);
    }
    if (isStacked()) {
        const double span = r.max - r.min;
        return inLane(r, trace, traceCount, span != 0.0 ? (values[trace] - r.min) / span : 0.0);
    }
    return isBars() ? values[0] : values[trace];
}

QPointF ScrollGraph::worldToDevice(const plotbase::Scaling& scaling, double advancing, double value) const {
    if (params.direction == 1) return QPointF(scaling.deviceX(advancing), scaling.deviceY(value));
    return QPointF(scaling.deviceX(value), scaling.deviceY(advancing));
}

QPointF ScrollGraph::pointOf(const plotbase::Scaling& scaling, int trace, int col, const float* values) const {
    if (isXY()) return QPointF(scaling.deviceX(values[2 * trace]), scaling.deviceY(values[2 * trace + 1]));
    return worldToDevice(scaling, advancingCoordinate(col), valueCoordinate(trace, values));
}

QPointF ScrollGraph::devicePoint(const plotbase::Scaling& scaling, int trace, int col) const {
    return pointOf(scaling, trace, col, rowValues(rowOf(col)));
}

void ScrollGraph::appendPoint(QPolygonF& polygon, QPointF point) const {
    if (!polygon.isEmpty()) {
        const QPointF last = polygon.last();
        const int style = effectiveStyle();
        const bool horizontal = params.direction == 1;
        // Step start: the value changes at the old position; step end: at the new one.
        if (style == StepStart) polygon << (horizontal ? QPointF(last.x(), point.y()) : QPointF(point.x(), last.y()));
        if (style == StepEnd) polygon << (horizontal ? QPointF(point.x(), last.y()) : QPointF(last.x(), point.y()));
    }
    polygon << point;
}

QPolygonF ScrollGraph::tracePoints(const plotbase::Scaling& scaling, int trace, int from, int to) const {
    QPolygonF polygon;
    polygon.reserve((to - from + 1) * 2);
    for (int col = from; col <= to; ++col) appendPoint(polygon, devicePoint(scaling, trace, col));
    return polygon;
}

QRectF ScrollGraph::barRect(const plotbase::Scaling& scaling, int col) const {
    const plotbase::WorldRange r = valueRange();
    const double base = std::clamp(0.0, std::min(r.min, r.max), std::max(r.min, r.max));
    const double half = (params.barWidth > 0.0 ? params.barWidth : 0.6 * params.sampleInterval) / 2.0;
    const double at = advancingCoordinate(col);
    const double value = rowValues(rowOf(col))[0];
    QRectF rect = QRectF(worldToDevice(scaling, at - half, value), worldToDevice(scaling, at + half, base)).normalized();
    if (rect.width() < 1.0) rect.setWidth(1.0);
    if (rect.height() < 1.0) rect.setHeight(1.0);
    return rect;
}

QPen ScrollGraph::tracePen(int trace, bool erase) const {
    const auto t = static_cast<std::size_t>(trace);
    QPen pen = plotbase::detail::penFor({params.patterns[t], params.widths[t], params.colours[t], attributes.text});
    if (erase && pen.style() != Qt::NoPen) {
        pen.setStyle(Qt::SolidLine);
        pen.setColor(background());
    }
    if (pen.widthF() > 1.0) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

QRectF ScrollGraph::drawPolygon(QPainter& painter, const QPolygonF& polygon, const QPen& pen) const {
    if (polygon.size() < 2 || pen.style() == Qt::NoPen) return {};
    painter.setPen(pen);
    // Runs of at most K + 1 points, each starting where the last ended.
    const int run = RunLength(points());
    for (int start = 0; start < polygon.size() - 1; start += run - 1) {
        const int count = std::min(run, static_cast<int>(polygon.size()) - start);
        painter.drawPolyline(polygon.constData() + start, count);
    }
    const double margin = std::ceil(pen.widthF() / 2.0);
    return polygon.boundingRect().adjusted(-margin, -margin, margin + 1, margin + 1);
}

QRectF ScrollGraph::drawColumns(QPainter& painter, const plotbase::Scaling& scaling, int from, int to, bool erase) const {
    if (to < from || points() < 2) return {};
    painter.setRenderHint(QPainter::Antialiasing, false);
    QRectF changed;
    if (isBars()) {
        const QBrush brush(plotbase::detail::colourOf(params.barColour), hatchOf(params.hatchStyle));
        for (int col = from; col <= to; ++col) {
            const QRectF bar = barRect(scaling, col);
            if (erase) painter.fillRect(bar, background());
            else painter.fillRect(bar, brush);
            changed |= bar;
        }
        return changed;
    }
    for (int trace = 0; trace < traceCount; ++trace) changed |= drawPolygon(painter, tracePoints(scaling, trace, from, to), tracePen(trace, erase));
    return changed;
}

QRectF ScrollGraph::drawSegment(QPainter& painter, const plotbase::Scaling& scaling, int col, bool erase) const {
    if (isBars()) return drawColumns(painter, scaling, col, col, erase);
    if (col < 1) return {};
    return drawColumns(painter, scaling, col - 1, col, erase);
}

QRectF ScrollGraph::drawSegmentOf(QPainter& painter, const plotbase::Scaling& scaling, int col, const float* before, const float* at, bool erase) const {
    if (col < 1) return {};
    painter.setRenderHint(QPainter::Antialiasing, false);
    QRectF changed;
    for (int trace = 0; trace < traceCount; ++trace) {
        QPolygonF polygon;
        appendPoint(polygon, pointOf(scaling, trace, col - 1, before));
        appendPoint(polygon, pointOf(scaling, trace, col, at));
        changed |= drawPolygon(painter, polygon, tracePen(trace, erase));
    }
    return changed;
}

QRectF ScrollGraph::drawSweepLine(QPainter& painter, const plotbase::Scaling& scaling, int col, bool erase) const {
    const plotbase::DeviceRect& plot = scaling.plot();
    const double at = advancingCoordinate(col);
    QPen pen = plotbase::detail::penFor({attributes.pattern, attributes.width, std::max(params.sweepLineColour, 0), attributes.text});
    if (erase) {
        pen.setStyle(Qt::SolidLine);
        pen.setColor(background());
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen);
    QLineF line;
    if (params.direction == 1) line = QLineF(scaling.deviceX(at), plot.top, scaling.deviceX(at), plot.bottom());
    else line = QLineF(plot.left, scaling.deviceY(at), plot.right(), scaling.deviceY(at));
    painter.drawLine(line);
    const double margin = std::ceil(pen.widthF() / 2.0);
    return QRectF(line.p1(), line.p2()).normalized().adjusted(-margin, -margin, margin + 1, margin + 1);
}

QRectF ScrollGraph::clipToPlot(QPainter& painter, const plotbase::Scaling& scaling) const {
    const plotbase::DeviceRect& p = scaling.plot();
    // One pixel in from the left edge, where the value axis usually runs.
    const QRectF plot(p.left + 1.0, p.top, p.width, p.height + 1.0);
    painter.setClipRect(plot, Qt::IntersectClip);
    return plot;
}

void ScrollGraph::drawLogicTags(QPainter& painter, const plotbase::DrawContext& context) const {
    const QFont font = plotbase::detail::fontFor(attributes.text);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    const plotbase::DeviceRect& plot = context.scaling.plot();
    for (int bit = 0; bit < traceCount && bit < LogicBits; ++bit) {
        const std::string& tag = logicTags[static_cast<std::size_t>(bit)];
        if (tag.empty()) continue;
        painter.setPen(plotbase::detail::colourOf(params.colours[static_cast<std::size_t>(bit)]));
        // Between the bit's low and high levels.
        const double low = valueCoordinate(bit, std::array<float, 1>{0.0f}.data());
        const QPointF at = worldToDevice(context.scaling, advancingRange().min, low);
        const QString text = QString::fromStdString(tag);
        if (params.direction == 1) painter.drawText(QPointF(plot.left + 4.0, at.y() - 3.0), text);
        else painter.drawText(QPointF(at.x() + 3.0, plot.top + metrics.ascent() + 2.0), text);
    }
}

void ScrollGraph::paint(QPainter& painter, const plotbase::DrawContext& context) {
    clipToPlot(painter, context.scaling);
    if (points() < 2) return;
    if (isSweep() && windowFull && column < points()) drawColumns(painter, context.scaling, column, points() - 1, false);
    drawColumns(painter, context.scaling, 0, column - 1, false);
    if (isSweep() && windowFull && sweepLineAt_ >= 0 && params.sweepLineColour >= 0) drawSweepLine(painter, context.scaling, sweepLineAt_, false);
    if (isLogic()) drawLogicTags(painter, context);
}

bool ScrollGraph::hitTest(const plotbase::DrawContext& context, double x, double y) const {
    if (points() < 2 || column < 1) return false;
    const QPointF p(x, y);
    if (isBars()) {
        for (int col = 0; col < column; ++col)
            if (barRect(context.scaling, col).adjusted(-1, -1, 1, 1).contains(p)) return true;
        return false;
    }
    for (int trace = 0; trace < traceCount; ++trace) {
        const QPolygonF polygon = tracePoints(context.scaling, trace, 0, column - 1);
        const double tolerance = PickTolerance + params.widths[static_cast<std::size_t>(trace)] / 2.0;
        for (int i = 1; i < polygon.size(); ++i)
            if (distanceToSegment(p, polygon[i - 1], polygon[i]) <= tolerance) return true;
    }
    return false;
}

}  // namespace dynaview::scroll
