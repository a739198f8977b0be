#include "commands/DeviceCommandControls.h"

namespace veld23::commands {

void DeviceCommandControls::PresetCaptionClick() {
    if (++presetClicks_ >= kRevealClicks) {
        copyAllShown_ = true;
        presetClicks_ = 0;
    }
}

} // namespace veld23::commands
