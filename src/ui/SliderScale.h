#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <vector>

namespace veld23 {

class PositionSlider;

// Captions beside a position slider, each level with the handle's centre at its
// position ("+6 dB" at the top, "0 dB" where 0 dB lies, "-30 dB" at the bottom). Put
// it next to the slider in the same layout row; it follows the slider's geometry.
class SliderScale : public QWidget {
    Q_OBJECT

  public:
    struct Mark {
        int position;
        QString text;
    };

    SliderScale(PositionSlider* slider, std::vector<Mark> marks, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The handle's centre at a position, in this widget's coordinates.
    int HandleCentreY(int position) const;

    QPointer<PositionSlider> slider_;
    // The same slider as a plain object: the filter is still asked about it while it is
    // being destroyed, when it is no longer a PositionSlider.
    const QObject* watchedSlider_ = nullptr;
    std::vector<Mark> marks_;
};

} // namespace veld23
