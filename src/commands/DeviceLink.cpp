#include "commands/DeviceLink.h"

namespace veld23::commands {

DeviceLink::DeviceLink(ProcessorConfiguration& config, DevicePorts ports, CommandDialogs& dialogs,
                       std::chrono::milliseconds answerTimeout)
    : config_(config), dialogs_(dialogs), waiter_(ports.waiter), progress_(ports.progress),
      presentation_(config, dialogs), link_(ports.comm, ports.usb, presentation_),
      engine_(link_, ports.waiter, ports.progress, answerTimeout),
      realTime_(link_, ports.progress, dialogs) {
    // Whatever takes the link Offline (the Offline selector, a silent processor, a
    // USB driver error) also ends Real Time mode: its edits would go nowhere.
    link_.SetOfflineListener([this] {
        if (realTime_.RealTimeMode()) {
            realTime_.SwitchOff();
        }
    });
    realTime_.SetModeListener([this](bool) { presentation_.Changed(); });
    presentation_.SetRealTimeQuery([this] { return realTime_.RealTimeMode(); });
    realTime_.SetTransferRunning([this] { return engine_.Running(); });
}

bool DeviceLink::Busy() const {
    return commandDepth_ > 0 || engine_.Running() || realTime_.RealTimeBusy();
}

bool DeviceLink::CommandsAvailable() const {
    return presentation_.CommandsEnabled() && !Busy();
}

bool DeviceLink::RealTimeSwitchAvailable() const {
    return !Busy() && (link_.Kind() == link::LinkKind::Offline || link_.CommandsUsable());
}

void DeviceLink::ProcessPendingEvents(int passes) {
    for (int i = 0; i < passes; ++i) {
        waiter_.ProcessPendingEvents();
    }
}

} // namespace veld23::commands
