#include "editors/EditHistory.h"

#include <unordered_set>
#include <utility>

namespace veld23 {

void EditHistory::Push(Step step) {
    redo_.clear();
    undo_.push_back(std::move(step));
    if (undo_.size() > kDepth) {
        undo_.pop_front();
    }
}

void EditHistory::Undone() {
    if (!undo_.empty()) {
        redo_.push_back(std::move(undo_.back()));
        undo_.pop_back();
    }
}

void EditHistory::Redone() {
    if (!redo_.empty()) {
        undo_.push_back(std::move(redo_.back()));
        redo_.pop_back();
    }
}

void EditHistory::Clear() {
    undo_.clear();
    redo_.clear();
}

std::size_t EditHistory::SnapshotBytes() const {
    std::unordered_set<const ConfigurationSnapshot*> held;
    const auto count = [&held](const Step& step) {
        held.insert(step.before.record.get());
        held.insert(step.after.record.get());
    };
    for (const Step& step : undo_) {
        count(step);
    }
    for (const Step& step : redo_) {
        count(step);
    }
    held.erase(nullptr);
    return held.size() * sizeof(ConfigurationSnapshot);
}

} // namespace veld23
