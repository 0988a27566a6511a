#include "dynaview/controls/led_lamp.h"

#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace dynaview {

LedLamp::LedLamp(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);  // shows, never takes input
}

void LedLamp::setLamp(bool on, QColor onColour, QColor offColour) {
    on_ = on;
    onColour_ = onColour;
    offColour_ = offColour;
    setAccessibleDescription(on ? QStringLiteral("on") : QStringLiteral("off"));
    update();
}

void LedLamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double diameter = std::max(2, std::min(width(), height()) - 2);
    const QRectF lamp((width() - diameter) / 2.0, (height() - diameter) / 2.0, diameter, diameter);
    const QColor face = shownColour();
    QRadialGradient glow(lamp.center() - QPointF(diameter / 6.0, diameter / 6.0), diameter / 1.6);
    glow.setColorAt(0.0, on_ ? face.lighter(170) : face.lighter(125));
    glow.setColorAt(1.0, face);
    painter.setBrush(glow);
    painter.setPen(QPen(face.darker(170), std::max(1.0, diameter / 16.0)));
    painter.drawEllipse(lamp);
}

}  // namespace dynaview
