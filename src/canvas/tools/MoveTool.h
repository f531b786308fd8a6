#pragma once
// The Move tool as a state machine fed image-space pointer events and keys. It decides what a
// gesture moves and by how much; the document window turns that into history states:
//  - without a selection a drag moves the active layer (one state per drag);
//  - with a selection a drag floats the selected pixels with the outline: every drag and
//    nudge adds to one offset until the float is committed (Enter, another tool, Deselect or
//    any other change) or put back (Escape);
//  - Alt+drag moves the outline alone;
//  - arrow keys nudge by 1 pixel, 10 with Shift; consecutive nudges add up in one state.

#include "canvas/tools/ToolInput.h"
#include "common/Geometry.h"

#include <optional>

namespace pict {

enum class MoveTarget : uint8_t { Layer, Pixels, Outline };

// What a gesture moves: the outline with Alt, the selected pixels with a selection, else the layer.
constexpr MoveTarget moveTargetFor(bool hasSelection, bool alt) {
    return !hasSelection ? MoveTarget::Layer : (alt ? MoveTarget::Outline : MoveTarget::Pixels);
}

// The offset one arrow key nudges by; none for other keys.
std::optional<Point> nudgeOffset(ToolKey key, bool shift);

class MoveTool {
public:
    // A press starts a drag. base: the offset the gesture continues from (a float's offset
    // so far, else 0,0).
    void press(double x, double y, MoveTarget target, Point base = {});
    // The gesture's whole offset (base plus the drag in whole pixels) when it changed since the
    // last call; none otherwise or when no drag runs.
    std::optional<Point> drag(double x, double y);
    // Ends the drag; the final offset, or none when no drag ran.
    std::optional<Point> release(double x, double y);
    // Escape or a lost capture during a drag.
    void cancel() { dragging_ = false; }

    bool isDragging() const { return dragging_; }
    MoveTarget target() const { return target_; }
    Point offset() const { return offset_; }

private:
    Point offsetAt(double x, double y) const;

    bool dragging_ = false;
    MoveTarget target_ = MoveTarget::Layer;
    double pressX_ = 0.0;
    double pressY_ = 0.0;
    Point base_;
    Point offset_;
};

} // namespace pict
