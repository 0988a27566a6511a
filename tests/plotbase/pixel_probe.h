#pragma once
// Finding a drawn line in an image: the weighted centre of the pixels that carry the line's
// colour, along one column or one row. Lines are antialiased, so the weight of a pixel is
// how far it has moved from the background towards the line colour; faint pixels (and
// pale grid lines) are left out.

#include <QColor>
#include <QImage>

#include <algorithm>
#include <optional>

namespace plotbase::testing {

// How much of `line` a pixel over a white background carries, 0..1.
inline double coverage(QColor pixel, QColor line) {
    const double dr = 255.0 - line.red(), dg = 255.0 - line.green(), db = 255.0 - line.blue();
    const double pr = 255.0 - pixel.red(), pg = 255.0 - pixel.green(), pb = 255.0 - pixel.blue();
    const double norm = dr * dr + dg * dg + db * db;
    if (norm == 0.0) return 0.0;
    const double along = (pr * dr + pg * dg + pb * db) / norm;
    // Reject pixels of a different hue: what is left over after the line's part.
    const double er = pr - along * dr, eg = pg - along * dg, eb = pb - along * db;
    if (er * er + eg * eg + eb * eb > 0.08 * norm) return 0.0;
    return std::clamp(along, 0.0, 1.0);
}

// The centre (pixel centres at +0.5) of the line's pixels in column x between rows from and to.
inline std::optional<double> lineCentreInColumn(const QImage& image, int x, QColor line, int from, int to) {
    double weight = 0.0, sum = 0.0;
    for (int y = std::max(0, from); y <= std::min(image.height() - 1, to); ++y) {
        const double w = coverage(image.pixelColor(x, y), line);
        if (w < 0.4) continue;
        weight += w;
        sum += w * (y + 0.5);
    }
    if (weight < 0.5) return std::nullopt;
    return sum / weight;
}

inline std::optional<double> lineCentreInRow(const QImage& image, int y, QColor line, int from, int to) {
    double weight = 0.0, sum = 0.0;
    for (int x = std::max(0, from); x <= std::min(image.width() - 1, to); ++x) {
        const double w = coverage(image.pixelColor(x, y), line);
        if (w < 0.4) continue;
        weight += w;
        sum += w * (x + 0.5);
    }
    if (weight < 0.5) return std::nullopt;
    return sum / weight;
}

inline int pixelsOfColour(const QImage& image, const QRect& area, QColor line) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (coverage(image.pixelColor(x, y), line) >= 0.4) ++count;
    return count;
}

}  // namespace plotbase::testing
