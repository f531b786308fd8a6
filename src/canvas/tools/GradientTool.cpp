#include "canvas/tools/GradientTool.h"

#include <cmath>
#include <numbers>

namespace pict {

void GradientTool::press(Point pixel) {
    dragging_ = true;
    start_ = end_ = pixel;
}

void GradientTool::drag(Point pixel, bool snap) {
    if (dragging_)
        end_ = snap ? snapAngle(start_, pixel) : pixel;
}

std::optional<std::pair<Point, Point>> GradientTool::release() {
    if (!dragging_)
        return std::nullopt;
    dragging_ = false;
    if (start_ == end_)
        return std::nullopt;
    return std::make_pair(start_, end_);
}

Point snapAngle(Point start, Point end) {
    const double dx = double(end.x) - start.x, dy = double(end.y) - start.y;
    const double length = std::hypot(dx, dy);
    if (length == 0)
        return end;
    const double step = std::numbers::pi / 12;
    const double angle = std::round(std::atan2(dy, dx) / step) * step;
    return {start.x + int32_t(std::lround(length * std::cos(angle))),
            start.y + int32_t(std::lround(length * std::sin(angle)))};
}

} // namespace pict
