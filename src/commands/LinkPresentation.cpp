#include "commands/LinkPresentation.h"

#include "commands/CommandDialogs.h"
#include "commands/CommandTexts.h"
#include "config/ProcessorConfiguration.h"

namespace veld23::commands {

namespace {

std::size_t IndexOf(link::LinkIndicator indicator) {
    return static_cast<std::size_t>(indicator);
}

} // namespace

LinkPresentation::LinkPresentation(ProcessorConfiguration& config, CommandDialogs& dialogs)
    : config_(config), dialogs_(dialogs), statusLine_(texts::kStatusNotConnected) {}

void LinkPresentation::Changed() const {
    if (changed_) {
        changed_();
    }
}

bool LinkPresentation::Lit(link::LinkIndicator indicator) const {
    return lit_[IndexOf(indicator)];
}

void LinkPresentation::DarkenIndicators() {
    lit_.fill(false);
    Changed();
}

void LinkPresentation::Beep() {
    dialogs_.Beep();
}

void LinkPresentation::ShowError(const std::string& text) {
    dialogs_.ShowError(text);
}

void LinkPresentation::ShowInformation(const std::string& text) {
    dialogs_.ShowInformation(text);
}

void LinkPresentation::ShowMessage(const std::string& text) {
    dialogs_.ShowMessage(text);
}

void LinkPresentation::ShowMainWindow() {
    dialogs_.ShowMainWindow();
}

void LinkPresentation::SetDeviceCommandsEnabled(bool enabled) {
    controls_.SetEnabled(enabled);
    Changed();
}

void LinkPresentation::SetStatusLine(const std::string& text) {
    statusLine_ = text;
    Changed();
}

void LinkPresentation::LightIndicator(link::LinkIndicator indicator) {
    lit_[IndexOf(indicator)] = true;
    Changed();
}

int LinkPresentation::ShownMemoryNumber() const {
    return config_.ProgramNumber;
}

void LinkPresentation::SetMemorySelector(int memory) {
    config_.SelectProgram(memory);
    Changed();
}

} // namespace veld23::commands
