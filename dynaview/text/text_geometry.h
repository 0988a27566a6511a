#pragma once
// The arithmetic of the text objects, free of widgets: which message a binary word selects,
// the margins of a margin style, and where each row or column of a dynamic text sits.

#include <cstdint>
#include <vector>

namespace dynaview {

constexpr int MaxMessages = 8;
constexpr int MessageTextLength = 41;  // characters kept of a message (42-byte entries)
constexpr int MaxMarginStyle = 5;

// The message a binary word selects: the position, counted from firstBit, of the lowest bit
// set among bits firstBit .. firstBit + count - 1; -1 when none of them is set.
int SelectedMessage(std::uint32_t word, int firstBit, int count);

struct Margins {
    double horizontal = 0.0;
    double vertical = 0.0;
};

// The margins a style gives: 0 from the line width, 1 and 2 from the text height, 3 and 4
// two line widths each way, 5 the border width plus 2 scaled to the graph (graphScale = the
// graph's width over 640 device units, never below 1).
Margins MarginsOf(int style, double lineWidth, double textHeight, int borderWidth, double graphScale);

struct Box {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

// Where one value of a dynamic text is written: its cell (filled with the background) and
// the text's reference point on the baseline, aligned right (rows) or centred (columns).
struct TextCell {
    Box cell;
    double x = 0.0;
    double baseline = 0.0;
    bool centred = false;
};

// The cells of `count` values inside `box` shrunk by the margins. Layout 0: one row each,
// right-aligned, the baseline at the row's top + 5/13 of the text height + half a row.
// Layout 1: side by side in equal columns, centred on the vertical middle (one value alone
// is centred in the box).
std::vector<TextCell> TextCells(const Box& box, const Margins& margins, int count, int layout, double textHeight);

// The rectangle of a message object: top-left at (left, top), width the widest text plus a
// margin of one text height, height 4/3 of the text height, both grown by the border width
// in line widths on each side when there is a border.
Box MessageBox(double left, double top, double widestText, double textHeight, bool border, int borderWidth, double lineWidth);
// Its inside: shrunk by (border width + 1) line widths when there is a border.
Box MessageInside(const Box& box, bool border, int borderWidth, double lineWidth);
// The baseline of a message: the box's vertical centre plus 5/13 of the text height, less
// one line width.
double MessageBaseline(const Box& box, double textHeight, double lineWidth);

}  // namespace dynaview
