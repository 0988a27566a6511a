#pragma once
// The three objects that show a data set's alarms: alarm lines across the plot (type
// 100), alarm marks beside an axis (type 101) and the alarm text box (type 107, subtype 6);
// and their refresh after a limit, the setpoint or the Normal message changed.

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/type_sizes.h"

#include <QLineF>
#include <QPolygonF>
#include <QRectF>

#include <array>
#include <optional>
#include <string>

namespace plotbase {
struct Graph;
}

namespace dynaview {

class DynDataSet;

constexpr int AlarmLineCount = 5;  // 0 setpoint, 1 High, 2 Low, 3 High-high, 4 Low-low
using LineInts = std::array<int, AlarmLineCount>;

// The value a line or mark stands for: the setpoint, or the limit of its kind when the
// kind is defined.
std::optional<double> AlarmLineValue(const DynDataSet& set, int line);

// Lines and marks share their numbering and the rule that a line is shown when its enable
// entry says so and (but for the setpoint) its kind is defined.
class AlarmLineSet : public DynObject {
public:
    LineInts enables{1, 1, 1, 0, 0};
    LineInts colours{2, 4, 1, 12, 9};

    bool lineOn(const DynDataSet* set, int line) const;
    bool rebindable() const override { return true; }
    bool showsAlarms() const override { return true; }
    void alarmsChanged(const ObjectPlace& place) override;
    void rebound(const ObjectPlace& place) override { alarmsChanged(place); }
    void rescaled(const ObjectPlace& place) override { alarmsChanged(place); }

protected:
    AlarmLineSet(std::int16_t type) : DynObject(type, 0) {}
    const DynDataSet* shownSet(const plotbase::DrawContext& context) const;
};

class AlarmLines final : public AlarmLineSet {
public:
    AlarmLines() : AlarmLineSet(AlarmLinesType) {}

    int direction = 1;  // 1: horizontal lines (values are heights); else vertical
    int refreshPeriod = 0;
    LineInts patterns{};
    LineInts widths{1, 1, 1, 1, 1};

    bool hasUpdateProcedure() const override { return true; }
    void update(const ObjectPlace& place) override;  // the timer's refresh
    void paint(QPainter& painter, const plotbase::DrawContext& context) override;
    bool hitTest(const plotbase::DrawContext& context, double x, double y) const override;
    bool thin() const override { return true; }
    bool timerRefreshed() const override { return true; }
    // Where line `line` runs on the device (empty when it is off or outside the plot).
    std::optional<QLineF> lineOnDevice(const plotbase::DrawContext& context, int line) const;
};

class AlarmMarks final : public AlarmLineSet {
public:
    static constexpr std::size_t NameLength = 11;
    AlarmMarks() : AlarmLineSet(AlarmMarksType) {}

    int position = 0;  // 0: on the plot's side of the axis; 1: on the other side
    int markSize = 8;  // points
    int lineWidth = 1;
    std::array<std::string, AlarmLineCount> names{"S", "H", "L", "HH", "LL"};

    int axis() const { return links[0]; }
    void paintAfter(QPainter& painter, const plotbase::DrawContext& context) override;
    bool hitTest(const plotbase::DrawContext& context, double x, double y) const override;
    // The outline of mark `mark` (its triangle and name) on the device, when it is shown.
    std::optional<QRectF> markBounds(const plotbase::DrawContext& context, int mark) const;

private:
    struct Geometry {
        QPolygonF triangle;
        QPointF textAnchor;  // the name's reference point
        int textAlign = 0;   // Qt alignment flags
    };
    std::optional<Geometry> geometry(const plotbase::DrawContext& context, const DynDataSet& set, int mark) const;
};

class AlarmText final : public DynObject {
public:
    static constexpr int ColourCount = 8;  // High, Low, High-high, Low-low, Rate, Deviation, Fail, Normal
    AlarmText() : DynObject(TextType, AlarmTextSubtype) {}

    int channel = 0;
    double left = 0.0, top = 0.0, width = 20.0, height = 10.0;  // percent of the graph
    int borderPattern = 0;  // -1: no border
    int borderWidth = 1;
    int background = 7;  // colour number; negative: transparent
    int layout = 0;      // 0 centred, 1 left, 2 right
    std::array<int, ColourCount> colours{4, 14, 12, 5, 15, 6, 8, 2};
    int textStyle = 0;
    int textSize = 0;  // 0: the graph's

    // What the box shows for the data set now: the kind and its text.
    int shownKind(const DynDataSet* set) const;
    std::string shownText(const DynDataSet* set) const;
    int colourOf(int kind) const { return colours[static_cast<std::size_t>(kind == 0 ? 7 : kind - 1)]; }
    QRectF box(const plotbase::DrawContext& context) const;

    bool hasUpdateProcedure() const override { return true; }
    DataUpdate dataUpdate() const override { return DataUpdate::Once; }
    void update(const ObjectPlace& place) override;
    void paint(QPainter& painter, const plotbase::DrawContext& context) override;
    bool hitTest(const plotbase::DrawContext& context, double x, double y) const override;
    bool rebindable() const override { return true; }
    void rebound(const ObjectPlace& place) override { alarmsChanged(place); }
    bool showsAlarms() const override { return true; }
    void alarmsChanged(const ObjectPlace& place) override;

private:
    // Draws the box; returns the rectangle it covered.
    QRectF draw(QPainter& painter, const plotbase::DrawContext& context, const DynDataSet* set);
    int drawnKind_ = -1;
    std::string drawnText_;
};

// Every alarm display bound to the data set follows its changed definition.
void RefreshAlarmDisplays(plotbase::Environment& env, int dataSet);

}  // namespace dynaview
