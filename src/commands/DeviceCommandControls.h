#pragma once

namespace veld23::commands {

// The hidden "Copiar todas las memorias igual" button of the main window's device
// command controls, which twenty clicks on the "PRESET" caption reveal. Once shown
// it is usable exactly when the other device commands are (DeviceLink::
// CommandsAvailable).
class DeviceCommandControls {
  public:
    static constexpr int kRevealClicks = 20;

    // A click on the "PRESET" caption. The twentieth shows the copy-all button and
    // the count starts again; a shown button stays shown.
    void PresetCaptionClick();
    // Every activation of the main window starts the count again.
    void MainWindowActivated() { presetClicks_ = 0; }
    int PresetClicks() const { return presetClicks_; }
    bool CopyAllShown() const { return copyAllShown_; }

  private:
    int presetClicks_ = 0;
    bool copyAllShown_ = false;
};

} // namespace veld23::commands
