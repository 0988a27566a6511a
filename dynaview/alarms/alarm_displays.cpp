#include "dynaview/alarms/alarm_displays.h"

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/object_access.h"
#include "plotbase/drawing_tools.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_window.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace dynaview {

namespace {

constexpr double PickTolerance = 3.0;

QRectF plotOf(const plotbase::DrawContext& context) {
    const plotbase::DeviceRect& p = context.scaling.plot();
    return QRectF(p.left, p.top, p.width, p.height);
}

double distanceToSegment(QPointF p, QLineF line) {
    const QPointF ab = line.p2() - line.p1();
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    double t = lengthSquared > 0.0 ? QPointF::dotProduct(p - line.p1(), ab) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return QLineF(p, line.p1() + t * ab).length();
}

void repaintGraph(const ObjectPlace& place) { plotbase::WGRedrawObject(place.env, place.graph, 0, 0); }

}  // namespace

std::optional<double> AlarmLineValue(const DynDataSet& set, int line) {
    if (line == 0) return set.alarm.setpoint;
    if (line < 1 || line >= AlarmLineCount || !set.alarm.isDefined(line)) return std::nullopt;
    return set.alarm.limit(line).limit;
}

bool AlarmLineSet::lineOn(const DynDataSet* set, int line) const {
    if (line < 0 || line >= AlarmLineCount || !enables[static_cast<std::size_t>(line)]) return false;
    return line == 0 || (set && set->alarm.isDefined(line));
}

void AlarmLineSet::alarmsChanged(const ObjectPlace& place) { repaintGraph(place); }

const DynDataSet* AlarmLineSet::shownSet(const plotbase::DrawContext& context) const { return dataSet(TopOf(context.env)); }

// --- alarm lines ---

void AlarmLines::update(const ObjectPlace& place) { repaintGraph(place); }

std::optional<QLineF> AlarmLines::lineOnDevice(const plotbase::DrawContext& context, int line) const {
    const DynDataSet* set = shownSet(context);
    if (!set || !lineOn(set, line)) return std::nullopt;
    const std::optional<double> value = AlarmLineValue(*set, line);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    const QRectF plot = plotOf(context);
    const double graphWidth = std::max(1, attributes.width);
    const double ownHalf = std::max(1.0, widths[static_cast<std::size_t>(line)] / 2.0);
    if (direction == 1) {
        const double y = context.scaling.deviceY(*value);
        if (y < plot.top() || y > plot.bottom()) return std::nullopt;
        return QLineF(plot.left() + 2 * graphWidth, y, plot.right() - ownHalf, y);
    }
    const double x = context.scaling.deviceX(*value);
    if (x < plot.left() || x > plot.right()) return std::nullopt;
    return QLineF(x, plot.bottom() - 2 * graphWidth, x, plot.top() + ownHalf);
}

void AlarmLines::paint(QPainter& painter, const plotbase::DrawContext& context) {
    painter.setClipRect(plotOf(context).adjusted(0, 0, 1, 1), Qt::IntersectClip);
    for (int line = 0; line < AlarmLineCount; ++line) {
        const std::optional<QLineF> device = lineOnDevice(context, line);
        if (!device) continue;
        const auto i = static_cast<std::size_t>(line);
        painter.setPen(plotbase::detail::penFor({patterns[i], widths[i], colours[i], attributes.text}));
        painter.drawLine(*device);
    }
}

bool AlarmLines::hitTest(const plotbase::DrawContext& context, double x, double y) const {
    for (int line = 0; line < AlarmLineCount; ++line)
        if (const std::optional<QLineF> device = lineOnDevice(context, line))
            if (distanceToSegment({x, y}, *device) <= PickTolerance + widths[static_cast<std::size_t>(line)] / 2.0) return true;
    return false;
}

// --- alarm marks ---

std::optional<AlarmMarks::Geometry> AlarmMarks::geometry(const plotbase::DrawContext& context, const DynDataSet& set, int mark) const {
    const plotbase::Graph* graph = context.env.graph(context.graph);
    const auto* axisObject = graph ? graph->objects.as<plotbase::Axis>(axis(), plotbase::AxisType) : nullptr;
    if (!axisObject || !lineOn(&set, mark)) return std::nullopt;
    const std::optional<double> value = AlarmLineValue(set, mark);
    if (!value || !std::isfinite(*value) || *value < std::min(axisObject->min, axisObject->max) ||
        *value > std::max(axisObject->min, axisObject->max))
        return std::nullopt;
    const QRectF plot = plotOf(context);
    const double size = markSize * 96.0 / 72.0;  // points to pixels
    Geometry g;
    if (axisObject->vertical()) {
        const double x = std::clamp(std::round(context.scaling.deviceX(axisObject->intercept)), plot.left(), plot.right());
        const double y = context.scaling.deviceY(*value);
        const double out = position == 0 ? 1.0 : -1.0;  // right of the axis, or left
        g.triangle << QPointF(x, y) << QPointF(x + out * size, y - size / 2) << QPointF(x + out * size, y + size / 2);
        // The name beside the mark, just above the height it marks (where a line may run).
        g.textAnchor = QPointF(x + out * (size + 2), y);
        g.textAlign = (position == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignBottom;
    } else {
        const double y = std::clamp(std::round(context.scaling.deviceY(axisObject->intercept)), plot.top(), plot.bottom());
        const double x = context.scaling.deviceX(*value);
        const double out = position == 0 ? -1.0 : 1.0;  // above the axis, or below
        g.triangle << QPointF(x, y) << QPointF(x - size / 2, y + out * size) << QPointF(x + size / 2, y + out * size);
        g.textAnchor = QPointF(x + size / 2 + 2, y + out * size / 2);
        g.textAlign = Qt::AlignLeft | (position == 0 ? Qt::AlignBottom : Qt::AlignTop);
    }
    return g;
}

namespace {

QRectF textBox(const QFontMetricsF& metrics, const QString& text, QPointF anchor, int align) {
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    QPointF topLeft = anchor;
    if (align & Qt::AlignRight) topLeft.rx() -= size.width();
    if (align & Qt::AlignHCenter) topLeft.rx() -= size.width() / 2;
    if (align & Qt::AlignBottom) topLeft.ry() -= size.height();
    if (align & Qt::AlignVCenter) topLeft.ry() -= size.height() / 2;
    return QRectF(topLeft, size);
}

}  // namespace

void AlarmMarks::paintAfter(QPainter& painter, const plotbase::DrawContext& context) {
    const DynDataSet* set = shownSet(context);
    if (!set) return;
    const QFont font = plotbase::detail::fontFor(attributes.text);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int mark = 0; mark < AlarmLineCount; ++mark) {
        const std::optional<Geometry> g = geometry(context, *set, mark);
        if (!g) continue;
        const QColor colour = plotbase::detail::colourOf(colours[static_cast<std::size_t>(mark)]);
        QPen pen(colour);
        pen.setWidthF(std::max(1, lineWidth));
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(colour);
        painter.drawPolygon(g->triangle);
        const QString name = QString::fromStdString(names[static_cast<std::size_t>(mark)]);
        painter.drawText(textBox(metrics, name, g->textAnchor, g->textAlign), Qt::AlignCenter | Qt::TextDontClip, name);
    }
}

std::optional<QRectF> AlarmMarks::markBounds(const plotbase::DrawContext& context, int mark) const {
    const DynDataSet* set = shownSet(context);
    const std::optional<Geometry> g = set ? geometry(context, *set, mark) : std::nullopt;
    if (!g) return std::nullopt;
    const QFontMetricsF metrics(plotbase::detail::fontFor(attributes.text));
    const QString name = QString::fromStdString(names[static_cast<std::size_t>(mark)]);
    return g->triangle.boundingRect().united(textBox(metrics, name, g->textAnchor, g->textAlign));
}

bool AlarmMarks::hitTest(const plotbase::DrawContext& context, double x, double y) const {
    for (int mark = 0; mark < AlarmLineCount; ++mark)
        if (const std::optional<QRectF> bounds = markBounds(context, mark))
            if (bounds->adjusted(-1, -1, 1, 1).contains(QPointF(x, y))) return true;
    return false;
}

// --- alarm text ---

int AlarmText::shownKind(const DynDataSet* set) const { return set ? ShownAlarmKind(set->alarm, channel) : NormalAlarm; }

std::string AlarmText::shownText(const DynDataSet* set) const {
    if (!set) return {};
    const int kind = shownKind(set);
    const std::string& message = AlarmMessage(set->alarm, kind);
    return message.empty() ? AlarmKindName(kind) : message;
}

QRectF AlarmText::box(const plotbase::DrawContext& context) const {
    const plotbase::DeviceRect& g = context.graphRect;
    return QRectF(g.left + left / 100.0 * g.width, g.top + top / 100.0 * g.height, width / 100.0 * g.width, height / 100.0 * g.height);
}

QRectF AlarmText::draw(QPainter& painter, const plotbase::DrawContext& context, const DynDataSet* set) {
    const QRectF r = box(context);
    const int kind = shownKind(set);
    const std::string text = shownText(set);
    if (background >= 0) painter.fillRect(r, plotbase::detail::colourOf(background));
    if (borderPattern >= 0 && borderWidth > 0) {
        painter.setPen(plotbase::detail::penFor({borderPattern, borderWidth, attributes.colour, attributes.text}));
        painter.setBrush(Qt::NoBrush);
        const double inset = borderWidth / 2.0;
        painter.drawRect(r.adjusted(inset, inset, -inset, -inset));
    }
    plotbase::TextParams params = attributes.text;
    params.angle = 0;
    params.style = textStyle;
    if (textSize > 0) params.size = textSize;
    painter.setFont(plotbase::detail::fontFor(params));
    painter.setPen(plotbase::detail::colourOf(colourOf(kind)));
    int horizontal = layout == 1 ? Qt::AlignLeft : layout == 2 ? Qt::AlignRight : Qt::AlignHCenter;
    const double margin = std::max(2, borderWidth) + 1.0;
    const QRectF inside = r.adjusted(margin, 0, -margin, 0);
    QString shown = QString::fromStdString(text);
    // A message wider than the box keeps its beginning, cut off with an ellipsis, rather
    // than showing only its middle.
    const QFontMetricsF metrics(painter.font());
    if (metrics.horizontalAdvance(shown) > inside.width()) {
        shown = metrics.elidedText(shown, Qt::ElideRight, std::max(0.0, inside.width()));
        horizontal = Qt::AlignLeft;
    }
    painter.drawText(inside, horizontal | Qt::AlignVCenter, shown);
    drawnKind_ = kind;
    drawnText_ = text;
    return r;
}

void AlarmText::paint(QPainter& painter, const plotbase::DrawContext& context) {
    painter.setClipRect(box(context), Qt::IntersectClip);
    draw(painter, context, dataSet(TopOf(context.env)));
}

void AlarmText::update(const ObjectPlace& place) {
    const DynDataSet* set = dataSet(TopOf(place.env));
    if (shownKind(set) == drawnKind_ && shownText(set) == drawnText_) return;
    // A see-through box shows what lies under it: only a full paint can draw that.
    if (background < 0) {
        repaintGraph(place);
        return;
    }
    plotbase::WGDrawInWindow(place.env, place.graph, place.index, [&](QPainter& painter, const plotbase::DrawContext& context) {
        const QRectF r = box(context);
        painter.setClipRect(r, Qt::IntersectClip);
        return draw(painter, context, set).adjusted(-1, -1, 1, 1);
    });
}

bool AlarmText::hitTest(const plotbase::DrawContext& context, double x, double y) const { return box(context).contains(QPointF(x, y)); }

void AlarmText::alarmsChanged(const ObjectPlace& place) {
    drawnKind_ = -1;
    repaintGraph(place);
}

void RefreshAlarmDisplays(plotbase::Environment& env, int dataSet) {
    RTTop* top = TopOf(env);
    const DynDataSet* set = top ? top->dataSets.at(dataSet) : nullptr;
    if (!set) return;
    ForEachDynObject(env, 0, [&](const ObjectPlace& place, DynObject& object) {
        if (object.showsAlarms() && object.dataSet(top) == set) object.alarmsChanged(place);
    });
}

}  // namespace dynaview
