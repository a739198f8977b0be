#pragma once

#include "link/LinkTypes.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;

namespace veld23 {

class IndicatorLamp;

namespace commands {
class ConnectDialog;
class LinkPresentation;
} // namespace commands

// The connection window ("VELD23", "CONNECT"): Offline, COM 1, COM 2 and USB with
// their lamps; beside COM 1 and COM 2 the system port each stands for (the ports the
// system lists, or a typed path), beside USB whether a USB processor is attached, a
// Refresh button for both, and the link status. It is the program's first window;
// closing it is closing the program. A choice goes to the connect dialog logic,
// which selects and checks the link and then closes the window.
class ConnectDialogWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kSelectors = 4;

    ConnectDialogWindow(commands::ConnectDialog& dialog,
                        const commands::LinkPresentation& presentation, QWidget* parent = nullptr);

    void Refresh();
    QPushButton* Selector(link::LinkIndicator selector) const;
    IndicatorLamp* Lamp(link::LinkIndicator selector) const;
    // The port field of COM 1 or COM 2.
    QComboBox* PortField(link::ComPortNumber port) const;
    QLabel* UsbNote() const { return usbNote_; }
    QPushButton* RefreshButton() const { return refresh_; }

  Q_SIGNALS:
    // The window's close button: the program's close flow decides.
    void CloseRequested();
    // A selector was chosen and its link check has ended, whatever the outcome.
    void ChoiceEnded();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Choose(link::LinkIndicator selector);
    QComboBox* MakePortField(link::ComPortNumber port, const char* name);
    void ChoosePortText(link::ComPortNumber port, const QString& text);
    void RefreshPortField(link::ComPortNumber port);

    commands::ConnectDialog& dialog_;
    const commands::LinkPresentation& presentation_;
    std::array<QPushButton*, kSelectors> selectors_{};
    std::array<IndicatorLamp*, kSelectors> lamps_{};
    std::array<QComboBox*, 2> portFields_{};
    QLabel* usbNote_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace veld23
