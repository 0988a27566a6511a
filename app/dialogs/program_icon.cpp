#include "app/dialogs/program_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace app {

QPixmap ProgramIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;

    QLinearGradient screen(0, 0, 0, s);
    screen.setColorAt(0, QColor(0x27, 0x4c, 0x77));
    screen.setColorAt(1, QColor(0x12, 0x24, 0x3d));
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);

    if (size >= 32) {  // a faint grid where there is room for it
        p.setPen(QPen(QColor(255, 255, 255, 40), s / 96));
        for (int i = 1; i < 4; ++i) {
            p.drawLine(QPointF(s * i / 4, s * 0.1), QPointF(s * i / 4, s * 0.9));
            p.drawLine(QPointF(s * 0.1, s * i / 4), QPointF(s * 0.9, s * i / 4));
        }
    }

    // Step from the cable, dip at the probe's start, rise at its end towards the late level.
    QPainterPath trace;
    trace.moveTo(s * 0.10, s * 0.72);
    trace.lineTo(s * 0.22, s * 0.72);
    trace.lineTo(s * 0.26, s * 0.45);
    trace.lineTo(s * 0.42, s * 0.45);
    trace.lineTo(s * 0.47, s * 0.62);
    trace.cubicTo(s * 0.55, s * 0.62, s * 0.58, s * 0.60, s * 0.62, s * 0.58);
    trace.cubicTo(s * 0.66, s * 0.30, s * 0.72, s * 0.24, s * 0.90, s * 0.22);
    p.setPen(QPen(QColor(0xff, 0xd1, 0x66), std::max(1.5, s / 14), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
    return pixmap;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(ProgramIconPixmap(size));
    return icon;
}

}  // namespace app
