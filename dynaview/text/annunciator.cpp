#include "dynaview/text/annunciator.h"

#include "plotbase/drawing_tools.h"

#include <QPainter>

#include <array>

namespace dynaview {

const Annunciator::Row* Annunciator::rowOf(int channel) const {
    for (const Row& row : items)
        if (row.channel == channel) return &row;
    return nullptr;
}

QRectF Annunciator::box(const plotbase::DrawContext& context) const {
    const plotbase::DeviceRect& g = context.graphRect;
    return QRectF(g.left + left / 100.0 * g.width, g.top + top / 100.0 * g.height, width / 100.0 * g.width, height / 100.0 * g.height);
}

void Annunciator::paint(QPainter& painter, const plotbase::DrawContext& context) {
    const QRectF r = box(context);
    if (background >= 0) painter.fillRect(r, plotbase::detail::colourOf(background));
    QPen pen = plotbase::detail::penFor(attributes);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double inset = std::max(1, attributes.width) / 2.0;
    painter.drawRect(r.adjusted(inset, inset, -inset, -inset));
}

bool Annunciator::hitTest(const plotbase::DrawContext& context, double x, double y) const { return box(context).contains(QPointF(x, y)); }

PanelLayout LayOutPanel(double left, double top, double width, double height, int rows, bool withTitle, bool withAlarm) {
    constexpr double MarginX = 1.0, MarginY = 2.0;  // percent of the graph
    constexpr double Shrink = 0.98;
    const double innerLeft = left + MarginX, innerTop = top + MarginY;
    const double innerWidth = std::max(0.0, width - 2 * MarginX), innerHeight = std::max(0.0, height - 2 * MarginY);
    const int lines = std::max(1, rows + (withTitle ? 1 : 0));
    const double rowHeight = innerHeight / lines;
    std::array<double, 4> share = withAlarm ? std::array<double, 4>{0.30, 0.22, 0.16, 0.32} : std::array<double, 4>{0.44, 0.32, 0.24, 0.0};
    auto shrunk = [&](double l, double t, double w, double h) {
        return PanelLayout::Cell{l + w * (1 - Shrink) / 2, t + h * (1 - Shrink) / 2, w * Shrink, h * Shrink};
    };
    PanelLayout layout;
    if (withTitle) layout.title = shrunk(innerLeft, innerTop, innerWidth, rowHeight);
    for (int r = 0; r < rows; ++r) {
        const double t = innerTop + (r + (withTitle ? 1 : 0)) * rowHeight;
        std::array<PanelLayout::Cell, 4> cells{};
        double l = innerLeft;
        for (std::size_t c = 0; c < 4; ++c) {
            cells[c] = shrunk(l, t, innerWidth * share[c], rowHeight);
            l += innerWidth * share[c];
        }
        layout.rows.push_back(cells);
    }
    return layout;
}

}  // namespace dynaview
