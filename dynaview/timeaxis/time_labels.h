#pragma once
// The time-labels object (type 105, subtype 10): a label at each major tick of its axis,
// a number or a clock time from a running start that the scrolling graphs it is attached
// to move on with every jump of their window.

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/timeaxis/time_label_text.h"

#include <QRectF>
#include <QString>

#include <vector>

namespace plotbase::detail {
struct AxisLayout;
}

namespace dynaview {

// A horizontal plotbase axis made into a time axis. plotbase draws every axis of a subtype
// from 10 up as a horizontal one, so a vertical time axis keeps plotbase's vertical subtype
// and is known as a time axis by its unit alone (time_axis_state.h).
constexpr std::int16_t TimeAxisSubtype = 10;
constexpr std::int16_t TimeLabelsSubtype = 10;

class TimeLabels final : public DynObject {
public:
    TimeLabels() : DynObject(TimeLabelsType, TimeLabelsSubtype) {}

    struct Item {
        QString text;
        QRectF rect;  // device box of the text
    };

    bool vertical = false;  // copied from the axis
    int position = 0;       // a resolved position code (never 3)
    TimeLabelSettings settings;
    double widest = 0.0;  // the widest label drawn so far, pixels
    QRectF bounds;        // the labels as last laid out, for picking

    int axis() const { return links[0]; }
    // Where each label goes, from the axis's ticks as plotbase lays them out now (with other
    // settings: where they went before a change).
    std::vector<Item> layout(const plotbase::DrawContext& context) const { return layout(context, settings); }
    std::vector<Item> layout(const plotbase::DrawContext& context, const TimeLabelSettings& with) const;

    void paint(QPainter& painter, const plotbase::DrawContext& context) override;
    bool hitTest(const plotbase::DrawContext& context, double x, double y) const override;
    void rescaled(const ObjectPlace& place) override;

    // Shows the labels again after their start or format changed from `before`: straight
    // into the graph window when the old and new labels lie outside the plot area (only
    // their boxes change), else through a repaint of the graph. A request made while labels
    // are being drawn is left to such a repaint.
    void redraw(const ObjectPlace& place, const TimeLabelSettings& before);

private:
    void drawItems(QPainter& painter, const std::vector<Item>& items);
};

// The labels object at the index, or null; reports error 30 with " - <operation>" for a
// missing object or one of another type.
TimeLabels* TimeLabelsOrReport(plotbase::Environment& env, int graph, int index, const char* operation);

}  // namespace dynaview
