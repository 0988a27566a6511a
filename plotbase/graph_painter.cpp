// Painting a graph: background, plot-area frame, grids behind or in front of the rest, then
// every object in the order of the graph's table, then the highlight.

#include "plotbase/drawing_tools.h"
#include "plotbase/graph_layout.h"
#include "plotbase/graph_widget.h"
#include "plotbase/operations_setup.h"
#include "plotbase/operations_window.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace plotbase {

using namespace detail;

namespace {

class GraphPainter {
public:
    GraphPainter(Environment& env, Graph& graph, QPainter& painter, const QRectF& target, bool printing)
        : env_(env), graph_(graph), painter_(painter), layout_(env, graph, target), printing_(printing) {}

    void paint() {
        painter_.save();
        painter_.setClipRect(layout_.graphRect());
        painter_.fillRect(layout_.graphRect(), toQColor(GraphBackground));
        if (graph_.gridsBehind) paintGrids();
        paintFrame();
        for (int i = 1; i <= graph_.objects.size(); ++i) {
            GraphObject* object = graph_.objects.at(i);
            if (!object || !object->visible || object->type == GridType) continue;
            paintObject(i, *object);
        }
        if (!graph_.gridsBehind) paintGrids();
        paintBorder();
        if (!printing_ && graph_.highlighted) paintHighlight(graph_.highlighted);
        painter_.restore();
    }

private:
    void paintObject(int index, GraphObject& object) {
        switch (object.type) {
        case AxisType: paintAxis(index, static_cast<const Axis&>(object)); break;
        case AxisLabelsType: paintLabels(index, object); break;
        case LinePlotType: paintPlot(static_cast<const LinePlot&>(object), object.attributes); break;
        case AxisTitleType: paintTitle(index, object); break;
        case DataCursorType: paintCursor(static_cast<const DataCursor&>(object), object.attributes); break;
        case TextType: paintText(index, object); break;
        default:
            if (object.type >= FirstForeignType && env_.foreignObjects.draw) {
                const Scaling scaling = layout_.scalingFor(object);
                painter_.save();
                env_.foreignObjects.draw(painter_, context(index, scaling), object);
                painter_.restore();
            }
            break;
        }
        if (env_.foreignObjects.afterDraw) {
            const Scaling scaling = layout_.scalingFor(object);
            env_.foreignObjects.afterDraw(painter_, context(index, scaling), object);
        }
    }

    DrawContext context(int index, const Scaling& scaling) {
        const QRectF r = layout_.graphRect();
        return DrawContext{env_, graph_.handle, index, scaling, {r.left(), r.top(), r.width(), r.height()}, printing_};
    }

    void clipToPlot() {
        if (graph_.plotAreaFlags & ClipToPlotArea) painter_.setClipRect(layout_.plotRect().adjusted(0, 0, 1, 1), Qt::IntersectClip);
    }

    void paintFrame() {
        if (!(graph_.plotAreaFlags & FramePlotArea)) return;
        painter_.setPen(penFor(graph_.plotFrame));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawRect(layout_.plotRect());
    }

    void paintBorder() {
        if (graph_.borderWidth <= 0) return;
        QPen pen(colourOf(graph_.borderColour));
        pen.setWidthF(graph_.borderWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter_.setPen(pen);
        painter_.setBrush(Qt::NoBrush);
        const double inset = graph_.borderWidth / 2.0;
        painter_.drawRect(layout_.graphRect().adjusted(inset, inset, -inset, -inset));
    }

    void paintGrids() {
        const QRectF plot = layout_.plotRect();
        for (int i = 1; i <= graph_.objects.size(); ++i) {
            const auto* grid = graph_.objects.as<Grid>(i, GridType);
            if (!grid || !grid->visible) continue;
            const AxisLayout* axis = layout_.axis(grid->links[0]);
            if (!axis) continue;
            painter_.setPen(penFor(grid->attributes));
            const auto& positions = grid->kind == 0 ? axis->majors : axis->minors;
            for (double p : positions) {
                if (axis->axis->vertical()) {
                    if (p < plot.top() || p > plot.bottom()) continue;
                    painter_.drawLine(QPointF(plot.left(), p), QPointF(plot.right(), p));
                } else {
                    if (p < plot.left() || p > plot.right()) continue;
                    painter_.drawLine(QPointF(p, plot.top()), QPointF(p, plot.bottom()));
                }
            }
        }
    }

    void paintAxis(int index, const Axis& axis) {
        const AxisLayout* layout = layout_.axis(index);
        if (!layout) return;
        const QRectF plot = layout_.plotRect();
        painter_.setPen(penFor(axis.attributes));
        const double p = layout->position;
        const double major = layout->outward * MajorTickLength;
        const double minor = layout->outward * MinorTickLength;
        if (axis.vertical()) {
            painter_.drawLine(QPointF(p, plot.top()), QPointF(p, plot.bottom()));
            for (double y : layout->majors) painter_.drawLine(QPointF(p, y), QPointF(p + major, y));
            for (double y : layout->minors) painter_.drawLine(QPointF(p, y), QPointF(p + minor, y));
        } else {
            painter_.drawLine(QPointF(plot.left(), p), QPointF(plot.right(), p));
            for (double x : layout->majors) painter_.drawLine(QPointF(x, p), QPointF(x, p + major));
            for (double x : layout->minors) painter_.drawLine(QPointF(x, p), QPointF(x, p + minor));
        }
    }

    void paintLabels(int index, const GraphObject& object) {
        const LabelsLayout* layout = layout_.labels(index);
        if (!layout) return;
        painter_.setFont(layout->font);
        painter_.setPen(colourOf(object.attributes.colour));
        for (const auto& item : layout->items) painter_.drawText(item.rect, Qt::AlignCenter | Qt::TextDontClip, item.text);
    }

    void paintTitle(int index, const GraphObject& object) {
        const TitleLayout* layout = layout_.title(index);
        if (!layout) return;
        painter_.save();
        painter_.setFont(layout->font);
        painter_.setPen(colourOf(object.attributes.colour));
        if (layout->rotated) {
            const QRectF b = layout->bounds;
            painter_.translate(b.center());
            painter_.rotate(-90);
            painter_.drawText(QRectF(-b.height() / 2, -b.width() / 2, b.height(), b.width()), Qt::AlignCenter | Qt::TextDontClip, layout->text);
        } else {
            painter_.drawText(layout->bounds, Qt::AlignCenter | Qt::TextDontClip, layout->text);
        }
        painter_.restore();
    }

    void paintText(int index, const GraphObject& object) {
        const TextLayout* layout = layout_.text(index);
        if (!layout) return;
        painter_.save();
        painter_.setFont(layout->font);
        painter_.setPen(colourOf(object.attributes.colour));
        painter_.setRenderHint(QPainter::TextAntialiasing);
        painter_.translate(layout->anchor);
        painter_.rotate(-layout->angle);
        painter_.drawText(layout->box.translated(-layout->anchor), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, layout->text);
        painter_.restore();
    }

    void paintPlot(const LinePlot& plot, const DrawingAttributes& attributes) {
        const auto* set = graph_.objects.as<DataSet>(plot.dataSet, DataSetType);
        if (!set || set->count < 2 || !set->x || !set->y) return;
        const Scaling scaling = layout_.scalingFor(plot);
        const auto n = static_cast<std::size_t>(set->count);
        const std::vector<double>& xs = *set->x;
        const std::vector<double>& ys = *set->y;
        points_.clear();
        points_.reserve(n);
        painter_.save();
        clipToPlot();
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setPen(penFor(attributes));
        // A point that is not a number breaks the line.
        auto flush = [this] {
            if (points_.size() > 1) painter_.drawPolyline(points_.data(), static_cast<int>(points_.size()));
            points_.clear();
        };
        for (std::size_t i = 0; i < n && i < xs.size() && i < ys.size(); ++i) {
            if (!std::isfinite(xs[i]) || !std::isfinite(ys[i])) {
                flush();
                continue;
            }
            points_.emplace_back(scaling.deviceX(xs[i]), scaling.deviceY(ys[i]));
        }
        flush();
        painter_.restore();
    }

    void paintCursor(const DataCursor& cursor, const DrawingAttributes& attributes) {
        if (!cursor.placed) return;
        const Scaling scaling = layout_.scalingFor(cursor);
        const QRectF plot = layout_.plotRect();
        const double x = std::round(scaling.deviceX(cursor.x));
        if (x < plot.left() || x > plot.right()) return;
        painter_.save();
        clipToPlot();
        painter_.setPen(penFor(attributes));
        painter_.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        // A small flag at the top tells the cursor from a grid line.
        painter_.setRenderHint(QPainter::Antialiasing);
        QPainterPath flag;
        flag.moveTo(x - 4, plot.top());
        flag.lineTo(x + 4, plot.top());
        flag.lineTo(x, plot.top() + 6);
        flag.closeSubpath();
        painter_.fillPath(flag, colourOf(attributes.colour));
        painter_.restore();
    }

    void paintHighlight(int index) {
        const GraphObject* object = graph_.objects.at(index);
        if (!object) return;
        const QColor shade = colourOf(8);
        painter_.save();
        if (object->type == LinePlotType || object->type == DataCursorType) {
            // Draw it again under a wide translucent pen.
            DrawingAttributes wide = object->attributes;
            wide.width = std::max(1, object->attributes.width) + 4;
            painter_.setOpacity(0.35);
            if (object->type == LinePlotType)
                paintPlot(static_cast<const LinePlot&>(*object), wide);
            else
                paintCursor(static_cast<const DataCursor&>(*object), wide);
        } else {
            const QRectF bounds = layout_.boundsOf(index).adjusted(-2, -2, 2, 2);
            if (!bounds.isNull()) {
                QPen pen(shade);
                pen.setStyle(Qt::DashLine);
                painter_.setPen(pen);
                painter_.setBrush(Qt::NoBrush);
                painter_.drawRect(bounds);
                for (const QPointF& corner : {bounds.topLeft(), bounds.topRight(), bounds.bottomLeft(), bounds.bottomRight()})
                    painter_.fillRect(QRectF(corner - QPointF(2, 2), QSizeF(4, 4)), shade);
            }
        }
        painter_.restore();
    }

    Environment& env_;
    Graph& graph_;
    QPainter& painter_;
    GraphLayout layout_;
    bool printing_;
    std::vector<QPointF> points_;
};

}  // namespace

void ObjectInterpreter(Environment& env, int handle, QPainter& painter, const QRectF& target, bool printing) {
    Graph* graph = env.graph(handle);
    if (!graph || !graph->open) {
        painter.fillRect(target, toQColor(PageBackground));
        return;
    }
    GraphPainter(env, *graph, painter, target, printing).paint();
}

bool WGDrawInWindow(Environment& env, int handle, int index, const std::function<QRectF(QPainter&, const DrawContext&)>& draw) {
    Graph* graph = env.graph(handle);
    if (!graph || !graph->open || !draw) return false;
    auto* window = qobject_cast<GraphWidget*>(graph->window.data());
    GraphObject* object = graph->objects.at(index);
    if (!window || !object) return false;
    return window->drawIncrement([&](QPainter& painter) {
        const QRectF r(window->rect());
        const Scaling scaling = GraphLayout::scalingFor(*graph, r, *object);
        const DrawContext context{env, handle, index, scaling, {r.left(), r.top(), r.width(), r.height()}, false};
        painter.setClipRect(r);
        return draw(painter, context);
    });
}

bool WGWindowPictureCurrent(const Environment& env, int handle) {
    const Graph* graph = env.graph(handle);
    const auto* window = graph ? qobject_cast<const GraphWidget*>(graph->window.data()) : nullptr;
    return window && window->pictureCurrent();
}

std::optional<DeviceRect> WGGetGraphRect(const Environment& env, int handle, double pageWidth, double pageHeight) {
    const Graph* graph = env.graph(handle);
    if (!graph) return std::nullopt;
    const double left = std::round(graph->area.left * pageWidth);
    const double top = std::round(graph->area.top * pageHeight);
    return DeviceRect{left, top, std::round(graph->area.right * pageWidth) - left, std::round(graph->area.bottom * pageHeight) - top};
}

int RenderPage(Environment& env, int number, QImage& image) {
    const Page* page = env.page(number);
    if (!page || image.isNull()) return 0;
    QPainter painter(&image);
    painter.fillRect(image.rect(), toQColor(PageBackground));
    for (const auto& graph : page->graphs) {
        if (!graph) continue;
        const DeviceRect r = *WGGetGraphRect(env, graph->handle, image.width(), image.height());
        ObjectInterpreter(env, graph->handle, painter, QRectF(r.left, r.top, r.width, r.height));
    }
    return 1;
}

std::optional<Scaling> WGGetScaling(const Environment& env, int handle, const DeviceRect& graphRect) {
    const Graph* graph = env.graph(handle);
    if (!graph || !graph->open) return std::nullopt;
    const GraphLayout layout(env, *graph, QRectF(graphRect.left, graphRect.top, graphRect.width, graphRect.height));
    return layout.graphScaling();
}

std::optional<Scaling> WGGetScaling(const Environment& env, int handle) {
    const Graph* graph = env.graph(handle);
    if (!graph || !graph->window) return std::nullopt;
    const QRect r = graph->window->rect();
    return WGGetScaling(env, handle, DeviceRect{0.0, 0.0, static_cast<double>(r.width()), static_cast<double>(r.height())});
}

}  // namespace plotbase
