#pragma once

#include "commands/DeviceCommandControls.h"
#include "link/LinkUi.h"

#include <array>
#include <functional>
#include <string>

namespace veld23 {
class ProcessorConfiguration;
}

namespace veld23::commands {

class CommandDialogs;

// What the windows show of the link, kept here so every rule about it can be
// tested without a window: the main window's status line and device command
// controls, the connect dialog's four indicators and the memory selector (which
// is the configuration's ProgramNumber). The link layer talks to the user through
// it; message boxes go on to the dialogs, and every change of state is announced
// so the windows can repaint.
class LinkPresentation final : public link::LinkUi {
  public:
    static constexpr int kIndicators = 4;

    LinkPresentation(ProcessorConfiguration& config, CommandDialogs& dialogs);

    // Called after any change of what this class holds, and of Real Time mode.
    void SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }
    void Changed() const;

    const std::string& StatusLine() const { return statusLine_; }
    bool Lit(link::LinkIndicator indicator) const;
    // The connect dialog's first step when a selector is chosen.
    void DarkenIndicators();
    DeviceCommandControls& Controls() { return controls_; }
    const DeviceCommandControls& Controls() const { return controls_; }

    // ---- LinkUi.
    void Beep() override;
    void ShowError(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    void ShowMainWindow() override;
    void SetDeviceCommandsEnabled(bool enabled) override;
    void SetStatusLine(const std::string& text) override;
    void LightIndicator(link::LinkIndicator indicator) override;
    int ShownMemoryNumber() const override;
    void SetMemorySelector(int memory) override;

  private:
    ProcessorConfiguration& config_;
    CommandDialogs& dialogs_;
    std::function<void()> changed_;
    std::string statusLine_;
    std::array<bool, kIndicators> lit_{};
    DeviceCommandControls controls_;
};

} // namespace veld23::commands
