#include "dynaview/timeaxis/time_labels.h"

#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/object_access.h"
#include "dynaview/timeaxis/time_axis_state.h"
#include "plotbase/drawing_tools.h"
#include "plotbase/error_codes.h"
#include "plotbase/graph_layout.h"
#include "plotbase/operations_change.h"
#include "plotbase/operations_window.h"
#include "plotbase/palette.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>
#include <string>

namespace dynaview {

namespace {

constexpr double LabelGap = 2.0;

class BusyGuard {
public:
    explicit BusyGuard(plotbase::Environment& env) : state_(TimeAxisStateOf(env)) {
        if (state_ && !state_->busy) {
            state_->busy = true;
            owner_ = true;
        }
    }
    ~BusyGuard() {
        if (owner_) state_->busy = false;
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
    bool acquired() const { return owner_; }

private:
    TimeAxisState* state_ = nullptr;
    bool owner_ = false;
};

}  // namespace

std::vector<TimeLabels::Item> TimeLabels::layout(const plotbase::DrawContext& context, const TimeLabelSettings& with) const {
    std::vector<Item> items;
    const plotbase::Graph* graph = context.env.graph(context.graph);
    if (!graph) return items;
    const QRectF graphRect(context.graphRect.left, context.graphRect.top, context.graphRect.width, context.graphRect.height);
    const plotbase::detail::GraphLayout graphLayout(context.env, *graph, graphRect);
    const plotbase::detail::AxisLayout* axisLayout = graphLayout.axis(axis());
    if (!axisLayout) return items;
    const plotbase::Axis& owner = *axisLayout->axis;
    const std::vector<std::string> texts =
        TimeLabelTexts(with, owner.tickSpacing, static_cast<int>(axisLayout->majors.size()), context.env.numbers);
    const QFontMetricsF metrics(plotbase::detail::fontFor(attributes.text));
    const double height = metrics.height();
    const QRectF plot = graphLayout.plotRect();
    // How far the axis's ticks reach on each side of its line.
    const double tickAfter = axisLayout->outward > 0 ? plotbase::detail::MajorTickLength : 0.0;
    const double tickBefore = axisLayout->outward < 0 ? plotbase::detail::MajorTickLength : 0.0;
    const double line = axisLayout->position;
    const std::size_t last = axisLayout->majors.size() - 1;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty()) continue;
        const QString text = QString::fromStdString(texts[i]);
        const double width = metrics.horizontalAdvance(text);
        const double at = axisLayout->majors[i];
        const bool fixed = with.lastLabelMode == LastTickFixedText && i == last;
        QRectF rect;
        if (!vertical) {
            double top = 0.0;
            switch (position) {
            case 4: top = line - tickBefore - LabelGap - height; break;
            case 6: top = plot.bottom() + LabelGap; break;
            case 7: top = plot.top() - LabelGap - height; break;
            default: top = line + tickAfter + LabelGap; break;
            }
            // The fixed text ends where the axis ends; the others are centred on their tick.
            const double left = fixed ? at - width : at - width / 2;
            rect = QRectF(left, top, width, height);
            if (rect.left() < graphRect.left()) rect.moveLeft(graphRect.left());
            if (rect.right() > graphRect.right()) rect.moveRight(graphRect.right());
        } else {
            double left = 0.0;
            switch (position) {
            case 2: left = line + tickAfter + LabelGap; break;
            case 8: left = plot.left() - LabelGap - width; break;
            case 9: left = plot.right() + LabelGap; break;
            default: left = line - tickBefore - LabelGap - width; break;
            }
            const double top = fixed ? at : at - height / 2;
            rect = QRectF(left, top, width, height);
            if (rect.top() < graphRect.top()) rect.moveTop(graphRect.top());
            if (rect.bottom() > graphRect.bottom()) rect.moveBottom(graphRect.bottom());
        }
        items.push_back({text, rect});
    }
    return items;
}

void TimeLabels::drawItems(QPainter& painter, const std::vector<Item>& items) {
    painter.setFont(plotbase::detail::fontFor(attributes.text));
    painter.setPen(plotbase::detail::colourOf(attributes.colour));
    QRectF all;
    for (const Item& item : items) {
        // Labels left of a vertical axis are right-aligned, right of it left-aligned; the
        // box is as wide as the text, so both come out of the same call.
        painter.drawText(item.rect, Qt::AlignCenter | Qt::TextDontClip, item.text);
        all = all.isNull() ? item.rect : all.united(item.rect);
        widest = std::max(widest, item.rect.width());
    }
    bounds = all;
}

void TimeLabels::paint(QPainter& painter, const plotbase::DrawContext& context) { drawItems(painter, layout(context)); }

bool TimeLabels::hitTest(const plotbase::DrawContext& context, double x, double y) const {
    QRectF box;
    for (const Item& item : layout(context)) {
        // Every label as wide as the widest one drawn: the whole row or column can be picked.
        QRectF r = item.rect;
        if (!vertical) r.adjust(-(widest - r.width()) / 2, 0, (widest - r.width()) / 2, 0);
        box = box.isNull() ? r : box.united(r);
    }
    return box.adjusted(-1, -1, 1, 1).contains(QPointF(x, y));
}

void TimeLabels::rescaled(const ObjectPlace& place) { plotbase::WGRedrawObject(place.env, place.graph, 0, 0); }

void TimeLabels::redraw(const ObjectPlace& place, const TimeLabelSettings& before) {
    BusyGuard busy(place.env);
    bool repaint = !busy.acquired();
    if (!repaint) {
        plotbase::WGDrawInWindow(place.env, place.graph, place.index, [&](QPainter& painter, const plotbase::DrawContext& context) {
            const std::vector<Item> old = layout(context, before);
            const std::vector<Item> now = layout(context);
            const plotbase::DeviceRect& p = context.scaling.plot();
            const QRectF plotInside = QRectF(p.left, p.top, p.width, p.height).adjusted(1, 1, -1, -1);
            QRectF changed;
            for (const auto* items : {&old, &now})
                for (const Item& item : *items) {
                    // Traces under a label: only the full paint can put them back.
                    if (item.rect.intersects(plotInside)) repaint = true;
                    changed = changed.isNull() ? item.rect : changed.united(item.rect);
                }
            if (repaint) return QRectF();
            const QColor background = plotbase::detail::toQColor(plotbase::GraphBackground);
            for (const auto* items : {&old, &now})
                for (const Item& item : *items) painter.fillRect(item.rect.adjusted(-1, 0, 1, 0), background);
            drawItems(painter, now);
            return changed.adjusted(-2, -2, 2, 2);
        });
        // Not drawn: the window has no current picture and its full paint is coming.
    }
    if (repaint) plotbase::WGRedrawObject(place.env, place.graph, 0, 0);
}

TimeLabels* TimeLabelsOrReport(plotbase::Environment& env, int graph, int index, const char* operation) {
    const std::string suffix = std::string(" - ") + operation;
    plotbase::Graph* g = OpenGraph(env, graph);
    if (!g) return nullptr;
    auto* labels = dynamic_cast<TimeLabels*>(g->objects.at(index));
    if (!labels) ReportDynError(env, plotbase::InvalidRecord, 2, suffix);
    return labels;
}

}  // namespace dynaview
