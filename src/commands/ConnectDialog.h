#pragma once

#include "link/LinkTypes.h"

#include <functional>
#include <utility>

namespace veld23::commands {

class DeviceLink;
class PortChoice;

// The connect dialog without its window (title "VELD23", heading "CONNECT"): the
// selectors "Offline", "COM 1", "COM 2" and "USB" with their indicators, the system
// port behind COM 1 and COM 2, the link selection and its check. It is the program's
// main window: it is shown at start and again by the main window's Connect button.
// Its lamps and the status line are the link presentation's, read from one state.
class ConnectDialog {
  public:
    ConnectDialog(DeviceLink& device, PortChoice& ports);

    // Shown (at start, or by Connect) and closed by a choice that went through.
    // Showing it looks for the system's ports again.
    bool Shown() const { return shown_; }
    void Show();
    // Called when the dialog closes after a choice, for the window to hide itself.
    void SetCloseListener(std::function<void()> listener) { closed_ = std::move(listener); }

    PortChoice& Ports() { return ports_; }
    const PortChoice& Ports() const { return ports_; }
    // The selectors are usable unless a transfer or a command is running.
    bool SelectorsEnabled() const;
    bool Lit(link::LinkIndicator selector) const;

    // Choosing a selector. False when the choice ended with the dialog still open:
    // a COM port that cannot be opened, or the link busy with another command.
    bool Choose(link::LinkIndicator selector);

  private:
    bool Select(link::LinkIndicator selector);
    void CheckLink();
    void Close();

    DeviceLink& device_;
    PortChoice& ports_;
    std::function<void()> closed_;
    bool shown_ = true;
};

} // namespace veld23::commands
