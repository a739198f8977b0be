#include "ui/LevelMeter.h"

#include <QPainter>

#include <algorithm>

namespace veld23 {

namespace {

const QColor kGreen(QRgb{0x30D050});
const QColor kYellow(QRgb{0xF0E040});
const QColor kRed(QRgb{0xFF3030});
const QColor kTrough(QRgb{0x06222C});
const QColor kFrame(QRgb{0x80FFFF});

} // namespace

LevelMeter::LevelMeter(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void LevelMeter::SetScale(Scale scale) {
    scale.maximum = std::max(scale.maximum, 0);
    if (scale.maximum != scale_.maximum || scale.secondColourAt != scale_.secondColourAt ||
        scale.thirdColourAt != scale_.thirdColourAt) {
        scale_ = scale;
        update();
    }
}

void LevelMeter::SetPosition(int position) {
    if (position != position_) {
        position_ = position;
        update();
    }
}

QSize LevelMeter::sizeHint() const {
    return {fontMetrics().averageCharWidth() * 30, fontMetrics().height()};
}

QSize LevelMeter::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 12, fontMetrics().height()};
}

void LevelMeter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF trough = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.fillRect(trough, kTrough);
    if (scale_.maximum > 0) {
        const double width = trough.width();
        auto x = [&](int position) {
            return trough.left() + width * std::clamp(position, 0, scale_.maximum) / scale_.maximum;
        };
        const double lit = x(position_);
        // Each zone is lit as far as the position reaches into it.
        const struct {
            int from;
            int to;
            QColor colour;
        } zones[] = {{0, scale_.secondColourAt, kGreen},
                     {scale_.secondColourAt, scale_.thirdColourAt, kYellow},
                     {scale_.thirdColourAt, scale_.maximum, kRed}};
        for (const auto& zone : zones) {
            const double left = x(zone.from);
            const double right = std::min(x(zone.to), lit);
            if (right > left) {
                painter.fillRect(QRectF(left, trough.top(), right - left, trough.height()),
                                 zone.colour);
            }
            // The zone boundaries stay visible on the unlit part as faint ticks.
            painter.setPen(zone.colour.darker(180));
            painter.drawLine(QPointF(left, trough.top()), QPointF(left, trough.bottom()));
        }
    }
    painter.setPen(kFrame);
    painter.drawRect(trough);
}

} // namespace veld23
