#pragma once
// The Gradient tool as a state machine fed image-space pixels: press sets the start, the
// drag moves the end (Shift: the line snaps to steps of 15 degrees), release hands back the
// two ends when they differ; Escape drops the drag.

#include "common/Geometry.h"

#include <optional>
#include <utility>

namespace pict {

class GradientTool {
public:
    void press(Point pixel);
    void drag(Point pixel, bool snap);
    // The line to draw, or none for a click without a drag.
    std::optional<std::pair<Point, Point>> release();
    void cancel() { dragging_ = false; }

    bool isDragging() const { return dragging_; }
    Point start() const { return start_; }
    Point end() const { return end_; }

private:
    bool dragging_ = false;
    Point start_;
    Point end_;
};

// The end moved onto the nearest direction from start that is a multiple of 15 degrees,
// keeping the drag's length.
Point snapAngle(Point start, Point end);

} // namespace pict
