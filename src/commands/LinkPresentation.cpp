#include "commands/LinkPresentation.h"

#include "commands/CommandDialogs.h"
#include "commands/CommandTexts.h"
#include "config/ProcessorConfiguration.h"

namespace veld23::commands {

using link::LinkCondition;
using link::LinkIndicator;
using link::LinkKind;

namespace {

// "COM1", "COM2" or "USB": how the status line names the link.
std::string LinkName(LinkKind kind) {
    switch (kind) {
    case LinkKind::Com1:
        return "COM1";
    case LinkKind::Com2:
        return "COM2";
    default:
        return "USB";
    }
}

} // namespace

LinkPresentation::LinkPresentation(ProcessorConfiguration& config, CommandDialogs& dialogs)
    : config_(config), dialogs_(dialogs) {}

void LinkPresentation::Changed() const {
    if (changed_) {
        changed_();
    }
}

std::string LinkPresentation::LinkStatus() const {
    switch (condition_) {
    case LinkCondition::NotConnected:
        return texts::kStatusNotConnected;
    case LinkCondition::Offline:
        return texts::kStatusOffline;
    case LinkCondition::Checking:
        return texts::StatusChecking(LinkName(kind_));
    case LinkCondition::Answering:
        return kind_ == LinkKind::Usb    ? texts::kStatusUsb
               : kind_ == LinkKind::Com2 ? texts::kStatusCom2
                                         : texts::kStatusCom1;
    case LinkCondition::AnsweredWrongly:
        return texts::StatusAnsweredWrongly(LinkName(kind_));
    case LinkCondition::Silent:
        return texts::StatusSilent(LinkName(kind_));
    }
    return texts::kStatusOffline;
}

std::string LinkPresentation::StatusLine() const {
    std::string line = note_.empty() ? LinkStatus() : note_;
    if (realTimeOn_ && realTimeOn_()) {
        line += texts::kRealTimeStatusSuffix;
    }
    return line;
}

bool LinkPresentation::Lit(LinkIndicator indicator) const {
    switch (condition_) {
    case LinkCondition::NotConnected:
        return false;
    case LinkCondition::Offline:
        return indicator == LinkIndicator::Offline;
    default:
        return (kind_ == LinkKind::Com1 && indicator == LinkIndicator::Com1) ||
               (kind_ == LinkKind::Com2 && indicator == LinkIndicator::Com2) ||
               (kind_ == LinkKind::Usb && indicator == LinkIndicator::Usb);
    }
}

bool LinkPresentation::CommandsEnabled() const {
    return link::CommandsUsable(kind_, condition_);
}

void LinkPresentation::SetNote(std::string note) {
    if (note != note_) {
        note_ = std::move(note);
        Changed();
    }
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

void LinkPresentation::LinkChanged(LinkKind kind, LinkCondition condition) {
    kind_ = kind;
    condition_ = condition;
    note_.clear();
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
