#pragma once

namespace veld23 {
class NewConfigurationSteps;
}

namespace veld23::commands {

class CommandDialogs;
class ConfigurationSaver;
class RealTimeLink;

// "Do you want to save the present configuration?" before a command replaces the
// configuration, and the question before the program closes. They are asked only when
// something would be lost (the saver tells); otherwise the command goes on as after
// No. Yes saves first and goes on only when the save happened: a cancelled save
// dialog or a failed write counts as Cancel, so nothing is discarded unsaved.
class SaveQuestion {
  public:
    SaveQuestion(CommandDialogs& dialogs, ConfigurationSaver& saver, NewConfigurationSteps& steps,
                 RealTimeLink& realTime);

    // New: true when the command goes on.
    bool Ask();
    // Open and Read: as Ask, and going on also closes the editor windows (the
    // crossover editor keeps what was typed) and ends Real Time mode.
    bool AskWithCleanUp();
    // The flag the last question left: true after Cancel.
    bool Cancelled() const { return cancelled_; }

    // "VELD23 is closing..." : true when the program may end.
    bool AskBeforeClosing();

  private:
    bool AskAndSave(const char* text);

    CommandDialogs& dialogs_;
    ConfigurationSaver& saver_;
    NewConfigurationSteps& steps_;
    RealTimeLink& realTime_;
    bool cancelled_ = false;
};

} // namespace veld23::commands
