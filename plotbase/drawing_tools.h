#pragma once
// Qt pens, colours and fonts for plotbase's drawing attributes.

#include "plotbase/graph_objects.h"
#include "plotbase/palette.h"

#include <QColor>
#include <QFont>
#include <QPen>

namespace plotbase::detail {

inline QColor toQColor(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }
inline QColor colourOf(int index) { return toQColor(paletteColour(index)); }

QFont fontFor(const TextParams& params);
// A pen of the attributes' pattern, width (at least one pixel) and colour; nothing for the
// "no line" pattern.
QPen penFor(const DrawingAttributes& attributes);

}  // namespace plotbase::detail
