// Finding the object under the pointer, selecting and highlighting objects.

#include "plotbase/graph_access.h"
#include "plotbase/graph_layout.h"
#include "plotbase/operations_window.h"

#include <QLineF>

#include <cmath>

namespace plotbase {

using namespace detail;

namespace {

constexpr double PickTolerance = 3.0;

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    double t = lengthSquared > 0.0 ? QPointF::dotProduct(p - a, ab) / lengthSquared : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return QLineF(p, a + t * ab).length();
}

bool plotUnder(const GraphLayout& layout, const Graph& graph, const LinePlot& plot, QPointF p) {
    const auto* set = graph.objects.as<DataSet>(plot.dataSet, DataSetType);
    if (!set || set->count < 2 || !set->x || !set->y) return false;
    if (!layout.plotRect().adjusted(-PickTolerance, -PickTolerance, PickTolerance, PickTolerance).contains(p)) return false;
    const Scaling scaling = layout.scalingFor(plot);
    const double tolerance = PickTolerance + plot.attributes.width / 2.0;
    bool havePrevious = false;
    QPointF previous;
    const auto n = std::min({static_cast<std::size_t>(set->count), set->x->size(), set->y->size()});
    for (std::size_t i = 0; i < n; ++i) {
        const double x = (*set->x)[i];
        const double y = (*set->y)[i];
        if (!std::isfinite(x) || !std::isfinite(y)) {
            havePrevious = false;
            continue;
        }
        const QPointF point(scaling.deviceX(x), scaling.deviceY(y));
        if (havePrevious && distanceToSegment(p, previous, point) <= tolerance) return true;
        previous = point;
        havePrevious = true;
    }
    return false;
}

bool cursorUnder(const GraphLayout& layout, const DataCursor& cursor, QPointF p) {
    if (!cursor.placed) return false;
    const double x = std::round(layout.scalingFor(cursor).deviceX(cursor.x));
    const QRectF plot = layout.plotRect();
    return x >= plot.left() && x <= plot.right() && std::fabs(p.x() - x) <= PickTolerance && p.y() >= plot.top() - 1 &&
           p.y() <= plot.bottom() + 1;
}

bool editable(const GraphObject& object) {
    switch (object.type) {
    case AxisType:
    case AxisLabelsType:
    case GridType:
    case LinePlotType:
    case AxisTitleType:
        return true;
    case DataCursorType:
        return static_cast<const DataCursor&>(object).placed;
    case TextType:
        return !static_cast<const TextObject&>(object).text.empty();
    default:
        return false;
    }
}

// The topmost object at p: a library's own objects, then texts and titles, labels, data
// cursors, plots and axes, the later drawn before the earlier within each kind, and last a
// library's thin objects.
int findObjectAt(Environment& env, const Graph& graph, const GraphLayout& layout, QPointF p) {
    const int last = graph.objects.size();
    auto foreign = [&](const auto& hitTest) {
        if (!hitTest) return 0;
        const QRectF r = layout.graphRect();
        for (int i = last; i >= 1; --i) {
            const GraphObject* object = graph.objects.at(i);
            if (!object || !object->visible || object->type < FirstForeignType) continue;
            const Scaling scaling = layout.scalingFor(*object);
            const DrawContext context{env, graph.handle, i, scaling, {r.left(), r.top(), r.width(), r.height()}, false};
            if (hitTest(context, *object, p.x(), p.y())) return i;
        }
        return 0;
    };
    if (int found = foreign(env.foreignObjects.hitTest)) return found;
    auto search = [&](auto&& test) {
        for (int i = last; i >= 1; --i) {
            const GraphObject* object = graph.objects.at(i);
            if (object && object->visible && test(i, *object)) return i;
        }
        return 0;
    };
    auto boxed = [&](std::int16_t type) {
        return search([&](int i, const GraphObject& o) {
            return o.type == type && layout.boundsOf(i).adjusted(-1, -1, 1, 1).contains(p);
        });
    };
    if (int found = boxed(TextType)) return found;
    if (int found = boxed(AxisTitleType)) return found;
    if (int found = boxed(AxisLabelsType)) return found;
    if (int found = search([&](int, const GraphObject& o) {
            return o.type == DataCursorType && cursorUnder(layout, static_cast<const DataCursor&>(o), p);
        }))
        return found;
    if (int found = search([&](int, const GraphObject& o) {
            return o.type == LinePlotType && plotUnder(layout, graph, static_cast<const LinePlot&>(o), p);
        }))
        return found;
    if (int found = boxed(AxisType)) return found;
    return foreign(env.foreignObjects.lateHitTest);
}

}  // namespace

int ObjFind(Environment& env, int handle) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    QRectF rect(0, 0, 0, 0);
    if (graph->window) rect = QRectF(graph->window->rect());
    const GraphLayout layout(env, *graph, rect);
    graph->selected = findObjectAt(env, *graph, layout, QPointF(graph->pointerX, graph->pointerY));
    return graph->selected;
}

int HighlightObj(Environment& env, int handle, int object) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (object != 0 && !graph->objects.at(object)) {
        ReportError(env, NoSuchObject, MessageOnly);
        return 0;
    }
    graph->highlighted = object;
    repaint(*graph);
    return 1;
}

int WGGetSelObject(const Environment& env, int handle) {
    const Graph* graph = env.graph(handle);
    return graph && graph->open ? graph->selected : 0;
}

int WGSelectObject(Environment& env, int handle, int object) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    if (object != 0 && !graph->objects.at(object)) {
        ReportError(env, NoSuchObject, MessageOnly);
        return 0;
    }
    graph->selected = object;
    return 1;
}

int WGSelectNextObject(Environment& env, int handle) {
    Graph* graph = openGraph(env, handle);
    if (!graph) return 0;
    const int size = graph->objects.size();
    for (int step = 1; step <= size; ++step) {
        const int index = (graph->selected + step - 1) % size + 1;
        const GraphObject* object = graph->objects.at(index);
        if (object && object->visible && editable(*object)) {
            graph->selected = index;
            return index;
        }
    }
    graph->selected = 0;
    return 0;
}

}  // namespace plotbase
