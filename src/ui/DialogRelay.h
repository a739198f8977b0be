#pragma once

#include "commands/CommandDialogs.h"
#include "ui/ProgramDialogs.h"

#include <functional>
#include <string>
#include <utility>

namespace veld23 {

// The device commands' questions and messages, passed on to the program's dialogs;
// bringing the main window up is the program's own business.
class DialogRelay final : public commands::CommandDialogs {
  public:
    DialogRelay(ProgramDialogs& dialogs, std::function<void()> showMainWindow)
        : dialogs_(dialogs), showMainWindow_(std::move(showMainWindow)) {}

    commands::DialogAnswer AskYesNoCancel(const std::string& text) override {
        return dialogs_.AskYesNoCancel(text);
    }
    bool AskOkCancel(const std::string& text) override { return dialogs_.AskOkCancel(text); }
    void ShowError(const std::string& text) override { dialogs_.ShowError(text); }
    void ShowInformation(const std::string& text) override { dialogs_.ShowInformation(text); }
    void ShowMessage(const std::string& text) override { dialogs_.ShowMessage(text); }
    void Beep() override { dialogs_.Beep(); }
    bool RunPasswordKeypad(commands::PasswordKeypad& keypad) override {
        return dialogs_.RunPasswordKeypad(keypad);
    }
    void ShowMainWindow() override {
        if (showMainWindow_) {
            showMainWindow_();
        }
    }

  private:
    ProgramDialogs& dialogs_;
    std::function<void()> showMainWindow_;
};

} // namespace veld23
