#pragma once

#include <QSlider>

namespace veld23 {

// A vertical slider in the editors' positions: position 0 at the top, the last
// position at the bottom (a level, a threshold or a delay grows upwards). The groove
// fills from the bottom up to the handle, and the Up key moves towards position 0.
class PositionSlider : public QSlider {
    Q_OBJECT

  public:
    explicit PositionSlider(QWidget* parent = nullptr);

    // Positions 0..last.
    void SetLastPosition(int last);
    int LastPosition() const { return maximum(); }
    // The refill: places the handle without reporting a move.
    void ShowPosition(int position);
    int Position() const { return maximum() - value(); }
    // The slider value at a position, for drawing beside the slider.
    int ValueAt(int position) const { return maximum() - position; }

  Q_SIGNALS:
    // The user moved the handle.
    void Moved(int position);
};

} // namespace veld23
