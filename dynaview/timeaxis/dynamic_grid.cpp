#include "dynaview/timeaxis/dynamic_grid.h"

#include "plotbase/drawing_tools.h"
#include "plotbase/graph_layout.h"
#include "plotbase/operations_window.h"

#include <QPainter>

#include <cmath>

namespace dynaview {

namespace {

constexpr double PickTolerance = 3.0;

QRectF plotOf(const plotbase::DrawContext& context) {
    const plotbase::DeviceRect& p = context.scaling.plot();
    return QRectF(p.left, p.top, p.width, p.height);
}

}  // namespace

std::vector<QLineF> DynamicGrid::lines(const plotbase::DrawContext& context, int which) const {
    std::vector<QLineF> out;
    const plotbase::Graph* graph = context.env.graph(context.graph);
    if (!graph || which < 0 || which > 1 || !grids[static_cast<std::size_t>(which)].present) return out;
    const QRectF graphRect(context.graphRect.left, context.graphRect.top, context.graphRect.width, context.graphRect.height);
    const plotbase::detail::GraphLayout layout(context.env, *graph, graphRect);
    const plotbase::detail::AxisLayout* axisLayout = layout.axis(axis());
    if (!axisLayout) return out;
    const QRectF plot = layout.plotRect();
    for (double p : which == 0 ? axisLayout->majors : axisLayout->minors) {
        if (axisLayout->axis->vertical()) {
            if (p >= plot.top() && p <= plot.bottom()) out.emplace_back(plot.left(), p, plot.right(), p);
        } else if (p >= plot.left() && p <= plot.right()) {
            out.emplace_back(p, plot.top(), p, plot.bottom());
        }
    }
    return out;
}

void DynamicGrid::draw(QPainter& painter, const plotbase::DrawContext& context) const {
    painter.setClipRect(plotOf(context).adjusted(0, 0, 1, 1), Qt::IntersectClip);
    for (int which = 0; which < 2; ++which) {
        const Line& line = grids[static_cast<std::size_t>(which)];
        if (!line.present) continue;
        painter.setPen(plotbase::detail::penFor({line.pattern, line.width, line.colour, attributes.text}));
        for (const QLineF& l : lines(context, which)) painter.drawLine(l);
    }
}

void DynamicGrid::paint(QPainter& painter, const plotbase::DrawContext& context) { draw(painter, context); }

void DynamicGrid::update(const ObjectPlace& place) {
    plotbase::WGDrawInWindow(place.env, place.graph, place.index, [&](QPainter& painter, const plotbase::DrawContext& context) {
        draw(painter, context);
        return plotOf(context).adjusted(-1, -1, 2, 2);
    });
}

bool DynamicGrid::hitTest(const plotbase::DrawContext& context, double x, double y) const {
    for (int which = 0; which < 2; ++which) {
        const double reach = PickTolerance + grids[static_cast<std::size_t>(which)].width / 2.0;
        for (const QLineF& l : lines(context, which)) {
            const bool across = l.y1() == l.y2();
            if (across ? std::fabs(y - l.y1()) <= reach && x >= l.x1() && x <= l.x2()
                       : std::fabs(x - l.x1()) <= reach && y >= std::min(l.y1(), l.y2()) && y <= std::max(l.y1(), l.y2()))
                return true;
        }
    }
    return false;
}

}  // namespace dynaview
