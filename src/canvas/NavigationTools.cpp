#include "canvas/NavigationTools.h"

#include "canvas/ZoomSteps.h"

#include <algorithm>

namespace pict {

CanvasTool canvasToolFor(int32_t toolId, bool spaceDown) {
    if (spaceDown)
        return CanvasTool::Hand;
    switch (toolId) {
    case 0:
        return CanvasTool::Marquee;
    case 8:
        return CanvasTool::Crop;
    case 18:
        return CanvasTool::ZoomIn;
    case 19:
        return CanvasTool::ZoomOut;
    default:
        return CanvasTool::Hand;
    }
}

bool HandTool::buttonDown(Point window) {
    dragging_ = true;
    last_ = window;
    return true;
}

void HandTool::move(CanvasView& view, Point window) {
    if (!dragging_)
        return;
    view.scrollBy(last_.x - window.x, last_.y - window.y);
    last_ = window;
}

ZoomTool::Mode ZoomTool::mode(const CanvasView& view) const {
    // The limit is judged from the current zoom every time, so a tool that was at its limit
    // acts again (in its own direction) as soon as the zoom moves away from it.
    const bool out = zoomOut_ != altDown_;
    if (out)
        return view.canZoomOut() ? Out : None;
    return view.canZoomIn() ? In : None;
}

CanvasCursor ZoomTool::cursor(const CanvasView& view) const {
    switch (mode(view)) {
    case In:
        return CanvasCursor::ZoomIn;
    case Out:
        return CanvasCursor::ZoomOut;
    case None:
        return CanvasCursor::ZoomLimit;
    }
    return CanvasCursor::ZoomLimit;
}

Point ZoomTool::clampToImage(const CanvasView& view, Point window) const {
    const Rect area = view.imageWindowRect();
    return {std::clamp(window.x, area.left, area.right - 1), std::clamp(window.y, area.top, area.bottom - 1)};
}

Rect ZoomTool::bandRect(Point to) const {
    return {std::min(start_.x, to.x), std::min(start_.y, to.y), std::max(start_.x, to.x) + 1,
            std::max(start_.y, to.y) + 1};
}

bool ZoomTool::buttonDown(CanvasView& view, Point window, bool shift) {
    switch (mode(view)) {
    case In:
        start_ = clampToImage(view, window);
        band_.start(bandRect(start_));
        return true;
    case Out:
        view.zoomAt(window, std::max(nextZoomStepDown(view.zoom()), view.minimumZoom()), !shift);
        return false;
    case None:
        return false;
    }
    return false;
}

void ZoomTool::move(const CanvasView& view, Point window) {
    if (band_.isActive())
        band_.update(bandRect(clampToImage(view, window)));
}

void ZoomTool::buttonUp(CanvasView& view, Point window, bool shift) {
    if (!band_.isActive())
        return;
    const Rect rect = bandRect(clampToImage(view, window));
    band_.stop();
    if (rect.width() > 2 || rect.height() > 2)
        view.zoomToWindowRect(rect);
    else
        view.zoomAt(window, nextZoomStepUp(view.zoom()), !shift);
}

} // namespace pict
