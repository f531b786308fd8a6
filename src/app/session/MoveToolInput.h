#pragma once
// The Move tool of one document window: the MoveTool state machine turned into history
// states. A gesture's state is recorded as soon as something moved and is then changed in
// place (HistoryManager::amendNewest) while the drag, the float or the run of nudges goes on,
// so the history always matches the picture and Undo, Deselect or any other command simply
// end the float by recording after it.

#include "app/commands/DocumentCommands.h"
#include "canvas/tools/MoveTool.h"
#include "canvas/tools/ToolInput.h"

#include <functional>

namespace pict {

class HistoryState;

class MoveToolInput {
public:
    using Listener = std::function<void(const CommandResult&)>;
    MoveToolInput(DocumentCommands& commands, Listener listener);

    void press(const ToolPointer& pointer);
    void move(const ToolPointer& pointer);
    void release(const ToolPointer& pointer);
    // Arrows nudge, Enter commits the float, Escape puts it back; true when the key was used.
    bool key(ToolKey key, bool shift);
    // Another tool or a lost capture: the float and what was moved so far stay as they are.
    void commit();

    const MoveTool& tool() const { return tool_; }
    // A float of selected pixels that later drags and nudges still add to.
    bool isFloating() const;

private:
    bool isNewest(const HistoryState* state) const;
    // Brings the gesture's state to offset: records it, changes it, or drops it at 0,0.
    void moveTo(MoveTarget target, Point offset, const HistoryState*& state);
    Point offsetOf(const HistoryState* state) const;

    DocumentCommands& commands_;
    Listener listener_;
    MoveTool tool_;
    const HistoryState* dragState_ = nullptr; // the running drag's state
    const HistoryState* floating_ = nullptr;  // the float of selected pixels
    const HistoryState* nudges_ = nullptr;    // a run of nudges of the layer
};

} // namespace pict
