#pragma once

#include "commands/DeviceCommandControls.h"
#include "link/LinkTypes.h"
#include "link/LinkUi.h"

#include <functional>
#include <string>
#include <utility>

namespace veld23 {
class ProcessorConfiguration;
}

namespace veld23::commands {

class CommandDialogs;

// What the windows show of the link, kept here so every rule about it can be
// tested without a window: the main window's status line, the connect dialog's
// four indicators, whether the device commands are offered, and the memory
// selector (which is the configuration's ProgramNumber). All of it is read from
// one state, the link's kind and what is known of its processor, so the lamp, the
// status line and the commands always tell the same story. The link layer talks
// to the user through this class; message boxes go on to the dialogs, and every
// change is announced so the windows can repaint.
class LinkPresentation final : public link::LinkUi {
  public:
    LinkPresentation(ProcessorConfiguration& config, CommandDialogs& dialogs);

    // Called after any change of what this class shows, and of Real Time mode.
    void SetChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }
    void Changed() const;
    // Whether Real Time mode is on, for the status line.
    void SetRealTimeQuery(std::function<bool()> query) { realTimeOn_ = std::move(query); }

    // "No Connected", "Status : Offline", "Status : Connected at COM1", "Status : COM1
    // answered wrongly", ...; or the note of the last device command. While Real Time
    // mode is on the line says so.
    std::string StatusLine() const;
    bool Lit(link::LinkIndicator indicator) const;
    // A link is selected and its processor answers: the device commands are offered
    // (whether one may start now is DeviceLink::CommandsAvailable).
    bool CommandsEnabled() const;
    // What the last device command achieved ("Memory 3 written and verified"): shown
    // in place of the link's status until the link changes or another command
    // starts (an empty note).
    void SetNote(std::string note);

    DeviceCommandControls& Controls() { return controls_; }
    const DeviceCommandControls& Controls() const { return controls_; }

    // ---- LinkUi.
    void Beep() override;
    void ShowError(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    void ShowMainWindow() override;
    void LinkChanged(link::LinkKind kind, link::LinkCondition condition) override;
    int ShownMemoryNumber() const override;
    void SetMemorySelector(int memory) override;

  private:
    std::string LinkStatus() const;

    ProcessorConfiguration& config_;
    CommandDialogs& dialogs_;
    std::function<void()> changed_;
    std::function<bool()> realTimeOn_;
    link::LinkKind kind_ = link::LinkKind::Offline;
    link::LinkCondition condition_ = link::LinkCondition::NotConnected;
    std::string note_;
    DeviceCommandControls controls_;
};

} // namespace veld23::commands
