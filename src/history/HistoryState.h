#pragma once
// One undoable change to a document. A state is built with everything it needs (the
// document, the selection view, its parameters) and keeps whatever it saved for undo;
// the HistoryManager owns it from Add on and runs the hooks around apply and undo.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace pict {

class SavedPixels;

class HistoryState {
public:
    HistoryState() = default;
    HistoryState(const HistoryState&) = delete;
    HistoryState& operator=(const HistoryState&) = delete;
    virtual ~HistoryState() = default;

    // The display name shown for the entry ("Levels", "Fill", "Deselect", ...).
    virtual std::string name() const = 0;
    // Performs the change: the first time and on every redo. False changes nothing.
    virtual bool apply() = 0;
    // Reverts the change. False means the state could not restore what it saved.
    virtual bool undo() = 0;

    // The pixels this state keeps for undo, which the history may compress or swap out when
    // it is over its memory budget. States that keep none return nothing.
    virtual std::vector<SavedPixels*> savedPixels() { return {}; }

    // Whether the state changes what a save writes (pixels, layers, geometry); a selection
    // step does not, so undoing one never makes a saved document unsaved.
    virtual bool changesDocument() const { return false; }

    virtual void beforeApply() {}
    virtual void afterApply(bool applied) { (void)applied; }
    virtual void beforeUndo() {}
    virtual void afterUndo(bool undone) { (void)undone; }
};

// How a document-changing state marks its document modified. Kept as a callback so that
// a state never needs to know which document window it belongs to beyond what it is given.
using MarkModified = std::function<void()>;

// Base of every state that changes the document (pixels, layers, geometry): a successful
// apply or redo sets the document's modified flag. Undo leaves the flag alone; a state that
// restores a whole-document snapshot gets the flag set by the snapshot copy itself.
class DocumentChangeState : public HistoryState {
public:
    void afterApply(bool applied) override {
        if (applied && markModified_)
            markModified_();
    }
    bool changesDocument() const override { return true; }

protected:
    explicit DocumentChangeState(MarkModified markModified) : markModified_(std::move(markModified)) {}

private:
    MarkModified markModified_;
};

} // namespace pict
