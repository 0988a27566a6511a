#include "plotbase/graph_layout.h"

#include "plotbase/drawing_tools.h"
#include "plotbase/ticks.h"
#include "platform/numbers.h"

#include <QFontMetricsF>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace plotbase::detail {

namespace {

constexpr double LabelGap = 2.0;
constexpr double TitleGap = 3.0;

WorldRange rangeOf(const Axis& axis) { return {axis.min, axis.max}; }

// Labels are thinned to every k-th tick, k from this sequence, until they no longer touch.
int thinningStep(double tickDistance, double needed) {
    static constexpr int steps[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
    for (int step : steps)
        if (tickDistance * step >= needed) return step;
    return 1000;
}

}  // namespace

QRectF GraphLayout::plotRectOf(const Graph& graph, const QRectF& graphRect) {
    const double w = graphRect.width();
    const double h = graphRect.height();
    const double left = std::round(graphRect.left() + graph.plotArea.left * w);
    const double top = std::round(graphRect.top() + graph.plotArea.top * h);
    const double right = std::round(graphRect.left() + graph.plotArea.right * w);
    const double bottom = std::round(graphRect.top() + graph.plotArea.bottom * h);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

Scaling GraphLayout::scalingFor(const Graph& graph, const QRectF& graphRect, const GraphObject& object) {
    const QRectF plot = plotRectOf(graph, graphRect);
    WorldRange x{graph.xmin, graph.xmax};
    WorldRange y{graph.ymin, graph.ymax};
    if (const auto* axis = graph.objects.as<Axis>(object.links[0], AxisType)) (axis->vertical() ? y : x) = rangeOf(*axis);
    if (const auto* axis = graph.objects.as<Axis>(object.links[1], AxisType)) (axis->vertical() ? y : x) = rangeOf(*axis);
    return Scaling(DeviceRect{plot.left(), plot.top(), plot.width(), plot.height()}, x, y);
}

GraphLayout::GraphLayout(const Environment& env, const Graph& graph, const QRectF& graphRect)
    : graph_(graph), graphRect_(graphRect), plotRect_(plotRectOf(graph, graphRect)) {

    // Axes first: labels and titles are placed from them.
    for (int i = 1; i <= graph.objects.size(); ++i)
        if (const auto* axis = graph.objects.as<Axis>(i, AxisType)) layAxis(i, *axis);
    for (int i = 1; i <= graph.objects.size(); ++i)
        if (const auto* labels = graph.objects.as<AxisLabels>(i, AxisLabelsType)) layLabels(env, i, *labels);
    for (int i = 1; i <= graph.objects.size(); ++i) {
        if (const auto* title = graph.objects.as<AxisTitle>(i, AxisTitleType)) layTitle(i, *title);
        if (const auto* text = graph.objects.as<TextObject>(i, TextType)) layText(i, *text);
    }
}

DeviceRect GraphLayout::plotDeviceRect() const {
    return {plotRect_.left(), plotRect_.top(), plotRect_.width(), plotRect_.height()};
}

Scaling GraphLayout::graphScaling() const {
    return Scaling(plotDeviceRect(), {graph_.xmin, graph_.xmax}, {graph_.ymin, graph_.ymax});
}

Scaling GraphLayout::scalingFor(const GraphObject& object) const { return scalingFor(graph_, graphRect_, object); }

void GraphLayout::layAxis(int index, const Axis& axis) {
    AxisLayout layout;
    layout.index = index;
    layout.axis = &axis;
    const Scaling graphScale = graphScaling();
    const bool vertical = axis.vertical();
    // The axis's own scaling runs along it; the graph's places it across.
    const Scaling own = vertical ? Scaling(plotDeviceRect(), {graph_.xmin, graph_.xmax}, rangeOf(axis))
                                 : Scaling(plotDeviceRect(), rangeOf(axis), {graph_.ymin, graph_.ymax});
    const auto along = [&](double v) { return std::round(vertical ? own.deviceY(v) : own.deviceX(v)); };
    layout.position = vertical ? std::clamp(std::round(graphScale.deviceX(axis.intercept)), plotRect_.left(), plotRect_.right())
                               : std::clamp(std::round(graphScale.deviceY(axis.intercept)), plotRect_.top(), plotRect_.bottom());
    layout.outward = axis.side == 1 ? -1.0 : 1.0;
    for (double v : majorTicks(axis.min, axis.max, axis.tickSpacing)) {
        layout.majors.push_back(along(v));
        layout.majorValues.push_back(v);
    }
    for (double v : minorTicks(axis.min, axis.max, axis.tickSpacing, axis.tickCount)) layout.minors.push_back(along(v));
    const double tickBase = layout.position;
    const double tickEnd = layout.position + layout.outward * MajorTickLength;
    layout.band = vertical ? QRectF(QPointF(std::min(tickBase, tickEnd) - 2, plotRect_.top()), QPointF(std::max(tickBase, tickEnd) + 2, plotRect_.bottom()))
                           : QRectF(QPointF(plotRect_.left(), std::min(tickBase, tickEnd) - 2), QPointF(plotRect_.right(), std::max(tickBase, tickEnd) + 2));
    axes_.push_back(std::move(layout));
}

void GraphLayout::layLabels(const Environment& env, int index, const AxisLabels& labels) {
    const AxisLayout* axisLayout = axis(labels.links[0]);
    if (!axisLayout) return;
    const Axis& owner = *axisLayout->axis;
    LabelsLayout layout;
    layout.index = index;
    layout.font = fontFor(labels.attributes.text);
    const QFontMetricsF metrics(layout.font);
    const int decimals = labels.decimals >= 0 ? labels.decimals : automaticDecimals(owner.tickSpacing);

    std::vector<QString> texts;
    double widest = 0.0;
    for (double value : axisLayout->majorValues) {
        texts.push_back(QString::fromStdString(env.numbers.formatFixed(value, decimals)));
        widest = std::max(widest, metrics.horizontalAdvance(texts.back()));
    }
    const double height = metrics.height();
    int step = 1;
    if (axisLayout->majors.size() > 1) {
        const double distance = std::fabs(axisLayout->majors[1] - axisLayout->majors[0]);
        step = thinningStep(distance, owner.vertical() ? height + 1.0 : widest + 6.0);
    }
    const double tickEnd = axisLayout->position + axisLayout->outward * (MajorTickLength + LabelGap);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const long long multiple = std::llround(axisLayout->majorValues[i] / owner.tickSpacing);
        if (multiple % step != 0) continue;
        const double width = metrics.horizontalAdvance(texts[i]);
        QRectF rect;
        if (owner.vertical()) {
            const double left = axisLayout->outward < 0 ? tickEnd - width : tickEnd;
            rect = QRectF(left, axisLayout->majors[i] - height / 2, width, height);
            // Keep the end labels inside the graph.
            if (rect.top() < graphRect_.top()) rect.moveTop(graphRect_.top());
            if (rect.bottom() > graphRect_.bottom()) rect.moveBottom(graphRect_.bottom());
        } else {
            const double top = axisLayout->outward > 0 ? tickEnd : tickEnd - height;
            rect = QRectF(axisLayout->majors[i] - width / 2, top, width, height);
            if (rect.left() < graphRect_.left()) rect.moveLeft(graphRect_.left());
            if (rect.right() > graphRect_.right()) rect.moveRight(graphRect_.right());
        }
        layout.items.push_back({texts[i], rect});
        layout.bounds = layout.bounds.isNull() ? rect : layout.bounds.united(rect);
    }
    labels_.push_back(std::move(layout));
}

void GraphLayout::layTitle(int index, const AxisTitle& title) {
    const AxisLayout* axisLayout = axis(title.links[0]);
    if (!axisLayout || title.text.empty()) return;
    TitleLayout layout;
    layout.index = index;
    layout.font = fontFor(title.attributes.text);
    layout.text = QString::fromStdString(title.text);
    const QFontMetricsF metrics(layout.font);
    const double length = metrics.horizontalAdvance(layout.text);
    const double height = metrics.height();
    // The outer edge of the axis's ticks and of the labels on the title's side.
    const double outward = title.side == 1 ? -1.0 : 1.0;
    double edge = axisLayout->position + outward * MajorTickLength;
    for (const auto& labels : labels_) {
        const GraphObject* object = graph_.objects.at(labels.index);
        if (!object || object->links[0] != title.links[0] || labels.bounds.isNull()) continue;
        if (axisLayout->axis->vertical())
            edge = outward < 0 ? std::min(edge, labels.bounds.left()) : std::max(edge, labels.bounds.right());
        else
            edge = outward < 0 ? std::min(edge, labels.bounds.top()) : std::max(edge, labels.bounds.bottom());
    }
    if (axisLayout->axis->vertical()) {
        layout.rotated = true;
        double left = outward < 0 ? edge - TitleGap - height : edge + TitleGap;
        left = std::clamp(left, graphRect_.left() + 1.0, std::max(graphRect_.left() + 1.0, graphRect_.right() - height - 1.0));
        const double centre = plotRect_.center().y();
        layout.bounds = QRectF(left, centre - length / 2, height, length);
    } else {
        double top = outward < 0 ? edge - TitleGap - height : edge + TitleGap;
        top = std::clamp(top, graphRect_.top(), std::max(graphRect_.top(), graphRect_.bottom() - height));
        const double centre = plotRect_.center().x();
        layout.bounds = QRectF(centre - length / 2, top, length, height);
    }
    titles_.push_back(std::move(layout));
}

void GraphLayout::layText(int index, const TextObject& text) {
    if (text.text.empty()) return;
    TextLayout layout;
    layout.index = index;
    layout.font = fontFor(text.attributes.text);
    layout.text = QString::fromStdString(text.text);
    const QFontMetricsF metrics(layout.font);
    const double width = metrics.horizontalAdvance(layout.text);
    layout.anchor = QPointF(graphRect_.left() + text.x * graphRect_.width(), graphRect_.top() + text.y * graphRect_.height());
    double left = layout.anchor.x();
    if ((text.align & AlignCentre) == AlignCentre)
        left -= width / 2;
    else if ((text.align & AlignRight) == AlignRight)
        left -= width;
    double top = layout.anchor.y();
    if ((text.align & AlignBaseline) == AlignBaseline)
        top -= metrics.ascent();
    else if ((text.align & AlignBottom) == AlignBottom)
        top -= metrics.height();
    layout.box = QRectF(left, top, width, metrics.height());
    layout.angle = text.attributes.text.angle / 10.0;
    QTransform rotation;
    rotation.translate(layout.anchor.x(), layout.anchor.y());
    rotation.rotate(-layout.angle);
    rotation.translate(-layout.anchor.x(), -layout.anchor.y());
    layout.bounds = rotation.mapRect(layout.box);
    texts_.push_back(std::move(layout));
}

const AxisLayout* GraphLayout::axis(int index) const {
    for (const auto& a : axes_)
        if (a.index == index) return &a;
    return nullptr;
}

const LabelsLayout* GraphLayout::labels(int index) const {
    for (const auto& l : labels_)
        if (l.index == index) return &l;
    return nullptr;
}

const TitleLayout* GraphLayout::title(int index) const {
    for (const auto& t : titles_)
        if (t.index == index) return &t;
    return nullptr;
}

const TextLayout* GraphLayout::text(int index) const {
    for (const auto& t : texts_)
        if (t.index == index) return &t;
    return nullptr;
}

QRectF GraphLayout::boundsOf(int index) const {
    if (const auto* a = axis(index)) return a->band;
    if (const auto* l = labels(index)) return l->bounds;
    if (const auto* t = title(index)) return t->bounds;
    if (const auto* t = text(index)) return t->bounds;
    return {};
}

}  // namespace plotbase::detail
