#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QPushButton;

namespace veld23 {

// What every block editor window shares: it is made once and only shown and hidden
// afterwards (Escape and the close button hide it, so its state and position stay for
// the run); the first time it is shown it opens beside the main window, inside the
// screen and never larger than it; and it carries the Real Time switch, one of several
// faces of the program's one Real Time toggle.
class EditorWindowFrame : public QWidget {
    Q_OBJECT

  public:
    struct RealTimeToggle {
        // The switch was pressed: the program's one toggle runs.
        std::function<void()> click;
        // Whether Real Time mode is on, to light the switch.
        std::function<bool()> isOn;
    };

    EditorWindowFrame(const QString& title, QWidget* anchor, RealTimeToggle realTime,
                      QWidget* parent = nullptr);

    // The window's Real Time switch, for its layout.
    QPushButton* RealTimeButton() const { return realTimeButton_; }
    // Lights the switch from the toggle; windows call it from their refill.
    void RefreshRealTime();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void PlaceBesideAnchor();

    QPointer<QWidget> anchor_;
    RealTimeToggle realTime_;
    QPushButton* realTimeButton_ = nullptr;
    bool placed_ = false;
};

} // namespace veld23
