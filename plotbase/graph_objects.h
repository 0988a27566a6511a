#pragma once
// The objects a graph holds in its object table. Every object starts with the same header
// (type code, subtype, links to the objects that give it its scale, the drawing attributes
// it was created with); plotbase's own types are below 100, and a library built on plotbase
// adds its own types from 100 up by deriving from GraphObject.

#include "plotbase/data_block.h"

#include <array>
#include <cstdint>
#include <string>

namespace plotbase {

enum ObjectType : std::int16_t {
    DataSetType = 1,
    AxisType = 2,
    AxisLabelsType = 3,
    GridType = 4,
    LinePlotType = 5,
    AxisTitleType = 6,
    DataCursorType = 7,
    TextType = 8,
};
// Type codes from here up belong to libraries built on plotbase.
constexpr std::int16_t FirstForeignType = 100;

// Axis subtypes. Libraries may add their own kinds of axis (a time axis, say) from 10 up;
// plotbase draws those as horizontal axes.
constexpr std::int16_t HorizontalAxis = 0;
constexpr std::int16_t VerticalAxis = 1;

// Line patterns.
enum LinePattern : std::int32_t { SolidLine = 0, DashLine = 1, DotLine = 2, DashDotLine = 3, DashDotDotLine = 4, NoLine = 5 };

// Text families (the second text parameter).
enum TextFamily : std::int32_t { DefaultFamily = 0, SerifFamily = 16, SansFamily = 32, FixedFamily = 48 };
// Text style flags.
enum TextStyle : std::int32_t { BoldText = 1, ItalicText = 2, UnderlinedText = 4 };
// Text alignment: a horizontal and a vertical choice added together; the reference point
// of the text is the given position.
enum TextAlign : std::int32_t {
    AlignLeft = 0, AlignRight = 2, AlignCentre = 6,
    AlignTop = 0, AlignBottom = 8, AlignBaseline = 24,
};

// Text parameters: orientation in tenths of a degree (counter-clockwise), family, size
// (size n is n + 4 pixels high at screen scale) and style flags.
struct TextParams {
    std::int32_t angle = 0;
    std::int32_t family = SansFamily;
    std::int32_t size = 4;
    std::int32_t style = 0;
};

constexpr double textPixelHeight(std::int32_t size) { return size < 1 ? 5.0 : static_cast<double>(size) + 4.0; }

// The graph's current drawing attributes, copied into each object when it is created.
struct DrawingAttributes {
    std::int32_t pattern = SolidLine;
    std::int32_t width = 1;
    std::int32_t colour = 0;
    TextParams text;
};

class GraphObject {
public:
    virtual ~GraphObject() = default;
    GraphObject(const GraphObject&) = delete;
    GraphObject& operator=(const GraphObject&) = delete;

    std::int16_t type;
    std::int16_t subtype;
    // Objects of the same graph (1-based indices) that give this object its scale, 0 = none:
    // an axis for labels, grids and titles; the x and y axes for plots and cursors.
    std::array<std::uint16_t, 2> links{0, 0};
    DrawingAttributes attributes;
    int page = 0;  // the page the object's graph lies on
    bool visible = true;

protected:
    GraphObject(std::int16_t objectType, std::int16_t objectSubtype) : type(objectType), subtype(objectSubtype) {}
};

struct DataSet final : GraphObject {
    DataSet() : GraphObject(DataSetType, 0) {}
    std::string name;
    DoubleBlock x;
    DoubleBlock y;
    int count = 0;
};

struct Axis final : GraphObject {
    explicit Axis(std::int16_t orientation) : GraphObject(AxisType, orientation) {}
    bool vertical() const { return subtype == VerticalAxis; }
    double min = 0.0;
    double max = 1.0;
    // Where the axis crosses its partner, in the partner's world units.
    double intercept = 0.0;
    double tickSpacing = 1.0;
    int tickCount = 0;  // minor ticks between two major ones
    // 0: ticks and labels below a horizontal axis, right of a vertical one; 1: above, left.
    int side = 0;
};

struct AxisLabels final : GraphObject {
    AxisLabels() : GraphObject(AxisLabelsType, 0) {}
    int decimals = -1;  // -1: as many as the tick spacing needs
};

struct Grid final : GraphObject {
    Grid() : GraphObject(GridType, 0) {}
    int kind = 0;  // 0: a line at every major tick; 1: at every minor tick
};

struct LinePlot final : GraphObject {
    LinePlot() : GraphObject(LinePlotType, 0) {}
    int dataSet = 0;
};

struct AxisTitle final : GraphObject {
    AxisTitle() : GraphObject(AxisTitleType, 0) {}
    std::string text;
    int side = 0;
};

struct DataCursor final : GraphObject {
    DataCursor() : GraphObject(DataCursorType, 0) {}
    double x = 0.0;
    double y = 0.0;
    bool placed = false;  // not drawn until first moved
};

struct TextObject final : GraphObject {
    TextObject() : GraphObject(TextType, 0) {}
    std::string text;
    double x = 0.0;  // normalised in the graph, 0 left .. 1 right
    double y = 0.0;  // normalised in the graph, 0 top .. 1 bottom
    int align = AlignLeft + AlignBaseline;
    int flags = 0;
};

}  // namespace plotbase
