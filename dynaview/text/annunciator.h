#pragma once
// The annunciator (type 109): a panel with a title and, per channel, a row of four items:
// the channel's tag, its value (dynamic text), the data set's units and its alarm text.
// The items are ordinary objects of the graph, made with the panel and named by it
// (WRGetAnnTitle, WRGetAnnTag ...); the panel draws the background and border they sit on.
//
// Geometry: the panel's rectangle (percent of the graph) less margins of 0.01 of the graph's
// width and 0.02 of its height; a title row and one row per channel share the height
// equally; the columns take 30 % (tag), 22 % (value), 16 % (units) and 32 % (alarm) of
// the width, each cell shrunk to 0.98 of its size about its centre. A panel without title
// or alarm column (WRSetAutoText) leaves those out and shares the width among the others.

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/type_sizes.h"

#include <QRectF>

#include <array>
#include <vector>

namespace dynaview {

constexpr std::int16_t AnnunciatorSubtype = 1;

class Annunciator final : public DynObject {
public:
    Annunciator() : DynObject(AnnunciatorType, AnnunciatorSubtype) {}

    struct Row {
        int channel = 0;
        int tag = 0, value = 0, units = 0, alarm = 0;  // object indices, 0: none
    };

    double left = 0.0, top = 0.0, width = 0.0, height = 0.0;  // percent of the graph
    int background = 3;
    int title = 0;  // object index of the title, 0: none
    std::vector<Row> items;

    // The row of a data-set channel, or null.
    const Row* rowOf(int channel) const;
    QRectF box(const plotbase::DrawContext& context) const;

    void paint(QPainter& painter, const plotbase::DrawContext& context) override;
    bool hitTest(const plotbase::DrawContext& context, double x, double y) const override;
};

// Where the items of a panel go, in percent of the graph.
struct PanelLayout {
    struct Cell {
        double left = 0.0, top = 0.0, width = 0.0, height = 0.0;
    };
    Cell title;
    std::vector<std::array<Cell, 4>> rows;  // tag, value, units, alarm
};
PanelLayout LayOutPanel(double left, double top, double width, double height, int rows, bool withTitle, bool withAlarm);

}  // namespace dynaview
