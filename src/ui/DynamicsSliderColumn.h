#pragma once

#include <QString>

class QGridLayout;
class QLabel;
class QWidget;

namespace veld23 {

class PositionSlider;

// One of the dynamics window's vertical sliders with its caption, its end labels and
// its value panel with the unit beside it.
struct DynamicsSliderColumn {
    QLabel* caption = nullptr;
    QLabel* topEnd = nullptr;
    PositionSlider* slider = nullptr;
    QLabel* bottomEnd = nullptr;
    QLabel* value = nullptr;
    QLabel* unit = nullptr;

    static DynamicsSliderColumn Make(const QString& caption, const QString& top,
                                     const QString& bottom, int lastPosition, const QString& tip,
                                     QWidget* parent);
    // Into two grid columns from `column`: the slider centred over both, the value
    // panel in the first and the unit in the second.
    void AddTo(QGridLayout* grid, int column) const;
    void SetEnabled(bool enabled) const;
};

} // namespace veld23
