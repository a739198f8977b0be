#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace veld23 {

class TuningWorkflow;

// The A/B comparison of the main window: "Store A" and "Store B" keep the configuration
// as it is now in a slot, and the switch changes the whole configuration over to the
// other slot (with Real Time on, the processor follows). The slot being edited is shown
// here and in the title.
class ComparisonBar : public QWidget {
    Q_OBJECT

  public:
    explicit ComparisonBar(TuningWorkflow& workflow, QWidget* parent = nullptr);

    QPushButton* StoreButton(int slot) const { return slot == 2 ? storeB_ : storeA_; }
    QPushButton* SwitchButton() const { return switch_; }
    QLabel* ActiveLabel() const { return active_; }
    void Refresh();

  Q_SIGNALS:
    // A slot was stored: the title follows.
    void Stored();

  private:
    TuningWorkflow& workflow_;
    QPushButton* storeA_ = nullptr;
    QPushButton* storeB_ = nullptr;
    QPushButton* switch_ = nullptr;
    QLabel* active_ = nullptr;
};

} // namespace veld23
