#include "ui/DynamicsSliderColumn.h"

#include "ui/PositionSlider.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace veld23 {

DynamicsSliderColumn DynamicsSliderColumn::Make(const QString& caption, const QString& top,
                                                const QString& bottom, int lastPosition,
                                                const QString& tip, QWidget* parent) {
    DynamicsSliderColumn column;
    column.caption = new QLabel(caption, parent);
    column.topEnd = new QLabel(top, parent);
    column.bottomEnd = new QLabel(bottom, parent);
    for (QLabel* label : {column.caption, column.topEnd, column.bottomEnd}) {
        label->setAlignment(Qt::AlignCenter);
    }
    column.slider = new PositionSlider(parent);
    column.slider->SetLastPosition(lastPosition);
    column.slider->setPageStep(std::max(1, lastPosition / 10));
    column.slider->setMinimumHeight(column.slider->fontMetrics().height() * 8);
    column.slider->setToolTip(tip);
    column.caption->setBuddy(column.slider);
    column.value = new QLabel(parent);
    column.value->setFrameShape(QFrame::Panel);
    column.value->setFrameShadow(QFrame::Sunken);
    column.value->setAlignment(Qt::AlignCenter);
    column.value->setMinimumWidth(
        column.value->fontMetrics().horizontalAdvance(QStringLiteral("-32.5")) + 12);
    column.unit = new QLabel(parent);
    return column;
}

void DynamicsSliderColumn::AddTo(QGridLayout* grid, int column) const {
    grid->addWidget(caption, 0, column, 1, 2);
    grid->addWidget(topEnd, 1, column, 1, 2);
    grid->addWidget(slider, 2, column, 1, 2, Qt::AlignHCenter);
    grid->addWidget(bottomEnd, 3, column, 1, 2);
    grid->addWidget(value, 4, column, Qt::AlignRight);
    grid->addWidget(unit, 4, column + 1, Qt::AlignLeft);
}

void DynamicsSliderColumn::SetEnabled(bool enabled) const {
    for (QWidget* widget :
         std::initializer_list<QWidget*>{caption, topEnd, slider, bottomEnd, value, unit}) {
        widget->setEnabled(enabled);
    }
}

} // namespace veld23
