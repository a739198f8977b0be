#include "commands/SaveQuestion.h"

#include "commands/CommandDialogs.h"
#include "commands/CommandTexts.h"
#include "commands/ConfigurationSaver.h"
#include "commands/RealTimeLink.h"
#include "config/NewConfigurationSteps.h"

namespace veld23::commands {

SaveQuestion::SaveQuestion(CommandDialogs& dialogs, ConfigurationSaver& saver,
                           NewConfigurationSteps& steps, RealTimeLink& realTime)
    : dialogs_(dialogs), saver_(saver), steps_(steps), realTime_(realTime) {}

bool SaveQuestion::AskAndSave(const char* text) {
    if (!saver_.HasUnsavedChanges()) {
        cancelled_ = false;
        return true;
    }
    switch (dialogs_.AskYesNoCancel(text)) {
    case DialogAnswer::Yes:
        cancelled_ = !saver_.SaveConfiguration();
        break;
    case DialogAnswer::No:
        cancelled_ = false;
        break;
    case DialogAnswer::Cancel:
        cancelled_ = true;
        break;
    }
    return !cancelled_;
}

bool SaveQuestion::Ask() {
    return AskAndSave(texts::kSaveQuestion);
}

bool SaveQuestion::AskWithCleanUp() {
    if (!Ask()) {
        return false;
    }
    steps_.CloseWindows();
    if (realTime_.RealTimeMode()) {
        realTime_.SwitchOff();
    }
    return true;
}

bool SaveQuestion::AskBeforeClosing() {
    return AskAndSave(texts::kClosingQuestion);
}

} // namespace veld23::commands
