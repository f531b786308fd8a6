#pragma once
// The bounded undo history of one document window: an ordered list of owned states, oldest
// first, and a position separating the applied states (0..position) from the undone ones.

#include "history/HistoryState.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pict {

// The "nb_history_states" setting: how many states a history keeps.
struct HistoryLimit {
    static constexpr int32_t kMin = 1;
    static constexpr int32_t kMax = 100;
    static constexpr int32_t kDefault = 20;
    static constexpr int32_t clamp(int32_t limit) { return limit < kMin ? kMin : (limit > kMax ? kMax : limit); }
};

// The "History memory" setting: mebibytes the kept pixels of one history may take in memory.
struct HistoryMemory {
    static constexpr int32_t kMinMiB = 0; // 0: no budget, everything stays as saved
    static constexpr int32_t kMaxMiB = 65536;
    static constexpr int32_t kDefaultMiB = 256;
    static constexpr int64_t bytes(int32_t mib) { return int64_t(mib < 0 ? 0 : mib) << 20; }
};

class HistoryManager {
public:
    explicit HistoryManager(int32_t limit = HistoryLimit::kDefault);
    HistoryManager(const HistoryManager&) = delete;
    HistoryManager& operator=(const HistoryManager&) = delete;
    ~HistoryManager();

    bool canUndo() const { return position_ >= 0; }
    bool canRedo() const { return position_ < count() - 1; }

    // The only way a state enters the history. A state that is not yet applied is applied
    // first; when that fails it is destroyed and the history stays as it was. Recording
    // discards the redo branch and drops the oldest state beyond the limit.
    bool add(std::unique_ptr<HistoryState> state, bool alreadyApplied);

    // Both move the position only when the state succeeds; a failed step leaves the history
    // where it was and returns false. With nothing to undo (redo) they return false.
    bool undo();
    bool redo();

    // The newest state when it is applied and nothing can be redone: the one a tool may still
    // change (a floating selection's offset, a run of nudges). Null otherwise.
    HistoryState* newestApplied();
    // Undoes the newest applied state, lets change alter it and applies it again, so that it
    // stays one entry. When the second apply fails the state is dropped (the document is as
    // before it) and false is returned; false too, changing nothing, without such a state or
    // when its undo fails.
    bool amendNewest(const std::function<void(HistoryState&)>& change);
    // Undoes the newest applied state and destroys it, leaving no redo (Escape on a float).
    bool revertNewest();

    // Destroys every state, newest first. The document is not touched.
    void purge();

    // Clamped to 1..100. States beyond the limit are dropped oldest first while they are
    // applied; once no applied state is left, the newest undone states go instead, so the
    // position never names an undone state and every kept redo still follows on from the
    // document as it is.
    void setLimit(int32_t limit);

    // The memory the kept pixels of all states may take before the oldest are compressed and
    // then moved to swap files; 0 keeps everything in memory as it was saved.
    void setMemoryBudget(int64_t bytes);
    int64_t memoryBudget() const { return budget_; }
    // What the kept pixels of all states take in memory now.
    int64_t memoryBytes() const;

    int32_t limit() const { return limit_; }
    int32_t count() const { return static_cast<int32_t>(states_.size()); }
    int32_t position() const { return position_; }
    const HistoryState* stateAt(int32_t index) const;

    // Display names of the state Undo (Redo) would run; empty when there is none.
    std::string undoName() const;
    std::string redoName() const;

    // Names the document as the position leaves it: undoing and redoing back to a position
    // gives its token again, while any new state that changes the document, even one equal
    // in name, gets a new one (a selection step keeps the token before it). A document saved
    // at one token is unchanged whenever the history is back there.
    uint64_t stateToken() const;

private:
    void dropOldest();
    void dropNewest();
    void discardRedoBranch();
    void enforceLimit();
    void enforceBudget();

    std::vector<std::unique_ptr<HistoryState>> states_;
    std::vector<uint64_t> tokens_; // one per state: the document's token once it is applied
    uint64_t baseToken_ = 0;       // the token before the oldest kept state
    uint64_t nextToken_ = 1;
    int32_t limit_;
    int32_t position_ = -1;
    int64_t budget_ = HistoryMemory::bytes(HistoryMemory::kDefaultMiB);
};

} // namespace pict
