#include "app/dialogs/tdr_picture.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace app {

namespace {

// A plausible reflection coefficient along the window (t from 0 to 1): the instrument's
// step, the cable, a dip where the probe starts, and the rise at the probe's end towards
// the level the medium's conductivity sets.
double Reflection(double t) {
    const auto edge = [](double x, double at, double width) { return 0.5 * (1 + std::tanh((x - at) / width)); };
    double r = -0.9 + 0.9 * edge(t, 0.08, 0.01);  // step into the cable
    r -= 0.35 * edge(t, 0.36, 0.012);              // probe start
    if (t > 0.66) r += 0.95 * (1 - std::exp(-(t - 0.66) / 0.07));  // probe end, rising to the late level
    r += 0.015 * std::sin(t * 90);                 // a little ringing
    return r;
}

}  // namespace

QPixmap TdrPicture(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(0x10, 0x18, 0x28));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();

    p.setPen(QPen(QColor(0x40, 0x58, 0x70), 1, Qt::DotLine));
    for (int i = 1; i < 8; ++i) p.drawLine(QPointF(w * i / 8, 0), QPointF(w * i / 8, h));
    for (int i = 1; i < 4; ++i) p.drawLine(QPointF(0, h * i / 4), QPointF(w, h * i / 4));

    // Reflection coefficient -1..1 mapped top to bottom with a margin.
    const auto y = [h](double r) { return h * (0.5 - 0.42 * r); };
    QPainterPath wave, derivative;
    const int n = size.width();
    double previous = Reflection(0);
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double r = Reflection(t);
        const double slope = std::clamp((r - previous) * n / 25.0, -0.9, 0.9);
        previous = r;
        const QPointF point(t * w, y(r));
        const QPointF slopePoint(t * w, y(slope - 0.55));
        if (i == 0) {
            wave.moveTo(point);
            derivative.moveTo(slopePoint);
        } else {
            wave.lineTo(point);
            derivative.lineTo(slopePoint);
        }
    }
    p.setPen(QPen(QColor(0x4c, 0xc9, 0xf0), 1.2));
    p.drawPath(derivative);
    p.setPen(QPen(QColor(0xff, 0xd1, 0x66), 2));
    p.drawPath(wave);
    return pixmap;
}

}  // namespace app
