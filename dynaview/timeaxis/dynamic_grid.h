#pragma once
// The dynamic grid (type 102): an axis's grid lines drawn again on the update timer, so that
// they stay visible over traces that scroll across them. It holds two grids, the first at
// the axis's major ticks and the second at its minor ticks, each with its own line.

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/type_sizes.h"

#include <QLineF>

#include <array>
#include <vector>

namespace dynaview {

class DynamicGrid final : public DynObject {
public:
    struct Line {
        bool present = false;
        int pattern = 0;  // plotbase line pattern
        int width = 1;
        int colour = 0;
    };

    DynamicGrid() : DynObject(DynamicGridType, 0) {}

    std::array<Line, 2> grids;  // 0: at the major ticks, 1: at the minor ticks
    int refreshPeriod = 0;      // seconds; 0: drawn with the graph only

    int axis() const { return links[0]; }
    // The device lines of grid `which` across the plot area.
    std::vector<QLineF> lines(const plotbase::DrawContext& context, int which) const;

    bool hasUpdateProcedure() const override { return true; }
    void update(const ObjectPlace& place) override;  // the timer's redraw, over what lies there
    void paint(QPainter& painter, const plotbase::DrawContext& context) override;
    bool hitTest(const plotbase::DrawContext& context, double x, double y) const override;
    bool thin() const override { return true; }
    bool timerRefreshed() const override { return true; }

private:
    void draw(QPainter& painter, const plotbase::DrawContext& context) const;
};

}  // namespace dynaview
