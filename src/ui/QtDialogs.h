#pragma once

#include "ui/ProgramDialogs.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace veld23 {

// The program's message boxes and file dialogs on Qt: modal, over the window that
// is in front, titled "VELD23", with the buttons each question names.
class QtDialogs final : public ProgramDialogs {
  public:
    static constexpr const char* kTitle = "VELD23";

    // The window the boxes centre on; none: the active window.
    void SetParentWindow(QWidget* parent) { parent_ = parent; }
    // The modal password keypad; without one the Password command is declined.
    void SetPasswordKeypadRunner(std::function<bool(commands::PasswordKeypad&)> runner) {
        keypadRunner_ = std::move(runner);
    }

    // ---- Questions and messages.
    commands::DialogAnswer AskYesNoCancel(const std::string& text) override;
    bool AskOkCancel(const std::string& text) override;
    void ShowError(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    void ShowMessage(Kind kind, const std::string& text) override;
    void Beep() override;
    void BesselCutoffLimited(double limitHz, int order) override;

    bool RunPasswordKeypad(commands::PasswordKeypad& keypad) override;

    // ---- File dialogs.
    std::optional<std::string>
    ChooseFileToOpen(const commands::FileDialogRequest& request) override;
    std::optional<std::string>
    ChooseFileToSave(const commands::FileDialogRequest& request) override;
    // The measurement import's dialog ("caption|pattern|caption|pattern").
    std::optional<std::string> ChooseFileToOpen(const std::string& title,
                                                const std::string& filter) override;

    std::optional<std::string> ChooseFolder(const std::string& title) override;

    // Qt's form of a dialog's type list: "VELD23 Files *.v23 (*.v23)".
    static QStringList NameFilters(const commands::FileDialogRequest& request);
    static QStringList NameFilters(const std::string& captionPatternList);

  private:
    QWidget* Parent() const;
    std::optional<std::string> RunFileDialog(const commands::FileDialogRequest& request, bool save);

    QPointer<QWidget> parent_;
    std::function<bool(commands::PasswordKeypad&)> keypadRunner_;
};

} // namespace veld23
