#pragma once

#include "link/LinkTypes.h"

#include <functional>

namespace veld23::commands {

class DeviceLink;

// The connect dialog without its window (title "VELD23", heading "CONNECT"): the
// selectors "Offline", "COM 1", "COM 2" and "USB" with their indicators, the link
// selection, the link check and the status line. It is the program's main window:
// it is shown at start and again by the main window's Connect button.
//
// The USB selector exists but is not offered, as in the shipped dialog; every USB
// path behind it works and a window may show it.
class ConnectDialog {
  public:
    explicit ConnectDialog(DeviceLink& device);

    // Shown (at start, or by Connect) and closed by a choice that went through.
    bool Shown() const { return shown_; }
    void Show();
    // Called when the dialog closes after a choice, for the window to hide itself.
    void SetCloseListener(std::function<void()> listener) { closed_ = std::move(listener); }

    bool UsbSelectorShown() const { return false; }
    // The selectors are usable unless a transfer or a command is running.
    bool SelectorsEnabled() const;
    bool Lit(link::LinkIndicator selector) const;

    // Choosing a selector. False when the choice ended with the dialog still open:
    // a COM port that cannot be opened, or the link busy with another command.
    bool Choose(link::LinkIndicator selector);

  private:
    void Select(link::LinkIndicator selector);
    void CheckLink();
    void Close();

    DeviceLink& device_;
    std::function<void()> closed_;
    bool shown_ = true;
};

} // namespace veld23::commands
