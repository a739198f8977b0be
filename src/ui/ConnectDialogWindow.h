#pragma once

#include "link/LinkTypes.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace veld23 {

class IndicatorLamp;

namespace commands {
class ConnectDialog;
class LinkPresentation;
} // namespace commands

// The connection window ("VELD23", "CONNECT"): Offline, COM 1 and COM 2 with their
// lamps (the USB selector exists but is not offered), and the link status. It is the
// program's first window; closing it is closing the program. A choice goes to the
// connect dialog logic, which selects and checks the link and then closes the window.
class ConnectDialogWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kSelectors = 4;

    ConnectDialogWindow(commands::ConnectDialog& dialog,
                        const commands::LinkPresentation& presentation, QWidget* parent = nullptr);

    void Refresh();
    QPushButton* Selector(link::LinkIndicator selector) const;
    IndicatorLamp* Lamp(link::LinkIndicator selector) const;

  signals:
    // The window's close button: the program's close flow decides.
    void closeRequested();
    // A selector was chosen and its link check has ended, whatever the outcome.
    void choiceEnded();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Choose(link::LinkIndicator selector);

    commands::ConnectDialog& dialog_;
    const commands::LinkPresentation& presentation_;
    std::array<QPushButton*, kSelectors> selectors_{};
    std::array<IndicatorLamp*, kSelectors> lamps_{};
    QLabel* status_ = nullptr;
};

} // namespace veld23
