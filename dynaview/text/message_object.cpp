#include "dynaview/text/message_object.h"

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/object_access.h"
#include "plotbase/drawing_tools.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_window.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace dynaview {

namespace {

QRectF toRect(const Box& b) { return QRectF(b.left, b.top, b.width, b.height); }
Box toBox(const QRectF& r) { return Box{r.left(), r.top(), r.width(), r.height()}; }

}  // namespace

bool MessageObject::select(std::uint32_t word) {
    const int k = SelectedMessage(word, firstBit, count);
    if (k < 0 || k == shown_) return false;
    previous_ = shown_;
    shown_ = k;
    return true;
}

QRectF MessageObject::box(const plotbase::DrawContext& context) const {
    const QFontMetricsF metrics(plotbase::detail::fontFor(attributes.text));
    double widest = 0.0;
    for (int i = 0; i < count; ++i)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(messages[static_cast<std::size_t>(i)].text)));
    const plotbase::DeviceRect& g = context.graphRect;
    return toRect(MessageBox(g.left + left / 100.0 * g.width, g.top + top / 100.0 * g.height, widest, metrics.height(), hasBorder(),
                             borderWidth, attributes.width));
}

void MessageObject::drawInside(QPainter& painter, const plotbase::DrawContext&, const QRectF& outer) const {
    const QFont font = plotbase::detail::fontFor(attributes.text);
    const QFontMetricsF metrics(font);
    const QRectF inside = toRect(MessageInside(toBox(outer), hasBorder(), borderWidth, attributes.width));
    if (background >= 0) painter.fillRect(inside, plotbase::detail::colourOf(background));
    if (shown_ < 0) return;
    const Message& m = messages[static_cast<std::size_t>(shown_)];
    const QString text = QString::fromStdString(m.text);
    painter.setFont(font);
    painter.setPen(plotbase::detail::colourOf(m.colour));
    const double x = outer.center().x() - metrics.horizontalAdvance(text) / 2.0;
    painter.drawText(QPointF(x, MessageBaseline(toBox(outer), metrics.height(), attributes.width)), text);
}

void MessageObject::paint(QPainter& painter, const plotbase::DrawContext& context) {
    const QRectF r = box(context);
    painter.save();
    painter.setClipRect(r, Qt::IntersectClip);
    if (hasBorder()) {
        painter.setPen(plotbase::detail::penFor({borderPattern, borderWidth, attributes.colour, attributes.text}));
        painter.setBrush(Qt::NoBrush);
        const double inset = borderWidth / 2.0;
        painter.drawRect(r.adjusted(inset, inset, -inset, -inset));
    }
    drawInside(painter, context, r);
    painter.restore();
}

void MessageObject::update(const ObjectPlace& place) {
    const DynDataSet* set = dataSet(TopOf(place.env));
    if (!set || !select(set->binary)) return;
    // A see-through box shows what lies under it: only a full paint can draw that.
    if (background < 0) {
        plotbase::WGRedrawObject(place.env, place.graph, 0, 0);
        return;
    }
    plotbase::WGDrawInWindow(place.env, place.graph, place.index, [&](QPainter& painter, const plotbase::DrawContext& context) {
        const QRectF r = box(context);
        const QRectF inside = toRect(MessageInside(toBox(r), hasBorder(), borderWidth, attributes.width));
        painter.setClipRect(inside, Qt::IntersectClip);
        drawInside(painter, context, r);
        return inside.adjusted(-1, -1, 1, 1);
    });
}

void MessageObject::rebound(const ObjectPlace& place) {
    if (const DynDataSet* set = dataSet(TopOf(place.env))) select(set->binary);
    plotbase::WGRedrawObject(place.env, place.graph, 0, 0);
}

bool MessageObject::hitTest(const plotbase::DrawContext& context, double x, double y) const { return box(context).contains(QPointF(x, y)); }

}  // namespace dynaview
