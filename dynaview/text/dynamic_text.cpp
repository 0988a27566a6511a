#include "dynaview/text/dynamic_text.h"

#include "dynaview/datasets/dyn_data_set.h"
#include "dynaview/frame/object_access.h"
#include "platform/numbers.h"
#include "plotbase/drawing_tools.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_window.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace dynaview {

namespace {

QRectF toRect(const Box& b) { return QRectF(b.left, b.top, b.width, b.height); }

// A sized-from-text box holds this many characters of a value.
QString widestValue(int precision) { return QString("-00000") + (precision > 0 ? "." + QString(precision, '0') : QString()); }

}  // namespace

int DynamicText::rows(const DynDataSet* set) const {
    if (!set) return 0;
    return channel < 0 ? set->channels : 1;
}

int DynamicText::rowOfChannel(const DynDataSet* set, int dataSetChannel) const {
    if (!set || dataSetChannel < 0 || dataSetChannel >= set->channels) return -1;
    if (channel < 0) return dataSetChannel;
    return dataSetChannel == channel ? 0 : -1;
}

plotbase::TextParams DynamicText::textParams() const {
    plotbase::TextParams params = attributes.text;
    params.angle = 0;
    if (textSize > 0) params.size = textSize;
    return params;
}

QRectF DynamicText::box(const plotbase::DrawContext& context, const DynDataSet* set) const {
    const plotbase::DeviceRect& g = context.graphRect;
    QRectF r(g.left + left / 100.0 * g.width, g.top + top / 100.0 * g.height, width / 100.0 * g.width, height / 100.0 * g.height);
    if (width > 0 && height > 0) return r;
    const QFontMetricsF metrics(plotbase::detail::fontFor(textParams()));
    const Margins m = MarginsOf(marginStyle, attributes.width, metrics.height(), borderWidth, g.width / 640.0);
    const int n = std::max(1, rows(set));
    const double cellWidth = metrics.horizontalAdvance(widestValue(precision)) + 2 * m.horizontal;
    const double cellHeight = 4.0 / 3.0 * metrics.height();
    if (width <= 0) r.setWidth(layout == 1 ? n * cellWidth : cellWidth);
    if (height <= 0) r.setHeight((layout == 1 ? cellHeight : n * cellHeight) + 2 * m.vertical);
    return r;
}

int DynamicText::colourOfRow(plotbase::Environment& env, int graph, int row) const {
    if (colourSource > 0) {
        const plotbase::Graph* g = GraphIfOpen(env, graph);
        if (const auto* source = g ? dynamic_cast<const DynObject*>(g->objects.at(colourSource)) : nullptr) {
            const int c = source->channelColour(channelOfRow(row));
            if (c >= 0) return c;
        }
    }
    const int i = std::clamp(row, 0, colourCount - 1);
    return colours[static_cast<std::size_t>(i)];
}

QRectF DynamicText::drawRows(QPainter& painter, const plotbase::DrawContext& context, const DynDataSet& set, const std::vector<bool>& which) {
    const QFont font = plotbase::detail::fontFor(textParams());
    const QFontMetricsF metrics(font);
    const QRectF r = box(context, &set);
    const Margins m = MarginsOf(marginStyle, attributes.width, metrics.height(), borderWidth, context.graphRect.width / 640.0);
    const int n = rows(&set);
    const std::vector<TextCell> cells = TextCells({r.left(), r.top(), r.width(), r.height()}, m, n, n == 1 && layout == 1 ? 1 : layout,
                                                  metrics.height());
    painter.setFont(font);
    drawn_.resize(static_cast<std::size_t>(n), std::nanf(""));
    QRectF covered;
    for (int row = 0; row < n; ++row) {
        if (!which.empty() && !which[static_cast<std::size_t>(row)]) continue;
        const TextCell& c = cells[static_cast<std::size_t>(row)];
        const QRectF cell = toRect(c.cell);
        if (background >= 0 && !context.printing) painter.fillRect(cell, plotbase::detail::colourOf(background));
        const float value = set.current[static_cast<std::size_t>(channelOfRow(row))];
        const QString text = QString::fromStdString(context.env.numbers.formatFixed(value, precision));
        const double textWidth = metrics.horizontalAdvance(text);
        painter.setPen(plotbase::detail::colourOf(colourOfRow(context.env, context.graph, row)));
        painter.drawText(QPointF(c.centred ? c.x - textWidth / 2.0 : c.x - textWidth, c.baseline), text);
        drawn_[static_cast<std::size_t>(row)] = value;
        covered = covered.united(cell);
    }
    return covered;
}

void DynamicText::paint(QPainter& painter, const plotbase::DrawContext& context) {
    const DynDataSet* set = dataSet(TopOf(context.env));
    const QRectF r = box(context, set);
    painter.save();
    painter.setClipRect(r, Qt::IntersectClip);
    if (background >= 0 && context.printing) painter.fillRect(r, plotbase::detail::colourOf(background));
    if (hasBorder()) {
        painter.setPen(plotbase::detail::penFor({borderPattern, borderWidth, attributes.colour, attributes.text}));
        painter.setBrush(Qt::NoBrush);
        const double inset = borderWidth / 2.0;
        painter.drawRect(r.adjusted(inset, inset, -inset, -inset));
    }
    if (set) drawRows(painter, context, *set, {});
    painter.restore();
}

void DynamicText::update(const ObjectPlace& place) {
    const DynDataSet* set = dataSet(TopOf(place.env));
    if (!set) return;
    const int n = rows(set);
    std::vector<bool> changed(static_cast<std::size_t>(n), false);
    bool any = false;
    for (int row = 0; row < n; ++row) {
        const auto i = static_cast<std::size_t>(row);
        const float value = set->current[static_cast<std::size_t>(channelOfRow(row))];
        // Bit-wise: a NaN shown stays shown, and -0 differs from 0 only if it prints so.
        changed[i] = i >= drawn_.size() || !(value == drawn_[i] || (std::isnan(value) && std::isnan(drawn_[i])));
        any = any || changed[i];
    }
    if (!any) return;
    // Without a background the old text cannot be wiped alone: the graph is drawn again.
    if (background < 0) {
        drawn_.clear();
        plotbase::WGRedrawObject(place.env, place.graph, 0, 0);
        return;
    }
    plotbase::WGDrawInWindow(place.env, place.graph, place.index, [&](QPainter& painter, const plotbase::DrawContext& context) {
        painter.setClipRect(box(context, set), Qt::IntersectClip);
        return drawRows(painter, context, *set, changed).adjusted(-1, -1, 1, 1);
    });
}

void DynamicText::rebound(const ObjectPlace& place) {
    drawn_.clear();
    plotbase::WGRedrawObject(place.env, place.graph, 0, 0);
}

bool DynamicText::hitTest(const plotbase::DrawContext& context, double x, double y) const {
    return box(context, dataSet(TopOf(context.env))).contains(QPointF(x, y));
}

}  // namespace dynaview
