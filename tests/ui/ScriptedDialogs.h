#pragma once

#include "commands/PasswordKeypad.h"
#include "ui/ProgramDialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace veld23::testing {

// The user at the message boxes and file dialogs, as a script: each question takes
// the next queued answer (Cancel when none is left, so a forgotten answer cannot
// destroy anything), each file dialog the next queued path. Everything asked or
// shown is logged in order ("question:...", "error:...", "open:Open File").
class ScriptedDialogs final : public ProgramDialogs {
  public:
    std::vector<std::string> log;
    std::deque<commands::DialogAnswer> answers;
    std::deque<std::optional<std::string>> openPaths;
    std::deque<std::optional<std::string>> savePaths;
    std::deque<std::optional<std::string>> folders;
    std::vector<commands::FileDialogRequest> fileRequests;

    commands::DialogAnswer AskYesNoCancel(const std::string& text) override {
        log.push_back("question:" + text);
        return Take(answers, commands::DialogAnswer::Cancel);
    }
    bool AskOkCancel(const std::string& text) override {
        log.push_back("okcancel:" + text);
        return false;
    }
    void ShowError(const std::string& text) override { log.push_back("error:" + text); }
    void ShowWarning(const std::string& text) override { log.push_back("warning:" + text); }
    void ShowInformation(const std::string& text) override { log.push_back("information:" + text); }
    void ShowMessage(const std::string& text) override { log.push_back("message:" + text); }
    void ShowMessage(Kind, const std::string& text) override {
        log.push_back("measurement:" + text);
    }
    void Beep() override { log.push_back("beep"); }
    void BesselCutoffLimited(double, int) override { log.push_back("bessel"); }
    bool RunPasswordKeypad(commands::PasswordKeypad&) override {
        log.push_back("keypad");
        return false;
    }

    std::optional<std::string> ChooseFileToOpen(const commands::FileDialogRequest& r) override {
        log.push_back("open:" + r.title);
        fileRequests.push_back(r);
        return Take(openPaths, std::optional<std::string>());
    }
    std::optional<std::string> ChooseFileToSave(const commands::FileDialogRequest& r) override {
        log.push_back("save:" + r.title);
        fileRequests.push_back(r);
        return Take(savePaths, std::optional<std::string>());
    }
    std::optional<std::string> ChooseFileToOpen(const std::string& title,
                                                const std::string& filter) override {
        log.push_back("open:" + title + "|" + filter);
        return Take(openPaths, std::optional<std::string>());
    }
    std::optional<std::string> ChooseFolder(const std::string& title) override {
        log.push_back("folder:" + title);
        return Take(folders, std::optional<std::string>());
    }

    // The entries of the log that start with prefix.
    std::vector<std::string> Logged(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& entry : log) {
            if (entry.rfind(prefix, 0) == 0) {
                found.push_back(entry.substr(prefix.size()));
            }
        }
        return found;
    }

  private:
    template <typename T> static T Take(std::deque<T>& queue, T otherwise) {
        if (queue.empty()) {
            return otherwise;
        }
        T next = queue.front();
        queue.pop_front();
        return next;
    }
};

} // namespace veld23::testing
