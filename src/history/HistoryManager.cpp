#include "history/HistoryManager.h"

#include <new>

namespace pict {

HistoryManager::HistoryManager(int32_t limit) : limit_(HistoryLimit::clamp(limit)) {
    // Room for one state beyond the limit, so that recording never has to allocate between
    // applying a state and keeping it.
    states_.reserve(static_cast<size_t>(HistoryLimit::kMax) + 1);
}

HistoryManager::~HistoryManager() { purge(); }

const HistoryState* HistoryManager::stateAt(int32_t index) const {
    return index >= 0 && index < count() ? states_[static_cast<size_t>(index)].get() : nullptr;
}

std::string HistoryManager::undoName() const { return canUndo() ? stateAt(position_)->name() : std::string(); }

std::string HistoryManager::redoName() const { return canRedo() ? stateAt(position_ + 1)->name() : std::string(); }

bool HistoryManager::add(std::unique_ptr<HistoryState> state, bool alreadyApplied) {
    if (!state)
        return false;
    if (!alreadyApplied) {
        bool applied = false;
        try {
            state->beforeApply();
            applied = state->apply();
            state->afterApply(applied);
        } catch (const std::bad_alloc&) {
            applied = false;
        }
        if (!applied)
            return false; // the state is destroyed here; the history is unchanged
    }
    discardRedoBranch();
    states_.push_back(std::move(state)); // capacity reserved at construction
    position_ = count() - 1;
    enforceLimit();
    return true;
}

bool HistoryManager::undo() {
    if (position_ < 0)
        return false;
    // The position moves only once the state has run: a state that fails changes nothing,
    // so the history keeps matching the document and the step can be tried again.
    HistoryState& state = *states_[static_cast<size_t>(position_)];
    bool undone = false;
    try {
        state.beforeUndo();
        undone = state.undo();
        state.afterUndo(undone);
    } catch (const std::bad_alloc&) {
        undone = false;
    }
    if (undone)
        --position_;
    return undone;
}

bool HistoryManager::redo() {
    if (position_ >= count() - 1)
        return false;
    HistoryState& state = *states_[static_cast<size_t>(position_ + 1)];
    bool applied = false;
    try {
        state.beforeApply();
        applied = state.apply();
        state.afterApply(applied);
    } catch (const std::bad_alloc&) {
        applied = false;
    }
    if (applied)
        ++position_;
    return applied;
}

void HistoryManager::purge() {
    while (!states_.empty())
        states_.pop_back();
    position_ = -1;
}

void HistoryManager::setLimit(int32_t limit) {
    limit_ = HistoryLimit::clamp(limit);
    enforceLimit();
}

void HistoryManager::dropOldest() {
    states_.erase(states_.begin());
    --position_;
}

void HistoryManager::dropNewest() { states_.pop_back(); }

void HistoryManager::discardRedoBranch() {
    while (count() - 1 > position_)
        dropNewest();
}

void HistoryManager::enforceLimit() {
    while (count() > limit_) {
        if (position_ >= 0)
            dropOldest();
        else
            dropNewest();
    }
}

} // namespace pict
