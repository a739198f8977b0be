#include "ui/PositionSlider.h"

#include <QSignalBlocker>

namespace veld23 {

PositionSlider::PositionSlider(QWidget* parent) : QSlider(Qt::Vertical, parent) {
    setSingleStep(1);
    connect(this, &QSlider::valueChanged, this,
            [this](int value) { Q_EMIT Moved(maximum() - value); });
}

void PositionSlider::SetLastPosition(int last) {
    if (last != maximum()) {
        const QSignalBlocker blocker(this);
        const int position = Position();
        setRange(0, last);
        setValue(last - position);
    }
}

void PositionSlider::ShowPosition(int position) {
    const QSignalBlocker blocker(this);
    setValue(maximum() - position);
}

} // namespace veld23
