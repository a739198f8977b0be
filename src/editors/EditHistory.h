#pragma once

#include "editors/ConfigurationSnapshot.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace veld23 {

// Which A/B slot the configuration being edited belongs to.
enum class ComparisonSlot { None, A, B };

// The undo and redo stacks: each step is a name and the state before and after it. A
// state is a configuration snapshot and the active A/B slot. Snapshots are shared, so
// consecutive steps hold the one between them once: 200 steps keep about 201 snapshots
// of 2228 bytes, under half a megabyte, even with redo steps waiting.
class EditHistory {
  public:
    static constexpr std::size_t kDepth = 200;

    using Snapshot = std::shared_ptr<const ConfigurationSnapshot>;
    struct State {
        Snapshot record;
        ComparisonSlot active = ComparisonSlot::None;
    };
    struct Step {
        std::string name;
        State before;
        State after;
    };

    // A new step: the redo steps are gone, and beyond the depth the oldest step is.
    void Push(Step step);
    // The step an undo or a redo would take back or do again; null when there is none.
    const Step* NextUndo() const { return undo_.empty() ? nullptr : &undo_.back(); }
    const Step* NextRedo() const { return redo_.empty() ? nullptr : &redo_.back(); }
    // After the caller has restored NextUndo's `before` (or NextRedo's `after`).
    void Undone();
    void Redone();
    void Clear();

    std::size_t UndoSteps() const { return undo_.size(); }
    std::size_t RedoSteps() const { return redo_.size(); }
    // The snapshot memory the steps hold, each shared snapshot counted once.
    std::size_t SnapshotBytes() const;

  private:
    std::deque<Step> undo_;
    std::vector<Step> redo_;
};

} // namespace veld23
