#include "dynaview/frame/object_handlers.h"

#include "dynaview/frame/dyn_errors.h"
#include "dynaview/frame/error_texts.h"
#include "dynaview/frame/families.h"
#include "dynaview/frame/object_access.h"
#include "plotbase/operations_change.h"

#include <QPainter>

#include <cmath>

namespace dynaview {

namespace {

const DynObject* dynamic(const plotbase::GraphObject& object) {
    return object.type >= plotbase::FirstForeignType ? dynamic_cast<const DynObject*>(&object) : nullptr;
}

DynObject* dynamic(plotbase::GraphObject& object) {
    return object.type >= plotbase::FirstForeignType ? dynamic_cast<DynObject*>(&object) : nullptr;
}

}  // namespace

void InstallObjectHandlers(plotbase::Environment& env) {
    auto& handlers = env.foreignObjects;
    handlers.draw = [](QPainter& painter, const plotbase::DrawContext& context, plotbase::GraphObject& object) {
        if (DynObject* d = dynamic(object)) d->paint(painter, context);
    };
    handlers.afterDraw = [](QPainter& painter, const plotbase::DrawContext& context, plotbase::GraphObject& object) {
        if (DynObject* d = dynamic(object)) {
            painter.save();
            d->paintAfter(painter, context);
            painter.restore();
        }
    };
    handlers.hitTest = [](const plotbase::DrawContext& context, const plotbase::GraphObject& object, double x, double y) {
        const DynObject* d = dynamic(object);
        return d && !d->thin() && d->hitTest(context, x, y);
    };
    handlers.lateHitTest = [](const plotbase::DrawContext& context, const plotbase::GraphObject& object, double x, double y) {
        const DynObject* d = dynamic(object);
        return d && d->thin() && d->hitTest(context, x, y);
    };
    env.rescaleHook = [](plotbase::Environment& e, int graph, int axis) { RescaleObjects(e, graph, axis, 0); };
    for (const Family& family : Families::instance().all())
        if (family.install) family.install(env);
}

int RescaleObjects(plotbase::Environment& env, int graph, int axisIndex, int object) {
    plotbase::Graph* g = GraphIfOpen(env, graph);
    if (!g) return 0;
    const auto* axis = g->objects.as<plotbase::Axis>(axisIndex, plotbase::AxisType);
    if (!axis) return 0;
    const plotbase::WorldRange range{axis->min, axis->max};
    bool done = false;
    for (int i = 1; i <= g->objects.size(); ++i) {
        if (object != 0 && i != object) continue;
        auto* d = dynamic_cast<DynObject*>(g->objects.at(i));
        if (!d || (d->links[0] != axisIndex && d->links[1] != axisIndex)) continue;
        plotbase::WorldRange& kept = axis->vertical() ? d->yRange : d->xRange;
        if (!d->acceptsRange(std::fabs(range.max - range.min))) {
            // Back to the scale the object has; the change of range does not call the hook again.
            const plotbase::WorldRange old = kept;
            plotbase::WGChangeAxisRange(env, graph, axisIndex, old.min, old.max);
            ReportDynError(env, RangeTooLarge);
            return 0;
        }
        kept = range;
        d->rescaled(ObjectPlace{env, graph, i});
        done = true;
    }
    return done ? 1 : 0;
}

}  // namespace dynaview
