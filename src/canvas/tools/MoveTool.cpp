#include "canvas/tools/MoveTool.h"

#include <cmath>

namespace pict {

std::optional<Point> nudgeOffset(ToolKey key, bool shift) {
    const int32_t step = shift ? 10 : 1;
    switch (key) {
    case ToolKey::Left:
        return Point{-step, 0};
    case ToolKey::Right:
        return Point{step, 0};
    case ToolKey::Up:
        return Point{0, -step};
    case ToolKey::Down:
        return Point{0, step};
    default:
        return std::nullopt;
    }
}

void MoveTool::press(double x, double y, MoveTarget target, Point base) {
    dragging_ = true;
    target_ = target;
    pressX_ = x;
    pressY_ = y;
    base_ = base;
    offset_ = base;
}

// Whole pixels from the press, rounded to nearest, so that a drag at any zoom lands on pixels.
Point MoveTool::offsetAt(double x, double y) const {
    return {base_.x + int32_t(std::lround(x - pressX_)), base_.y + int32_t(std::lround(y - pressY_))};
}

std::optional<Point> MoveTool::drag(double x, double y) {
    if (!dragging_)
        return std::nullopt;
    const Point next = offsetAt(x, y);
    if (next == offset_)
        return std::nullopt;
    offset_ = next;
    return next;
}

std::optional<Point> MoveTool::release(double x, double y) {
    if (!dragging_)
        return std::nullopt;
    offset_ = offsetAt(x, y);
    dragging_ = false;
    return offset_;
}

} // namespace pict
