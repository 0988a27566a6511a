#pragma once
// Where everything of a graph lies on a device: the plot area, each axis line with its
// ticks, each label, title and text. The painter draws from it and the picker searches it,
// so what is found under the pointer is what was drawn there.

#include "plotbase/environment.h"
#include "plotbase/scaling.h"

#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

namespace plotbase::detail {

constexpr double MajorTickLength = 5.0;
constexpr double MinorTickLength = 3.0;

struct AxisLayout {
    int index = 0;
    const Axis* axis = nullptr;
    double position = 0.0;   // device y of a horizontal axis line, device x of a vertical one
    double outward = 1.0;    // +1: ticks go down (horizontal) or right (vertical); -1: up or left
    std::vector<double> majors;  // device coordinates along the axis
    std::vector<double> minors;
    std::vector<double> majorValues;
    QRectF band;  // the line with its ticks, for picking and highlighting
};

struct TextItem {
    QString text;
    QRectF rect;  // unrotated box of the text
};

struct LabelsLayout {
    int index = 0;
    QFont font;
    std::vector<TextItem> items;
    QRectF bounds;
};

struct TitleLayout {
    int index = 0;
    QFont font;
    QString text;
    bool rotated = false;  // read bottom to top
    QRectF bounds;         // on the device
};

struct TextLayout {
    int index = 0;
    QFont font;
    QString text;
    QPointF anchor;
    QRectF box;        // unrotated, relative to the device
    double angle = 0;  // degrees counter-clockwise about the anchor
    QRectF bounds;     // on the device
};

class GraphLayout {
public:
    GraphLayout(const Environment& env, const Graph& graph, const QRectF& graphRect);

    const Graph& graph() const { return graph_; }
    QRectF graphRect() const { return graphRect_; }
    QRectF plotRect() const { return plotRect_; }
    DeviceRect plotDeviceRect() const;

    // The scaling an object draws with: the ranges of the axes it is linked to, the plot
    // area's scale where it has none.
    Scaling scalingFor(const GraphObject& object) const;
    Scaling graphScaling() const;
    // The same without laying out the rest of the graph (for drawing one object).
    static QRectF plotRectOf(const Graph& graph, const QRectF& graphRect);
    static Scaling scalingFor(const Graph& graph, const QRectF& graphRect, const GraphObject& object);

    const AxisLayout* axis(int index) const;
    const LabelsLayout* labels(int index) const;
    const TitleLayout* title(int index) const;
    const TextLayout* text(int index) const;
    // The device box of an object that has one (axes, labels, titles, texts), else empty.
    QRectF boundsOf(int index) const;

private:
    void layAxis(int index, const Axis& axis);
    void layLabels(const Environment& env, int index, const AxisLabels& labels);
    void layTitle(int index, const AxisTitle& title);
    void layText(int index, const TextObject& text);

    const Graph& graph_;
    QRectF graphRect_;
    QRectF plotRect_;
    std::vector<AxisLayout> axes_;
    std::vector<LabelsLayout> labels_;
    std::vector<TitleLayout> titles_;
    std::vector<TextLayout> texts_;
};

}  // namespace plotbase::detail
