#include "dynaview/meters/meter.h"

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/object_access.h"
#include "platform/numbers.h"
#include "plotbase/drawing_tools.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_window.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>

namespace dynaview {

namespace {

QPointF toQ(const Point& p) { return QPointF(p.x, p.y); }

QColor faceOf(int colour) { return colour < 0 ? QColor(Qt::white) : plotbase::detail::colourOf(colour); }

// A band of the arc between two radii, from angle a0 over span degrees (counter-clockwise).
QPainterPath band(const Point& c, double outer, double inner, double a0, double span) {
    const QRectF o(c.x - outer, c.y - outer, 2 * outer, 2 * outer);
    const QRectF i(c.x - inner, c.y - inner, 2 * inner, 2 * inner);
    QPainterPath path;
    path.arcMoveTo(o, a0);
    path.arcTo(o, a0, span);
    path.arcTo(i, a0 + span, -span);
    path.closeSubpath();
    return path;
}

}  // namespace

void Meter::setRange(double rangeFrom, double rangeTo) {
    from = rangeFrom;
    to = rangeTo;
    direction = to > from ? 1 : -1;
    scale = ScaleFactor(angles, from, to);
    for (Needle& n : needles) n.placed = false;
}

void Meter::setAngles(int angleFromGiven, int angleToGiven) {
    angleFrom = angleFromGiven;
    angleTo = angleToGiven;
    angles = NormaliseAngles(angleFrom, angleTo);
    scale = ScaleFactor(angles, from, to);
    for (Needle& n : needles) n.placed = false;
}

int Meter::shownNeedles(const DynDataSet* set) const {
    if (!set) return 0;
    return channel < 0 ? std::min(set->channels, MaxNeedles) : 1;
}

int Meter::channelColour(int dataSetChannel) const {
    for (int n = 0; n < MaxNeedles; ++n)
        if (channelOfNeedle(n) == dataSetChannel && (channel < 0 || n == 0)) return needles[static_cast<std::size_t>(n)].colour;
    return -1;
}

QFont Meter::scaledFont(int points) const {
    QFont font("Sans");
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0 * (textSizeFactor > 0 ? textSizeFactor : 1.0)))));
    return font;
}

Meter::Geometry Meter::geometry(const plotbase::DrawContext& context) const {
    const plotbase::DeviceRect& r = context.graphRect;
    Geometry g;
    g.centre = {r.left + centreX * r.width, r.top + centreY * r.height};
    g.radius = std::max(1.0, diameter * 0.5 * r.width);
    g.tickLength = relativeTickLength * g.radius;
    g.face = QRectF(g.centre.x - g.radius, g.centre.y - g.radius, 2 * g.radius, 2 * g.radius);
    double outside = std::max(1, attributes.width) + 1.0;
    if (tickPosition != TicksInside) outside += tickPosition == TicksOutside ? g.tickLength : g.tickLength / 2;
    if (labelPosition == 1 && !(drawFlags & NoLabels)) outside += g.tickLength + 2.5 * QFontMetricsF(scaledFont(fontSizes[0])).height();
    QRectF dial = g.face.adjusted(-outside, -outside, outside, outside);
    if (borderStyle != 0) {
        const double w = borderWidthNorm * r.width;
        const double h = borderStyle == 2 ? w : borderHeightNorm * r.height;
        dial = dial.united(QRectF(r.left + borderX * r.width - w / 2, r.top + borderY * r.height - h / 2, w, h));
    }
    g.dial = QRectF(dial.toAlignedRect());
    return g;
}

void Meter::drawFace(QPainter& painter, const Geometry& g) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(faceOf(faceColour));
    painter.drawEllipse(g.face);
    if (subtype == PieMeter) {
        painter.setBrush(plotbase::detail::colourOf(arcBackground));
        painter.drawPie(g.face, angles.start * 16, (angles.end - angles.start) * 16);
    } else if (subtype == ArcMeter) {
        const double width = bandWidth > 0 ? 2 * bandWidth * g.radius : 0.6 * g.radius;
        painter.setBrush(plotbase::detail::colourOf(arcBackground));
        painter.drawPath(band(g.centre, g.radius, std::max(0.0, g.radius - width), angles.start, angles.end - angles.start));
    }
}

void Meter::drawScale(QPainter& painter, const Geometry& g) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor line = plotbase::detail::colourOf(attributes.colour);
    QPen pen(line);
    pen.setWidthF(std::max(1, attributes.width));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (!(drawFlags & NoScaleArc)) painter.drawArc(g.face, angles.start * 16, (angles.end - angles.start) * 16);
    auto radial = [&](double value, double r0, double r1) {
        const SineCosine at = InterpolatedSineCosine(ValueToAngle(value, angles, scale, to));
        painter.drawLine(toQ(NeedleTip(g.centre, r0, at)), toQ(NeedleTip(g.centre, r1, at)));
    };
    const double t = g.tickLength;
    const double inner = tickPosition == TicksInside ? g.radius - t : tickPosition == TicksOutside ? g.radius : g.radius - t / 2;
    std::vector<double> major = MajorTicks(from, to, tickStep);
    // On a full circle the last tick falls on the first.
    if (angles.fullCircle && major.size() > 1 && std::fabs(major.back() - to) < 1e-9 * std::max(1.0, std::fabs(to))) major.pop_back();
    if (!(drawFlags & NoTicks)) {
        for (double v : major) radial(v, inner, inner + t);
        for (double v : MinorTicks(from, to, tickStep, minorTicks)) radial(v, inner + t / 4, inner + 3 * t / 4);
    }
    if (!(drawFlags & NoLabels)) {
        const QFont font = scaledFont(fontSizes[0]);
        const QFontMetricsF metrics(font);
        painter.setFont(font);
        painter.setPen(line);
        const double labelRadius = labelPosition == 1 ? std::max(g.radius, inner + t) + 0.9 * metrics.height()
                                                      : std::min(g.radius, inner) - 0.9 * metrics.height();
        for (double v : major) {
            const SineCosine at = InterpolatedSineCosine(ValueToAngle(v, angles, scale, to));
            const QPointF p = toQ(NeedleTip(g.centre, labelRadius, at));
            const QString text = QString::number(v, 'f', std::clamp(labelPrecision, 0, 9));
            const double w = metrics.horizontalAdvance(text);
            painter.drawText(QPointF(p.x() - w / 2, p.y() + metrics.ascent() / 2 - metrics.descent() / 2), text);
        }
    }
}

void Meter::drawFill(QPainter& painter, const Geometry& g, const DynDataSet* set) const {
    if (subtype == NeedleMeter || !set) return;
    const double value = set->current[static_cast<std::size_t>(channelOfNeedle(0))];
    const double a0 = PinAngle(ValueToAngle(centreValue, angles, scale, to), angles);
    const double a1 = PinAngle(ValueToAngle(value, angles, scale, to), angles);
    const double lo = std::clamp(std::min(a0, a1), double(angles.start), double(angles.end));
    const double hi = std::clamp(std::max(a0, a1), double(angles.start), double(angles.end));
    if (hi <= lo) return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(plotbase::detail::colourOf(fillColour));
    if (subtype == PieMeter) {
        painter.drawPie(g.face, static_cast<int>(std::lround(lo * 16)), static_cast<int>(std::lround((hi - lo) * 16)));
    } else {
        const double width = bandWidth > 0 ? 2 * bandWidth * g.radius : 0.6 * g.radius;
        painter.drawPath(band(g.centre, g.radius, std::max(0.0, g.radius - width), lo, hi - lo));
    }
}

QRectF Meter::needleBounds(const Geometry& g, int n, const SineCosine& at) const {
    const NeedleSizes sizes = NeedleSizesOf(needleStyle, attributes.width, g.radius);
    const Needle& needle = needles[static_cast<std::size_t>(n)];
    const std::vector<Point> outline = NeedleOutline(needleStyle, g.centre, needle.length, needle.tail, sizes.base, at);
    double left = outline[0].x, right = left, top = outline[0].y, bottom = top;
    for (const Point& p : outline) {
        left = std::min(left, p.x), right = std::max(right, p.x);
        top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    }
    QRectF r(QPointF(left, top), QPointF(right, bottom));
    const double grow = sizes.pen / 2.0 + 1.0;  // the pen and its antialiased edge
    r.adjust(-grow, -grow, grow, grow);
    const bool hub = needleStyle == 1 || (needleStyle >= 2 && n == 0);
    if (hub && !(drawFlags & NoHub)) {
        const double h = sizes.base / 2.0 + 1.0;
        r = r.united(QRectF(g.centre.x - h, g.centre.y - h, 2 * h, 2 * h));
    }
    return r;
}

void Meter::drawNeedles(QPainter& painter, const Geometry& g, const DynDataSet* set) const {
    const NeedleSizes sizes = NeedleSizesOf(needleStyle, attributes.width, g.radius);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int n = shownNeedles(set) - 1; n >= 0; --n) {
        const Needle& needle = needles[static_cast<std::size_t>(n)];
        const QColor colour = plotbase::detail::colourOf(needle.colour);
        QPen pen(colour);
        pen.setWidthF(sizes.pen);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        std::vector<QPointF> points;
        for (const Point& p : NeedleOutline(needleStyle, g.centre, needle.length, needle.tail, sizes.base, needle.now)) points.push_back(toQ(p));
        if (points.size() == 2) {
            painter.drawLine(points[0], points[1]);
        } else {
            painter.setBrush(needleStyle == 2 || needleStyle == 4 ? QBrush(colour) : QBrush(Qt::NoBrush));
            painter.drawPolygon(points.data(), static_cast<int>(points.size()));
        }
        const bool hub = needleStyle == 1 || (needleStyle >= 2 && n == 0);
        if (hub && !(drawFlags & NoHub)) {
            const double h = sizes.base / 2.0;
            painter.setPen(Qt::NoPen);
            painter.setBrush(needleStyle == 1 ? colour : plotbase::detail::colourOf(attributes.colour));
            painter.drawEllipse(QPointF(g.centre.x, g.centre.y), h, h);
            if (needleStyle >= 2) {
                painter.setBrush(faceOf(faceColour));
                painter.drawEllipse(QPointF(g.centre.x, g.centre.y), h / 3, h / 3);
            }
        }
    }
}

QRectF Meter::readoutRect(const Geometry& g) const {
    const QFontMetricsF metrics(scaledFont(fontSizes[subtype == ArcMeter ? 2 : 1]));
    const double h = metrics.height();
    double baseline;
    if (subtype == ArcMeter)
        baseline = ReadoutBelowCentre(angles) ? g.centre.y : g.centre.y + h;
    else
        baseline = ReadoutBelowCentre(angles) ? g.centre.y + 2 * h : g.centre.y - h;
    const double w = metrics.horizontalAdvance(QString("-888888") + (readoutPrecision > 0 ? "." + QString(readoutPrecision, '8') : ""));
    return QRectF(g.centre.x - w / 2, baseline - metrics.ascent(), w, h);
}

void Meter::drawReadout(QPainter& painter, const plotbase::DrawContext& context, const Geometry& g, const DynDataSet* set) const {
    if (!readout || !set) return;
    const QRectF r = readoutRect(g);
    const QFont font = scaledFont(fontSizes[subtype == ArcMeter ? 2 : 1]);
    const QFontMetricsF metrics(font);
    painter.fillRect(r, faceOf(faceColour));
    const float value = set->current[static_cast<std::size_t>(channelOfNeedle(0))];
    const QString text = QString::fromStdString(context.env.numbers.formatFixed(value, readoutPrecision));
    painter.setFont(font);
    painter.setPen(plotbase::detail::colourOf(attributes.colour));
    painter.drawText(QPointF(g.centre.x - metrics.horizontalAdvance(text) / 2, r.top() + metrics.ascent()), text);
}

void Meter::dialChanged() {
    dial_ = QImage();
    scale_ = QImage();
    for (Needle& n : needles) n.placed = false;
}

bool Meter::ensureDial(const Geometry& g) {
    if (!dial_.isNull() && dialRect_ == g.dial) return false;
    const QSize size = g.dial.size().toSize();
    scale_ = QImage();
    if (size.isEmpty() || size.width() > 8192 || size.height() > 8192) {
        dial_ = QImage();
        return true;
    }
    auto layer = [&](const std::function<void(QPainter&)>& draw) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.translate(-g.dial.topLeft());
        draw(painter);
        return image;
    };
    // A fill lies between the face and the scale, so a filled meter keeps them apart.
    if (subtype == NeedleMeter) {
        dial_ = layer([&](QPainter& p) {
            drawFace(p, g);
            drawScale(p, g);
        });
    } else {
        dial_ = layer([&](QPainter& p) { drawFace(p, g); });
        scale_ = layer([&](QPainter& p) { drawScale(p, g); });
    }
    dialRect_ = g.dial;
    return true;
}

void Meter::drawKeptDial(QPainter& painter, const Geometry& g, const DynDataSet* set) const {
    painter.drawImage(dialRect_.topLeft(), dial_);
    drawFill(painter, g, set);
    if (!scale_.isNull()) painter.drawImage(dialRect_.topLeft(), scale_);
}

bool Meter::moveNeedles(const DynDataSet* set, bool always) {
    bool moved = false;
    if (!set) return false;
    for (int n = 0; n < shownNeedles(set); ++n) {
        const double value = set->current[static_cast<std::size_t>(channelOfNeedle(n))];
        moved = MoveNeedle(needles[static_cast<std::size_t>(n)], value, angles, scale, to, always) || moved;
    }
    return moved;
}

void Meter::paint(QPainter& painter, const plotbase::DrawContext& context) {
    const DynDataSet* set = dataSet(TopOf(context.env));
    const Geometry g = geometry(context);
    for (int n = 0; n < MaxNeedles; ++n) {
        Needle& needle = needles[static_cast<std::size_t>(n)];
        needle.length = NeedleLength(n, g.radius, attributes.width, g.tickLength);
        needle.tail = NeedleTail(needleStyle, needle.length);
    }
    moveNeedles(set, false);
    painter.save();
    if (context.printing) {
        drawFace(painter, g);
        drawFill(painter, g, set);
        drawScale(painter, g);
    } else {
        ensureDial(g);
        if (!dial_.isNull()) drawKeptDial(painter, g, set);
    }
    if (borderStyle != 0) {
        const plotbase::DeviceRect& r = context.graphRect;
        const double w = borderWidthNorm * r.width;
        const double h = borderStyle == 2 ? w : borderHeightNorm * r.height;
        QPen pen(plotbase::detail::colourOf(borderColour));
        pen.setWidthF(std::max(1, borderLineWidth));
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(r.left + borderX * r.width - w / 2, r.top + borderY * r.height - h / 2, w, h));
    }
    drawReadout(painter, context, g, set);  // under the needles, which stay whole
    drawNeedles(painter, g, set);
    painter.restore();
    if (set) {
        shownReadout_ = set->current[static_cast<std::size_t>(channelOfNeedle(0))];
        readoutShown_ = true;
    }
}

void Meter::update(const ObjectPlace& place) {
    lastRepaint_ = QRectF();
    const DynDataSet* set = dataSet(TopOf(place.env));
    // Nothing moves before the dial has been painted once.
    if (!set || dial_.isNull()) return;
    std::array<SineCosine, MaxNeedles> before{};
    std::array<bool, MaxNeedles> wasPlaced{};
    for (int n = 0; n < MaxNeedles; ++n) {
        before[static_cast<std::size_t>(n)] = needles[static_cast<std::size_t>(n)].now;
        wasPlaced[static_cast<std::size_t>(n)] = needles[static_cast<std::size_t>(n)].placed;
    }
    const bool moved = moveNeedles(set, false);
    const float value = set->current[static_cast<std::size_t>(channelOfNeedle(0))];
    const bool readoutChanged = readout && !(readoutShown_ && value == shownReadout_);
    if (!moved && !readoutChanged) return;
    QRectF covered;
    const bool drawn = plotbase::WGDrawInWindow(place.env, place.graph, place.index, [&](QPainter& painter, const plotbase::DrawContext& context) {
        const Geometry g = geometry(context);
        if (g.dial != dialRect_) {
            // The graph changed size: the dial must be painted afresh with everything else.
            dial_ = QImage();
            return QRectF();
        }
        QRectF region;
        if (subtype != NeedleMeter) {
            region = g.face.adjusted(-1, -1, 1, 1);
        } else {
            for (int n = 0; n < shownNeedles(set); ++n) {
                region = region.united(needleBounds(g, n, needles[static_cast<std::size_t>(n)].now));
                if (wasPlaced[static_cast<std::size_t>(n)]) region = region.united(needleBounds(g, n, before[static_cast<std::size_t>(n)]));
            }
            if (readout) region = region.united(readoutRect(g).adjusted(-1, -1, 1, 1));
        }
        region = QRectF(region.toAlignedRect()).intersected(dialRect_);
        painter.save();
        painter.setClipRect(region);
        QPainterPath face;
        face.addEllipse(g.face);
        painter.setClipPath(face, Qt::IntersectClip);
        drawKeptDial(painter, g, set);
        drawReadout(painter, context, g, set);
        drawNeedles(painter, g, set);
        painter.restore();
        covered = region;
        return region;
    });
    if (!drawn) {
        if (dial_.isNull()) plotbase::WGRedrawObject(place.env, place.graph, 0, 0);
        return;
    }
    if (dial_.isNull()) {
        plotbase::WGRedrawObject(place.env, place.graph, 0, 0);
        return;
    }
    lastRepaint_ = covered;
    shownReadout_ = value;
    readoutShown_ = true;
}

void Meter::rebound(const ObjectPlace& place) {
    dialChanged();
    plotbase::WGRedrawObject(place.env, place.graph, 0, 0);
}

bool Meter::hitTest(const plotbase::DrawContext& context, double x, double y) const {
    const Geometry g = geometry(context);
    const double dx = x - g.centre.x, dy = y - g.centre.y;
    return std::sqrt(dx * dx + dy * dy) <= g.radius + g.tickLength || (borderStyle != 0 && g.dial.contains(QPointF(x, y)));
}

}  // namespace dynaview
