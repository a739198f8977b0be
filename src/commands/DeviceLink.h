#pragma once

#include "commands/LinkPresentation.h"
#include "commands/RealTimeLink.h"
#include "link/LinkController.h"
#include "link/TransferEngine.h"

#include <chrono>

namespace veld23 {
class ProcessorConfiguration;
}

namespace veld23::commands {

class CommandDialogs;

// The platform's side of the link, made by the application: the serial driver
// (`Comm1`), the USB converter, the wait that keeps the windows alive and the
// transfer progress window.
struct DevicePorts {
    link::CommPort& comm;
    link::D2xx& usb;
    link::Waiter& waiter;
    link::TransferView& progress;
};

// Everything the program holds of the processor link, made once at start-up
// before the editors (they send through RealTime()): the selected link, the
// transfer engine, Real Time mode and what the windows show of them.
//
// Known rule: while a transfer, a real-time message or a device command runs,
// no other command may start, because waiting lets window events run. Busy()
// says so; the device commands refuse to start then, and the application asks
// CommandsAvailable() before New, Open, Save and closing.
class DeviceLink {
  public:
    DeviceLink(ProcessorConfiguration& config, DevicePorts ports, CommandDialogs& dialogs,
               std::chrono::milliseconds answerTimeout = link::TransferEngine::kAnswerTimeout);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    link::LinkController& Link() { return link_; }
    const link::LinkController& Link() const { return link_; }
    link::TransferEngine& Engine() { return engine_; }
    RealTimeLink& RealTime() { return realTime_; }
    const RealTimeLink& RealTime() const { return realTime_; }
    LinkPresentation& Presentation() { return presentation_; }
    const LinkPresentation& Presentation() const { return presentation_; }
    link::Waiter& Waiter() { return waiter_; }
    link::TransferView& Progress() { return progress_; }
    CommandDialogs& Dialogs() { return dialogs_; }
    ProcessorConfiguration& Configuration() { return config_; }

    // A transfer, a real-time message or a device command is running.
    bool Busy() const;
    // What the device command controls show as usable: the link answers and
    // nothing else runs.
    bool CommandsAvailable() const;
    // The Real Time switch can be pressed: nothing runs, and the link is either
    // Offline (the switch then says why it cannot go on) or answers.
    bool RealTimeSwitchAvailable() const;
    // Pauses that let the windows repaint between the steps of a command.
    void ProcessPendingEvents(int passes);

    // Marks a device command as running for as long as it lives; the windows are
    // told at both ends, so what may not run meanwhile greys out.
    class CommandScope {
      public:
        explicit CommandScope(DeviceLink& device) : device_(device) {
            ++device_.commandDepth_;
            device_.presentation_.Changed();
        }
        ~CommandScope() {
            --device_.commandDepth_;
            device_.presentation_.Changed();
        }
        CommandScope(const CommandScope&) = delete;
        CommandScope& operator=(const CommandScope&) = delete;

      private:
        DeviceLink& device_;
    };

  private:
    ProcessorConfiguration& config_;
    CommandDialogs& dialogs_;
    link::Waiter& waiter_;
    link::TransferView& progress_;
    LinkPresentation presentation_;
    link::LinkController link_;
    link::TransferEngine engine_;
    RealTimeLink realTime_;
    int commandDepth_ = 0;
};

} // namespace veld23::commands
