#pragma once
// Dynamic text (type 107, subtype 1): the current value of one channel, or of every channel
// one per row (or column), formatted with a precision, redrawn only where a value changed.
// The fields are the object's definition as its creator took it (page files read them).

#include "dynaview/frame/dyn_object.h"
#include "dynaview/frame/type_sizes.h"
#include "dynaview/text/text_geometry.h"

#include <QRectF>

#include <array>
#include <vector>

namespace dynaview {

class DynamicText final : public DynObject {
public:
    DynamicText() : DynObject(TextType, DynamicTextSubtype) {}

    int channel = 0;  // negative: every channel, one row each
    // Percent of the graph; a width or height of 0 is sized from the text.
    double left = 0.0, top = 0.0, width = 0.0, height = 0.0;
    int borderPattern = 0;  // -1: no border
    int borderWidth = 1;
    int background = -1;    // negative: transparent
    int layout = 0;         // 0 rows, 1 columns
    int textSize = 0;       // the creation argument between layout and precision: 0 the graph's
    int precision = 2;
    int colourSource = 0;   // object index in the same graph giving the colours; 0 none
    int marginStyle = 0;    // 0..5
    std::array<int, 32> colours{};  // per shown row (used without a colour source)
    int colourCount = 1;            // how many of them were given: one per shown row

    // The rows shown for the bound data set, and the data-set channel of a row.
    int rows(const DynDataSet* set) const;
    int channelOfRow(int row) const { return channel < 0 ? row : channel; }
    // The row showing a data-set channel, or -1.
    int rowOfChannel(const DynDataSet* set, int dataSetChannel) const;
    bool hasBorder() const { return borderPattern >= 0 && borderWidth > 0; }
    QRectF box(const plotbase::DrawContext& context, const DynDataSet* set) const;
    // The colour a row is written in: the colour source's for its channel, else its own.
    int colourOfRow(plotbase::Environment& env, int graph, int row) const;
    // The next update redraws every row.
    void redrawAll() { drawn_.clear(); }

    bool hasUpdateProcedure() const override { return true; }
    DataUpdate dataUpdate() const override { return DataUpdate::Once; }
    void update(const ObjectPlace& place) override;
    void paint(QPainter& painter, const plotbase::DrawContext& context) override;
    bool hitTest(const plotbase::DrawContext& context, double x, double y) const override;
    bool rebindable() const override { return true; }
    void rebound(const ObjectPlace& place) override;

private:
    plotbase::TextParams textParams() const;
    // Draws the rows marked in `which` (all when empty); returns the rectangle covered.
    QRectF drawRows(QPainter& painter, const plotbase::DrawContext& context, const DynDataSet& set, const std::vector<bool>& which);
    std::vector<float> drawn_;  // the values as last drawn; empty: a full redraw pending
};

}  // namespace dynaview
