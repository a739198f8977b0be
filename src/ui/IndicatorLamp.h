#pragma once

#include <QColor>
#include <QWidget>

namespace veld23 {

// A round lit/unlit indicator, the light beside a selector or a switch. Clicking it only
// reports the click; whoever owns the state decides whether it lights.
class IndicatorLamp : public QWidget {
    Q_OBJECT

  public:
    explicit IndicatorLamp(QWidget* parent = nullptr, QColor litColour = QColor(QRgb{0x40FF40}));

    bool Lit() const { return lit_; }
    void SetLit(bool lit);

    QSize sizeHint() const override { return {18, 18}; }
    QSize minimumSizeHint() const override { return {14, 14}; }

  Q_SIGNALS:
    void Clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QColor litColour_;
    bool lit_ = false;
};

} // namespace veld23
