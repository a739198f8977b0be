#pragma once

#include "editors/ChannelCopy.h"
#include "editors/EditHistory.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace veld23 {

class EditorSet;
class ProcessorConfiguration;
class RealTimeSender;

// Undo and redo, the A/B comparison and copying a channel, for every editor at once,
// on configuration snapshots.
//
// Steps: nothing is recorded while the user works. The window layer calls CloseStep at
// each boundary of the user's gestures (a mouse press, the keyboard moving to another
// control, Enter, the start of a key press); whatever changed since the previous
// boundary becomes one step, named after what it changed, and nothing that changed
// nothing is recorded. So a drag from press to release, a slider dragged or held on an
// arrow key, and typing into one field until Enter or leaving it are one step each,
// however many events they took. Commands with a name of their own (copy, A/B switch)
// are one step each.
//
// Undo, redo and the A/B switch restore a snapshot through RestoreSnapshot: only what
// differs is redesigned, redrawn and, in Real Time mode, sent like any edit. The hooks
// let the windows hold their redraws meanwhile and refresh once afterwards.
class TuningWorkflow {
  public:
    struct Hooks {
        // Before a restore or a copy changes the configuration.
        std::function<void()> changing;
        // After it: every window and the final response read the configuration again.
        std::function<void()> changed;
    };

    // The configuration as it is now is where the history starts.
    TuningWorkflow(ProcessorConfiguration& config, EditorSet& editors, RealTimeSender& sender);
    TuningWorkflow(const TuningWorkflow&) = delete;
    TuningWorkflow& operator=(const TuningWorkflow&) = delete;

    void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }

    // ---- Undo and redo.

    // A boundary between the user's gestures.
    void CloseStep();
    // Each closes the step in progress first; false when there was nothing to undo or
    // redo (a step just closed leaves nothing to redo).
    bool Undo();
    bool Redo();
    bool CanUndo() const { return history_.NextUndo() != nullptr; }
    bool CanRedo() const { return history_.NextRedo() != nullptr; }
    // "Undo PEQ 1 band 3 frequency"; with nothing to undo after New, Open or Read
    // "Undo (history cleared by Open)", otherwise "Undo". Likewise "Redo ...".
    std::string UndoText() const;
    std::string RedoText() const;
    // Runs New, Open or Read (`command` names it). When it replaced the configuration
    // (it says it did, or the configuration differs afterwards, as after Open's reset
    // when the file dialog was cancelled) the history starts again from there, and the
    // configuration belongs to neither A/B slot. The slots keep what they hold, so a
    // configuration can be compared with one stored before. Returns what `run` did.
    bool RunReplacing(std::string_view command, const std::function<bool()>& run);
    const EditHistory& History() const { return history_; }

    // ---- A/B comparison.

    // The configuration as it is now goes into the slot, which becomes the active one.
    void Store(ComparisonSlot slot);
    bool Stored(ComparisonSlot slot) const;
    ComparisonSlot Active() const { return active_; }
    // Both slots stored: the switch can go to the other one.
    bool CanSwitch() const;
    // The edits made since the last switch stay in the active slot, then the other
    // slot's configuration is restored (A when neither is active). One step.
    bool Switch();
    // "Switch to B".
    std::string SwitchText() const;

    // ---- Copying a channel (ChannelCopy.h). One step named "copy ...".
    bool Copy(CopyBlock block, int from, int to);

  private:
    EditHistory::Snapshot Current() const;
    // A named step around a change of the configuration.
    void Record(std::string name, EditHistory::State before);
    void Restore(const EditHistory::State& state);
    void StartAfter(std::string_view command);
    ComparisonSlot SwitchTarget() const;

    ProcessorConfiguration& config_;
    EditorSet& editors_;
    RealTimeSender& sender_;
    Hooks hooks_;
    EditHistory history_;
    // The configuration at the last boundary: the `before` of the next step.
    EditHistory::Snapshot committed_;
    std::string clearedBy_;
    std::array<EditHistory::Snapshot, 2> slots_{};
    ComparisonSlot active_ = ComparisonSlot::None;
};

// The main window's title with the active A/B slot: "... show.v23  [A]".
std::string TitleWithSlot(std::string_view title, ComparisonSlot active);

} // namespace veld23
