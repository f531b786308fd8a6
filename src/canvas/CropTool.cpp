#include "canvas/CropTool.h"

#include <algorithm>
#include <cstdlib>

namespace pict {
namespace {

Point clampToImage(Point p, Size image) {
    return {std::clamp(p.x, 0, image.width - 1), std::clamp(p.y, 0, image.height - 1)};
}

} // namespace

std::optional<Rect> CropTool::windowFrame(const CanvasView& view) const {
    if (!frame_)
        return std::nullopt;
    return view.imageRectToWindow(*frame_);
}

uint8_t CropTool::gripAt(const CanvasView& view, Point window) const {
    const std::optional<Rect> shown = windowFrame(view);
    if (!shown)
        return None;
    const Rect& r = *shown;
    // The grips reach kGrip pixels to either side of each edge, along the edge's length.
    const bool besideX = window.x >= r.left - kGrip && window.x < r.right + kGrip;
    const bool besideY = window.y >= r.top - kGrip && window.y < r.bottom + kGrip;
    if (!besideX || !besideY)
        return None;
    uint8_t grip = None;
    // The nearer edge wins where a small frame's grips overlap.
    const int32_t toLeft = std::abs(window.x - r.left), toRight = std::abs(window.x - (r.right - 1));
    const int32_t toTop = std::abs(window.y - r.top), toBottom = std::abs(window.y - (r.bottom - 1));
    if (std::min(toLeft, toRight) <= kGrip)
        grip |= toLeft <= toRight ? Left : Right;
    if (std::min(toTop, toBottom) <= kGrip)
        grip |= toTop <= toBottom ? Top : Bottom;
    if (grip == None && r.contains(window.x, window.y))
        grip = Inside;
    return grip;
}

void CropTool::buttonDown(const CanvasView& view, Point window) {
    press_ = window;
    dragged_ = false;
    drag_ = gripAt(view, window);
    creating_ = drag_ == None;
    if (creating_) {
        frame_.reset();
        drag_ = Inside; // a drag runs; what it does is creating_'s
    } else {
        start_ = *frame_;
    }
}

Rect CropTool::created(const CanvasView& view, Point window) const {
    const Size image = view.imageSize();
    const Point a = clampToImage(view.windowToImage(press_), image);
    const Point b = clampToImage(view.windowToImage(window), image);
    // Both end pixels are inside the frame.
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
}

Rect CropTool::moved(const CanvasView& view, Point window) const {
    const Point from = view.windowToImage(press_);
    const Point to = view.windowToImage(window);
    const Size image = view.imageSize();
    // The whole frame moves and stays on the canvas.
    const int32_t dx = std::clamp(to.x - from.x, -start_.left, image.width - start_.right);
    const int32_t dy = std::clamp(to.y - from.y, -start_.top, image.height - start_.bottom);
    return {start_.left + dx, start_.top + dy, start_.right + dx, start_.bottom + dy};
}

Rect CropTool::resized(const CanvasView& view, Point window) const {
    const Point p = clampToImage(view.windowToImage(window), view.imageSize());
    Rect r = start_;
    // The pixel under the pointer becomes the frame's outermost on the dragged side; an edge
    // stops one pixel short of the opposite one.
    if (drag_ & Left)
        r.left = std::min(p.x, r.right - 1);
    if (drag_ & Right)
        r.right = std::max(p.x + 1, r.left + 1);
    if (drag_ & Top)
        r.top = std::min(p.y, r.bottom - 1);
    if (drag_ & Bottom)
        r.bottom = std::max(p.y + 1, r.top + 1);
    return r;
}

bool CropTool::move(const CanvasView& view, Point window) {
    if (drag_ == None)
        return false;
    if (!dragged_) {
        dragged_ = std::abs(window.x - press_.x) >= kDragThreshold || std::abs(window.y - press_.y) >= kDragThreshold;
        if (!dragged_)
            return false;
    }
    const Rect next = creating_ ? created(view, window) : drag_ == Inside ? moved(view, window) : resized(view, window);
    if (frame_ && *frame_ == next)
        return false;
    frame_ = next;
    return true;
}

void CropTool::buttonUp() {
    drag_ = None;
    creating_ = false;
}

std::optional<Rect> CropTool::commit() {
    std::optional<Rect> out = frame_;
    drop();
    return out;
}

std::optional<Rect> CropTool::doubleClick(const CanvasView& view, Point window) {
    const std::optional<Rect> shown = windowFrame(view);
    if (!shown || !shown->contains(window.x, window.y))
        return std::nullopt;
    return commit();
}

void CropTool::drop() {
    frame_.reset();
    drag_ = None;
    creating_ = false;
}

CanvasCursor CropTool::cursor(const CanvasView& view, Point window) const {
    const uint8_t grip = isDragging() && !creating_ ? drag_ : gripAt(view, window);
    switch (grip) {
    case Left:
    case Right: return CanvasCursor::ResizeHorizontal;
    case Top:
    case Bottom: return CanvasCursor::ResizeVertical;
    case Left | Top:
    case Right | Bottom: return CanvasCursor::ResizeDiagonal;
    case Right | Top:
    case Left | Bottom: return CanvasCursor::ResizeAntiDiagonal;
    case Inside: return creating_ ? CanvasCursor::Crop : CanvasCursor::MoveFrame;
    default: return CanvasCursor::Crop;
    }
}

void CropTool::drawInto(ViewBuffer& buffer, const CanvasView& view) const {
    if (const std::optional<Rect> shown = windowFrame(view))
        invertBandFrame(buffer, *shown, kBandPatternA, phase_);
}

} // namespace pict
