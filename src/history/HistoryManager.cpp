#include "history/HistoryManager.h"

#include "history/SavedPixels.h"

#include <new>

namespace pict {

HistoryManager::HistoryManager(int32_t limit) : limit_(HistoryLimit::clamp(limit)) {
    // Room for one state beyond the limit, so that recording never has to allocate between
    // applying a state and keeping it.
    states_.reserve(static_cast<size_t>(HistoryLimit::kMax) + 1);
    tokens_.reserve(static_cast<size_t>(HistoryLimit::kMax) + 1);
}

uint64_t HistoryManager::stateToken() const {
    return position_ >= 0 ? tokens_[static_cast<size_t>(position_)] : baseToken_;
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
    const uint64_t token = state->changesDocument() ? nextToken_++ : stateToken();
    states_.push_back(std::move(state)); // capacity reserved at construction
    tokens_.push_back(token);
    position_ = count() - 1;
    enforceLimit();
    enforceBudget();
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
    if (undone) {
        --position_;
        enforceBudget();
    }
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
    if (applied) {
        ++position_;
        enforceBudget();
    }
    return applied;
}

HistoryState* HistoryManager::newestApplied() {
    return position_ >= 0 && position_ == count() - 1 ? states_[static_cast<size_t>(position_)].get() : nullptr;
}

bool HistoryManager::amendNewest(const std::function<void(HistoryState&)>& change) {
    HistoryState* state = newestApplied();
    if (!state || !undo())
        return false;
    change(*state);
    if (redo()) {
        // The document differs from what the first apply made: it gets a token of its own.
        if (state->changesDocument())
            tokens_[static_cast<size_t>(position_)] = nextToken_++;
        return true;
    }
    dropNewest();
    return false;
}

bool HistoryManager::revertNewest() {
    if (!newestApplied() || !undo())
        return false;
    dropNewest();
    return true;
}

void HistoryManager::purge() {
    // The document stays as it is, and so does its token.
    baseToken_ = stateToken();
    while (!states_.empty())
        states_.pop_back();
    tokens_.clear();
    position_ = -1;
}

void HistoryManager::setLimit(int32_t limit) {
    limit_ = HistoryLimit::clamp(limit);
    enforceLimit();
}

void HistoryManager::setMemoryBudget(int64_t bytes) {
    budget_ = bytes < 0 ? 0 : bytes;
    enforceBudget();
}

int64_t HistoryManager::memoryBytes() const {
    int64_t total = 0;
    for (const auto& state : states_)
        for (const SavedPixels* pixels : state->savedPixels())
            total += pixels->memoryBytes();
    return total;
}

// Oldest states first: their pixels are compressed until the total fits; if that is not
// enough, their compressed pixels go to swap files. The newest states stay as they were
// saved, so the undo a user is most likely to want next stays quick.
void HistoryManager::enforceBudget() {
    if (budget_ <= 0)
        return;
    int64_t total = memoryBytes();
    for (const auto& state : states_) {
        for (SavedPixels* pixels : state->savedPixels()) {
            if (total <= budget_)
                return;
            const int64_t before = pixels->memoryBytes();
            if (pixels->compress())
                total -= before - pixels->memoryBytes();
        }
    }
    static const std::filesystem::path folder = historySwapFolder();
    for (const auto& state : states_) {
        for (SavedPixels* pixels : state->savedPixels()) {
            if (total <= budget_)
                return;
            const int64_t before = pixels->memoryBytes();
            if (pixels->swapOut(folder))
                total -= before;
        }
    }
}

void HistoryManager::dropOldest() {
    // Only an applied state is dropped from the old end: the document it led to becomes
    // the earliest one the history can return to.
    baseToken_ = tokens_.front();
    states_.erase(states_.begin());
    tokens_.erase(tokens_.begin());
    --position_;
}

void HistoryManager::dropNewest() {
    states_.pop_back();
    tokens_.pop_back();
}

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
