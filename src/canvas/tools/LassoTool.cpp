#include "canvas/tools/LassoTool.h"

#include <cmath>

namespace pict {

namespace {

double distance(PolygonPoint a, PolygonPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

} // namespace

void LassoTool::setPolygonal(bool polygonal) {
    if (polygonal != polygonal_)
        cancel();
    polygonal_ = polygonal;
}

LassoTool::Result LassoTool::close() {
    hover_.reset();
    dragging_ = false;
    if (points_.size() < 3)
        return cancel();
    closed_ = std::move(points_);
    points_.clear();
    return Result::Closed;
}

LassoTool::Result LassoTool::cancel() {
    const bool wasActive = !points_.empty();
    points_.clear();
    hover_.reset();
    dragging_ = false;
    return wasActive ? Result::Cancelled : Result::None;
}

LassoTool::Result LassoTool::press(PolygonPoint point, bool doubleClick) {
    if (!polygonal_) {
        points_ = {point};
        dragging_ = true;
        return Result::None;
    }
    if (doubleClick && !points_.empty())
        return close();
    if (points_.size() >= 3 && distance(point, points_.front()) <= closeDistance_)
        return close();
    points_.push_back(point);
    hover_ = point;
    return Result::None;
}

LassoTool::Result LassoTool::move(PolygonPoint point) {
    if (polygonal_) {
        if (!points_.empty())
            hover_ = point;
    } else if (dragging_ && (points_.empty() || distance(point, points_.back()) >= 0.5)) {
        points_.push_back(point);
    }
    return Result::None;
}

LassoTool::Result LassoTool::release(PolygonPoint point) {
    if (polygonal_ || !dragging_)
        return Result::None;
    move(point);
    return close();
}

LassoTool::Result LassoTool::enter() { return polygonal_ && !points_.empty() ? close() : Result::None; }

LassoTool::Result LassoTool::backspace() {
    if (!polygonal_ || points_.empty())
        return Result::None;
    points_.pop_back();
    if (!points_.empty())
        return Result::None;
    hover_.reset();
    return Result::Cancelled;
}

LassoTool::Result LassoTool::escape() { return cancel(); }

std::vector<PolygonPoint> LassoTool::takePolygon() { return std::move(closed_); }

} // namespace pict
