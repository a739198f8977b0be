#pragma once

#include <QWidget>

namespace veld23 {

// A horizontal level gauge with three colour zones: green up to the second colour's
// start, yellow up to the third's, red beyond. Positions outside 0..maximum are
// shown at the nearer end.
class LevelMeter : public QWidget {
    Q_OBJECT

  public:
    struct Scale {
        int maximum = 0;
        int secondColourAt = 0;
        int thirdColourAt = 0;
    };

    explicit LevelMeter(QWidget* parent = nullptr);

    void SetScale(Scale scale);
    void SetPosition(int position);
    const Scale& CurrentScale() const { return scale_; }
    int Position() const { return position_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Scale scale_;
    int position_ = 0;
};

} // namespace veld23
