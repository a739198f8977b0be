#include "editors/TuningWorkflow.h"

#include "config/ConfigurationFileRecord.h"
#include "config/ProcessorConfiguration.h"
#include "editors/ConfigurationSnapshot.h"

#include <utility>

namespace veld23 {

namespace {

using Snapshot = EditHistory::Snapshot;

Snapshot Share(const ConfigurationSnapshot& snapshot) {
    return std::make_shared<const ConfigurationSnapshot>(snapshot);
}

std::size_t SlotIndex(ComparisonSlot slot) {
    return slot == ComparisonSlot::B ? 1 : 0;
}

std::string_view SlotLetter(ComparisonSlot slot) {
    return slot == ComparisonSlot::B ? "B" : "A";
}

} // namespace

TuningWorkflow::TuningWorkflow(ProcessorConfiguration& config, EditorSet& editors,
                               RealTimeSender& sender)
    : config_(config), editors_(editors), sender_(sender), committed_(Share(TakeSnapshot(config))) {
}

Snapshot TuningWorkflow::Current() const {
    const ConfigurationSnapshot now = TakeSnapshot(config_);
    return now == *committed_ ? committed_ : Share(now);
}

void TuningWorkflow::CloseStep() {
    const ConfigurationSnapshot now = TakeSnapshot(config_);
    if (now == *committed_) {
        return;
    }
    const ConfigurationChanges changes = CompareConfigurations(
        DecodeConfigurationRecord(*committed_), DecodeConfigurationRecord(now));
    const Snapshot after = Share(now);
    // What is no edit (a band chosen) joins the state the next step starts from.
    if (changes.Any()) {
        history_.Push({changes.StepName(), {committed_, active_}, {after, active_}});
    }
    committed_ = after;
}

bool TuningWorkflow::Undo() {
    CloseStep();
    const EditHistory::Step* step = history_.NextUndo();
    if (step == nullptr) {
        return false;
    }
    const EditHistory::State before = step->before;
    history_.Undone();
    Restore(before);
    return true;
}

bool TuningWorkflow::Redo() {
    CloseStep();
    const EditHistory::Step* step = history_.NextRedo();
    if (step == nullptr) {
        return false;
    }
    const EditHistory::State after = step->after;
    history_.Redone();
    Restore(after);
    return true;
}

std::string TuningWorkflow::UndoText() const {
    if (const EditHistory::Step* step = history_.NextUndo()) {
        return "Undo " + step->name;
    }
    return clearedBy_.empty() ? "Undo" : "Undo (history cleared by " + clearedBy_ + ")";
}

std::string TuningWorkflow::RedoText() const {
    if (const EditHistory::Step* step = history_.NextRedo()) {
        return "Redo " + step->name;
    }
    return clearedBy_.empty() ? "Redo" : "Redo (history cleared by " + clearedBy_ + ")";
}

bool TuningWorkflow::RunReplacing(std::string_view command, const std::function<bool()>& run) {
    CloseStep();
    const ConfigurationSnapshot before = TakeSnapshot(config_);
    const bool done = run();
    if (done || TakeSnapshot(config_) != before) {
        StartAfter(command);
    }
    return done;
}

void TuningWorkflow::StartAfter(std::string_view command) {
    history_.Clear();
    committed_ = Share(TakeSnapshot(config_));
    clearedBy_ = command;
    active_ = ComparisonSlot::None;
}

void TuningWorkflow::Store(ComparisonSlot slot) {
    if (slot == ComparisonSlot::None) {
        return;
    }
    slots_[SlotIndex(slot)] = Current();
    active_ = slot;
}

bool TuningWorkflow::Stored(ComparisonSlot slot) const {
    return slot != ComparisonSlot::None && slots_[SlotIndex(slot)] != nullptr;
}

bool TuningWorkflow::CanSwitch() const {
    return Stored(ComparisonSlot::A) && Stored(ComparisonSlot::B);
}

ComparisonSlot TuningWorkflow::SwitchTarget() const {
    return active_ == ComparisonSlot::A ? ComparisonSlot::B : ComparisonSlot::A;
}

std::string TuningWorkflow::SwitchText() const {
    return "Switch to " + std::string(SlotLetter(SwitchTarget()));
}

bool TuningWorkflow::Switch() {
    if (!CanSwitch()) {
        return false;
    }
    CloseStep();
    const EditHistory::State before{committed_, active_};
    const ComparisonSlot target = SwitchTarget();
    std::string name = "switch to " + std::string(SlotLetter(target));
    if (active_ != ComparisonSlot::None) {
        slots_[SlotIndex(active_)] = Current();
    }
    const EditHistory::State after{slots_[SlotIndex(target)], target};
    history_.Push({std::move(name), before, after});
    Restore(after);
    return true;
}

bool TuningWorkflow::Copy(CopyBlock block, int from, int to) {
    CloseStep();
    const EditHistory::State before{committed_, active_};
    if (hooks_.changing) {
        hooks_.changing();
    }
    const bool copied = CopyChannel(config_, editors_, block, from, to);
    if (copied) {
        Record(CopyStepName(block, from, to, config_.Topology), before);
    }
    if (hooks_.changed) {
        hooks_.changed();
    }
    return copied;
}

void TuningWorkflow::Record(std::string name, EditHistory::State before) {
    const Snapshot after = Current();
    if (*after == *before.record && active_ == before.active) {
        return;
    }
    history_.Push({std::move(name), std::move(before), {after, active_}});
    committed_ = after;
}

void TuningWorkflow::Restore(const EditHistory::State& state) {
    if (hooks_.changing) {
        hooks_.changing();
    }
    RestoreSnapshot(config_, editors_, sender_, *state.record);
    active_ = state.active;
    // A restore is exact; should a refresh ever leave something else, the history goes
    // on from what the configuration really is.
    const ConfigurationSnapshot now = TakeSnapshot(config_);
    committed_ = now == *state.record ? state.record : Share(now);
    if (hooks_.changed) {
        hooks_.changed();
    }
}

std::string TitleWithSlot(std::string_view title, ComparisonSlot active) {
    std::string text(title);
    if (active != ComparisonSlot::None) {
        text += "  [";
        text += SlotLetter(active);
        text += ']';
    }
    return text;
}

} // namespace veld23
