#pragma once

#include "commands/CommandDialogs.h"
#include "commands/ConfigurationFileDialogs.h"
#include "config/ConfigurationFile.h"
#include "dsp/DesignNotifier.h"
#include "measure/MeasurementMessages.h"
#include "measure/OpenFileDialog.h"

#include <optional>
#include <string>

namespace veld23 {

namespace commands {
class PasswordKeypad;
}

// Every question, message and file dialog the program puts to the user, in one
// object: message boxes and file dialogs in the program (QtDialogs), scripted
// answers in the window tests. The program hands the device commands their share
// of it; ShowError and ShowWarning serve the device commands and the configuration
// file alike.
class ProgramDialogs : public commands::ConfigurationFileDialogs,
                       public ConfigurationFileMessages,
                       public MeasurementMessages,
                       public OpenFileDialog,
                       public DesignNotifier {
  public:
    // Both families of overloads are reachable through this class.
    using commands::ConfigurationFileDialogs::ChooseFileToOpen;
    using MeasurementMessages::ShowMessage;
    using OpenFileDialog::ChooseFileToOpen;

    // Warning with Yes, No and Cancel; closing the box is Cancel.
    virtual commands::DialogAnswer AskYesNoCancel(const std::string& text) = 0;
    // Warning with OK and Cancel; true for OK.
    virtual bool AskOkCancel(const std::string& text) = 0;
    // Error box with one OK button.
    void ShowError(const std::string& text) override = 0;
    // Warning with one OK button (an older configuration file).
    void ShowWarning(const std::string& text) override = 0;
    // Information box with one button.
    virtual void ShowInformation(const std::string& text) = 0;
    // Plain message box ("ERROR").
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void Beep() = 0;
    // A folder to write into (an export of several files), or nothing when cancelled.
    virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
    // The password keypad, modal over the keypad's state; true when closed with OK.
    virtual bool RunPasswordKeypad(commands::PasswordKeypad& keypad) = 0;
};

} // namespace veld23
