#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>

#include <functional>

namespace veld23::testing {

// What a widget paints, at its own size and one image pixel per widget pixel.
inline QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

// Pixels inside `area` (clipped to the image) that satisfy `match`.
inline int CountPixels(const QImage& image, const QRect& area,
                       const std::function<bool(QColor)>& match) {
    const QRect r = area.intersected(image.rect());
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (match(image.pixelColor(x, y))) {
                ++count;
            }
        }
    }
    return count;
}

// Close to a colour, allowing for antialiased edges.
inline std::function<bool(QColor)> Near(QColor wanted, int tolerance = 40) {
    return [wanted, tolerance](QColor c) {
        return std::abs(c.red() - wanted.red()) <= tolerance &&
               std::abs(c.green() - wanted.green()) <= tolerance &&
               std::abs(c.blue() - wanted.blue()) <= tolerance;
    };
}

} // namespace veld23::testing
