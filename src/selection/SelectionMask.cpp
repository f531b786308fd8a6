#include "selection/SelectionMask.h"

#include "selection/EllipseRaster.h"
#include "selection/MaskRegions.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace pict {

SelectionMask::SelectionMask(int32_t canvasWidth, int32_t canvasHeight)
    : canvasWidth_(std::max(canvasWidth, 0)), canvasHeight_(std::max(canvasHeight, 0)) {}

uint8_t SelectionMask::coverageAt(int32_t x, int32_t y) const {
    if (!bounds_.contains(x, y))
        return 0;
    return coverage_.row(y - bounds_.top)[x - bounds_.left];
}

bool SelectionMask::containsPoint(Point canvasPoint, bool strict) const {
    const uint8_t value = coverageAt(canvasPoint.x, canvasPoint.y);
    return strict ? value >= 128 : value != 0;
}

bool SelectionMask::copyFrom(const SelectionMask& source) {
    if (&source == this)
        return true;
    Surface8 copy;
    if (!source.isEmpty()) {
        copy = source.coverage_.clone();
        if (!copy.isValid())
            return false;
    }
    canvasWidth_ = source.canvasWidth_;
    canvasHeight_ = source.canvasHeight_;
    bounds_ = source.bounds_;
    coverage_ = std::move(copy);
    return true;
}

void SelectionMask::swap(SelectionMask& other) noexcept {
    std::swap(canvasWidth_, other.canvasWidth_);
    std::swap(canvasHeight_, other.canvasHeight_);
    std::swap(bounds_, other.bounds_);
    std::swap(coverage_, other.coverage_);
}

bool SelectionMask::toCanvasSurface(Surface8& target) const {
    Surface8 result;
    if (!createMask(result, {canvasWidth_, canvasHeight_}))
        return false;
    if (!isEmpty())
        copyOverlap(coverage_, bounds_.topLeft(), result, {0, 0});
    target = std::move(result);
    return true;
}

bool SelectionMask::resize(const Rect& requested) {
    const Rect newBounds = requested.normalized().intersected(canvasRect());
    if (newBounds.isEmpty()) {
        clear();
        return true;
    }
    if (newBounds == bounds_ && coverage_.isValid())
        return true;
    Surface8 moved;
    if (!createMask(moved, newBounds.size()))
        return false;
    if (!isEmpty())
        copyOverlap(coverage_, bounds_.topLeft(), moved, newBounds.topLeft());
    coverage_ = std::move(moved);
    bounds_ = newBounds;
    return true;
}

bool SelectionMask::trim() {
    if (isEmpty())
        return true;
    const Rect box = nonZeroBox(coverage_);
    if (box.isEmpty()) {
        clear();
        return true;
    }
    return resize(toCanvas(box));
}

bool SelectionMask::adoptTrimmed(Surface8& surface, const Rect& surfaceBounds) {
    const Rect box = nonZeroBox(surface);
    if (box.isEmpty()) {
        clear();
        return true;
    }
    if (box.size() == surface.size()) {
        coverage_ = std::move(surface);
        bounds_ = surfaceBounds;
        return true;
    }
    Surface8 tight;
    if (!createMask(tight, box.size()))
        return false;
    copyOverlap(surface, surfaceBounds.topLeft(), tight, box.translated(surfaceBounds.left, surfaceBounds.top).topLeft());
    coverage_ = std::move(tight);
    bounds_ = box.translated(surfaceBounds.left, surfaceBounds.top);
    return true;
}

void SelectionMask::resetCanvas(int32_t canvasWidth, int32_t canvasHeight) {
    clear();
    canvasWidth_ = std::max(canvasWidth, 0);
    canvasHeight_ = std::max(canvasHeight, 0);
}

bool SelectionMask::setShape(const Rect& requested, bool ellipse) {
    const Rect shape = requested.normalized();
    const Rect visible = shape.intersected(canvasRect());
    if (visible.isEmpty()) {
        clear();
        return true;
    }
    Surface8 result;
    if (!createMask(result, visible.size()))
        return false;
    if (!ellipse) {
        result.fillValue(255);
        coverage_ = std::move(result);
        bounds_ = visible;
        return true;
    }
    for (int32_t y = visible.top; y < visible.bottom; ++y) {
        const RowSpan span = ellipseRowSpan(shape, y);
        const int32_t left = std::max(span.left, visible.left);
        const int32_t right = std::min(span.right, visible.right);
        if (left < right)
            std::memset(result.row(y - visible.top) + (left - visible.left), 255, size_t(right - left));
    }
    // An ellipse cut by the canvas edge need not reach every side of the visible rectangle
    // (it may even miss it entirely), so its bounds are tightened like any shrunk selection.
    if (visible != shape)
        return adoptTrimmed(result, visible);
    coverage_ = std::move(result);
    bounds_ = visible;
    return true;
}

bool SelectionMask::selectAll() { return setShape(canvasRect(), false); }

void SelectionMask::clear() {
    bounds_ = {};
    coverage_.destroy();
}

bool SelectionMask::invert() {
    if (isEmpty())
        return true;
    Surface8 inverted;
    if (!createMask(inverted, {canvasWidth_, canvasHeight_}))
        return false;
    copyOverlap(coverage_, bounds_.topLeft(), inverted, {0, 0});
    const int32_t width = canvasWidth_;
    for (int32_t y = 0; y < canvasHeight_; ++y) {
        uint8_t* row = inverted.row(y);
        for (int32_t x = 0; x < width; ++x)
            row[x] = static_cast<uint8_t>(255 - row[x]);
    }
    return adoptTrimmed(inverted, canvasRect());
}

bool SelectionMask::place(const Surface8& coverage, Point topLeft) {
    const Rect visible = Rect::fromPointSize(topLeft, coverage.size()).intersected(canvasRect());
    if (!coverage.isValid() || visible.isEmpty()) {
        clear();
        return true;
    }
    Surface8 part;
    if (!createMask(part, visible.size()))
        return false;
    copyOverlap(coverage, topLeft, part, visible.topLeft());
    return adoptTrimmed(part, visible);
}

bool SelectionMask::load(const Surface8& source) {
    if (!source.isValid() || source.width() != canvasWidth_ || source.height() != canvasHeight_)
        return false;
    const Rect box = nonZeroBox(source);
    if (box.isEmpty()) {
        clear();
        return true;
    }
    Surface8 copy;
    if (!createMask(copy, box.size()))
        return false;
    copyOverlap(source, {0, 0}, copy, box.topLeft());
    coverage_ = std::move(copy);
    bounds_ = box;
    return true;
}

} // namespace pict
