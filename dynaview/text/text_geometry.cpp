#include "dynaview/text/text_geometry.h"

#include <algorithm>

namespace dynaview {

int SelectedMessage(std::uint32_t word, int firstBit, int count) {
    if (firstBit < 0 || count < 1) return -1;
    for (int k = 0; k < count && firstBit + k < 32; ++k)
        if (word & (std::uint32_t{1} << (firstBit + k))) return k;
    return -1;
}

Margins MarginsOf(int style, double lineWidth, double textHeight, int borderWidth, double graphScale) {
    const double w = std::max(1.0, lineWidth);
    switch (style) {
        case 1: return {textHeight / 4.0, textHeight / 8.0};
        case 2: return {textHeight / 2.0, textHeight / 4.0};
        case 3:
        case 4: return {2.0 * w, 2.0 * w};
        case 5: {
            const double m = (std::max(0, borderWidth) + 2) * std::max(1.0, graphScale);
            return {m, m};
        }
        default: return {w + 1.0, w};
    }
}

std::vector<TextCell> TextCells(const Box& box, const Margins& margins, int count, int layout, double textHeight) {
    std::vector<TextCell> cells;
    if (count < 1) return cells;
    const Box inner{box.left + margins.horizontal, box.top + margins.vertical, std::max(0.0, box.width - 2 * margins.horizontal),
                    std::max(0.0, box.height - 2 * margins.vertical)};
    const double toBaseline = 5.0 / 13.0 * textHeight;
    if (layout == 1) {
        const double column = inner.width / count;
        for (int i = 0; i < count; ++i) {
            const Box cell{inner.left + i * column, inner.top, column, inner.height};
            cells.push_back({cell, cell.left + column / 2.0, inner.top + inner.height / 2.0 + toBaseline, true});
        }
        return cells;
    }
    const double row = inner.height / count;
    for (int i = 0; i < count; ++i) {
        const Box cell{inner.left, inner.top + i * row, inner.width, row};
        cells.push_back({cell, inner.right(), cell.top + toBaseline + row / 2.0, false});
    }
    return cells;
}

Box MessageBox(double left, double top, double widestText, double textHeight, bool border, int borderWidth, double lineWidth) {
    Box box{left, top, widestText + textHeight, 4.0 / 3.0 * textHeight};
    if (border) {
        const double grow = std::max(0, borderWidth) * std::max(1.0, lineWidth);
        box.width += 2 * grow;
        box.height += 2 * grow;
    }
    return box;
}

Box MessageInside(const Box& box, bool border, int borderWidth, double lineWidth) {
    if (!border) return box;
    const double in = (std::max(0, borderWidth) + 1) * std::max(1.0, lineWidth);
    return {box.left + in, box.top + in, std::max(0.0, box.width - 2 * in), std::max(0.0, box.height - 2 * in)};
}

double MessageBaseline(const Box& box, double textHeight, double lineWidth) {
    return box.top + box.height / 2.0 + 5.0 / 13.0 * textHeight - std::max(1.0, lineWidth);
}

}  // namespace dynaview
