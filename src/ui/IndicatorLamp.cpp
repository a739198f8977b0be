#include "ui/IndicatorLamp.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace veld23 {

IndicatorLamp::IndicatorLamp(QWidget* parent, QColor litColour)
    : QWidget(parent), litColour_(litColour) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void IndicatorLamp::SetLit(bool lit) {
    if (lit != lit_) {
        lit_ = lit;
        update();
    }
}

void IndicatorLamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double d = std::min(width(), height()) - 2.0;
    const QRectF lamp((width() - d) / 2.0, (height() - d) / 2.0, d, d);
    QRadialGradient glow(lamp.center() - QPointF(d / 6.0, d / 6.0), d / 1.5);
    const QColor face = lit_ ? litColour_ : QColor(QRgb{0x1C3A44});
    glow.setColorAt(0.0, lit_ ? face.lighter(160) : face.lighter(130));
    glow.setColorAt(1.0, face);
    painter.setBrush(glow);
    painter.setPen(QPen(QColor(QRgb{0x80FFFF}), 1.0));
    painter.drawEllipse(lamp);
}

void IndicatorLamp::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Q_EMIT Clicked();
    }
}

} // namespace veld23
