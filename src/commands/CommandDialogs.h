#pragma once

#include <string>

namespace veld23::commands {

class PasswordKeypad;

// The answer to a warning question with the buttons Yes, No and Cancel. Closing
// the box without a button counts as Cancel.
enum class DialogAnswer { Yes, No, Cancel };

// Everything the device commands ask or tell the user, and the few window
// services they need. The windows implement it with modal message boxes; tests
// script the answers. Texts arrive exactly as they are to be shown (UTF-8).
class CommandDialogs {
  public:
    virtual ~CommandDialogs() = default;

    // Warning with Yes, No and Cancel.
    virtual DialogAnswer AskYesNoCancel(const std::string& text) = 0;
    // Warning with OK and Cancel; true for OK.
    virtual bool AskOkCancel(const std::string& text) = 0;

    // Error box with a single OK button (link and driver failures).
    virtual void ShowError(const std::string& text) = 0;
    // Information box (the memory protection message, the Real Time notices).
    virtual void ShowInformation(const std::string& text) = 0;
    // Plain message box ("ERROR").
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void Beep() = 0;

    // Shows the password keypad modally over the keypad's state; true when it was
    // closed with OK. The keypad has been cleared before the call.
    virtual bool RunPasswordKeypad(PasswordKeypad& keypad) = 0;

    // Choosing a link in the connect dialog brings the main window up.
    virtual void ShowMainWindow() = 0;
};

} // namespace veld23::commands
