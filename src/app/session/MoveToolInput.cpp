#include "app/session/MoveToolInput.h"

#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/session/DocumentSession.h"
#include "history/HistoryManager.h"
#include "history/move/MoveStates.h"

namespace pict {

MoveToolInput::MoveToolInput(DocumentCommands& commands, Listener listener)
    : commands_(commands), listener_(std::move(listener)) {}

bool MoveToolInput::isNewest(const HistoryState* state) const {
    return state && commands_.session().history().newestApplied() == state;
}

bool MoveToolInput::isFloating() const { return isNewest(floating_); }

Point MoveToolInput::offsetOf(const HistoryState* state) const {
    HistoryState* newest = commands_.session().history().newestApplied();
    OffsetState* offsets = newest && newest == state ? offsetStateOf(*newest) : nullptr;
    return offsets ? offsets->offset() : Point{};
}

void MoveToolInput::moveTo(MoveTarget target, Point offset, const HistoryState*& state) {
    DocumentSession& session = commands_.session();
    HistoryManager& history = session.history();
    if (isNewest(state)) {
        if (offset == Point{}) {
            history.revertNewest();
            state = nullptr;
        } else if (!history.amendNewest([offset](HistoryState& changed) {
                       if (OffsetState* offsets = offsetStateOf(changed))
                           offsets->setOffset(offset);
                   })) {
            state = nullptr;
        }
        listener_({CommandOutcome::Done});
        return;
    }
    state = nullptr;
    if (offset == Point{})
        return;
    CommandResult result;
    if (target == MoveTarget::Outline)
        result = pushState(session, std::make_unique<OutlineMoveState>(session, offset));
    else
        result = commands_.execute(target == MoveTarget::Layer ? kCmdMoveLayer : kCmdMoveSelection,
                                   MoveParams{offset});
    if (result.outcome == CommandOutcome::Done)
        state = history.newestApplied();
    listener_(result);
}

void MoveToolInput::press(const ToolPointer& pointer) {
    const MoveTarget target = moveTargetFor(commands_.session().hasSelection(), pointer.alt);
    if (target == MoveTarget::Pixels && isFloating()) {
        dragState_ = floating_;
        tool_.press(pointer.x, pointer.y, target, offsetOf(floating_));
        return;
    }
    floating_ = nullptr;
    dragState_ = nullptr;
    tool_.press(pointer.x, pointer.y, target);
}

void MoveToolInput::move(const ToolPointer& pointer) {
    if (const std::optional<Point> offset = tool_.drag(pointer.x, pointer.y)) {
        moveTo(tool_.target(), *offset, dragState_);
        if (tool_.target() == MoveTarget::Pixels)
            floating_ = dragState_;
    }
}

void MoveToolInput::release(const ToolPointer& pointer) {
    const MoveTarget target = tool_.target();
    const Point before = tool_.offset();
    const std::optional<Point> offset = tool_.release(pointer.x, pointer.y);
    if (offset && *offset != before)
        moveTo(target, *offset, dragState_);
    if (target == MoveTarget::Pixels)
        floating_ = dragState_;
    dragState_ = nullptr; // the next drag of a layer or an outline is a state of its own
}

bool MoveToolInput::key(ToolKey key, bool shift) {
    HistoryManager& history = commands_.session().history();
    if (const std::optional<Point> step = nudgeOffset(key, shift)) {
        if (tool_.isDragging())
            return true;
        const MoveTarget target = moveTargetFor(commands_.session().hasSelection(), false);
        const HistoryState*& run = target == MoveTarget::Pixels ? floating_ : nudges_;
        const Point from = isNewest(run) ? offsetOf(run) : Point{};
        moveTo(target, {from.x + step->x, from.y + step->y}, run);
        return true;
    }
    if (key == ToolKey::Enter) {
        const bool floating = isFloating();
        commit();
        return floating;
    }
    if (key == ToolKey::Escape) {
        const bool busy = tool_.isDragging() || isFloating();
        tool_.cancel();
        if (isFloating() || isNewest(dragState_)) {
            history.revertNewest();
            listener_({CommandOutcome::Done});
        }
        floating_ = dragState_ = nullptr;
        return busy;
    }
    return false;
}

void MoveToolInput::commit() {
    tool_.cancel();
    floating_ = dragState_ = nudges_ = nullptr;
}

} // namespace pict
