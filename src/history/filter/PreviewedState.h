#pragma once
// The history's owner of a state a dialog has already applied as its preview: the dialog's
// answer keeps the state shared, and this entry runs it and names it exactly as the state
// itself would.

#include "history/HistoryState.h"

#include <memory>
#include <string>
#include <utility>

namespace pict {

class PreviewedState final : public HistoryState {
public:
    explicit PreviewedState(std::shared_ptr<HistoryState> state) : state_(std::move(state)) {}
    std::string name() const override { return state_->name(); }
    bool apply() override { return state_->apply(); }
    bool undo() override { return state_->undo(); }
    void beforeApply() override { state_->beforeApply(); }
    void afterApply(bool applied) override { state_->afterApply(applied); }
    void beforeUndo() override { state_->beforeUndo(); }
    void afterUndo(bool undone) override { state_->afterUndo(undone); }

private:
    std::shared_ptr<HistoryState> state_;
};

} // namespace pict
