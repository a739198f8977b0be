#pragma once

namespace veld23::commands {

// The main window's device command controls: Read, Write, Change, the two
// keyboard buttons, Set Password and the memory selector, enabled and disabled
// together, and the hidden "Copiar todas las memorias igual" button that twenty
// clicks on the "PRESET" caption reveal. The copy-all button, once shown, is
// usable exactly when the group is.
//
// Whether a command may start also depends on the link being idle; DeviceLink
// answers that (CommandsAvailable), this class only holds what the windows show.
class DeviceCommandControls {
  public:
    static constexpr int kRevealClicks = 20;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    // A click on the "PRESET" caption. The twentieth shows the copy-all button and
    // the count starts again; a shown button stays shown.
    void PresetCaptionClick();
    // Every activation of the main window starts the count again.
    void MainWindowActivated() { presetClicks_ = 0; }
    int PresetClicks() const { return presetClicks_; }
    bool CopyAllShown() const { return copyAllShown_; }

  private:
    bool enabled_ = false;
    int presetClicks_ = 0;
    bool copyAllShown_ = false;
};

} // namespace veld23::commands
