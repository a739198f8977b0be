#include "ui/SliderScale.h"

#include "ui/PositionSlider.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace veld23 {

SliderScale::SliderScale(PositionSlider* slider, std::vector<Mark> marks, QWidget* parent)
    : QWidget(parent), slider_(slider), watchedSlider_(slider), marks_(std::move(marks)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    slider->installEventFilter(this);
}

QSize SliderScale::sizeHint() const {
    int width = 0;
    for (const Mark& mark : marks_) {
        width = std::max(width, fontMetrics().horizontalAdvance(mark.text));
    }
    return {width + 6, fontMetrics().height() * static_cast<int>(marks_.size())};
}

bool SliderScale::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedSlider_ &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move ||
         event->type() == QEvent::Show)) {
        update();
    }
    return QWidget::eventFilter(watched, event);
}

int SliderScale::HandleCentreY(int position) const {
    const int value = slider_->ValueAt(position);
    QStyleOptionSlider option;
    option.initFrom(slider_);
    option.orientation = slider_->orientation();
    option.minimum = slider_->minimum();
    option.maximum = slider_->maximum();
    option.sliderPosition = value;
    option.sliderValue = value;
    // A vertical slider draws its minimum at the bottom unless its appearance is inverted.
    option.upsideDown = !slider_->invertedAppearance();
    const QStyle* style = slider_->style();
    const QRect groove =
        style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider_);
    const QRect handle =
        style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider_);
    const int y =
        groove.top() + handle.height() / 2 +
        QStyle::sliderPositionFromValue(option.minimum, option.maximum, value,
                                        groove.height() - handle.height(), option.upsideDown);
    return slider_->mapTo(window(), QPoint(0, y)).y() - mapTo(window(), QPoint(0, 0)).y();
}

void SliderScale::paintEvent(QPaintEvent*) {
    if (!slider_) {
        return;
    }
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const int lineHeight = fontMetrics().height();
    for (const Mark& mark : marks_) {
        const int centre = HandleCentreY(mark.position);
        // Kept inside the widget, so the end captions are never cut off.
        const int top = std::clamp(centre - lineHeight / 2, 0, std::max(0, height() - lineHeight));
        painter.drawText(QRect(0, top, width() - 4, lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                         mark.text);
    }
}

} // namespace veld23
