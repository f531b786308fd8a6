// The drawing area's part of the Crop tool and of the Ctrl+wheel zoom: the frame's keys,
// its double-click, its repaints and its commit.
#include "app/qt/canvas/CanvasWidget.h"

#include "canvas/ZoomSteps.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>
#include <cstdlib>

namespace pict::qt {

bool CanvasWidget::cropKey(QKeyEvent* event) {
    if (!crop_.hasFrame())
        return false;
    const std::optional<Rect> before = crop_.windowFrame(view_);
    if (event->key() == Qt::Key_Escape) {
        crop_.drop();
        dragTool_.reset();
    } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !crop_.isDragging()) {
        const std::optional<Rect> frame = crop_.commit();
        cropFrameChanged(before);
        commitCrop(frame);
        event->accept();
        return true;
    } else {
        return false;
    }
    cropFrameChanged(before);
    updateCursor();
    event->accept();
    return true;
}

bool CanvasWidget::cropDoubleClick(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || activeTool() != CanvasTool::Crop)
        return false;
    // The double-click's own press may have taken hold of the frame; it has not moved it.
    if (crop_.isDragging()) {
        crop_.buttonUp();
        dragTool_.reset();
    }
    const std::optional<Rect> before = crop_.windowFrame(view_);
    const Point at{static_cast<int32_t>(std::floor(event->position().x())),
                   static_cast<int32_t>(std::floor(event->position().y()))};
    const std::optional<Rect> frame = crop_.doubleClick(view_, at);
    if (!frame)
        return false;
    cropFrameChanged(before);
    commitCrop(frame);
    event->accept();
    return true;
}

void CanvasWidget::commitCrop(std::optional<Rect> frame) {
    if (frame && !frame->isEmpty())
        emit cropCommitted(QRect(frame->left, frame->top, frame->width(), frame->height()));
    updateCursor();
}

void CanvasWidget::cropFrameChanged(const std::optional<Rect>& before) {
    const std::optional<Rect> now = crop_.windowFrame(view_);
    Rect area = before.value_or(Rect{});
    if (now)
        area = area.isEmpty() ? *now : area.united(*now);
    if (!area.isEmpty())
        viewport()->update(QRect(area.left, area.top, area.width(), area.height()).adjusted(-1, -1, 1, 1));
    // The stripes march while a frame stands, as the marquee's do while it drags.
    if (crop_.hasFrame() && !bandTimer_.isActive())
        bandTimer_.start(kTimerIntervalMs, this);
    else if (!crop_.hasFrame() && !activeBand())
        bandTimer_.stop();
}

void CanvasWidget::wheelZoom(QPoint angleDelta, Point at) {
    // One zoom step per notch, in for a notch away from the user, about the image point
    // under the pointer; high-resolution wheels add up to whole notches.
    wheelZoomRemainder_ += angleDelta.y() != 0 ? angleDelta.y() : angleDelta.x();
    const int notches = wheelZoomRemainder_ / 120;
    wheelZoomRemainder_ -= notches * 120;
    if (notches == 0)
        return;
    float zoom = view_.zoom();
    for (int i = 0; i < std::abs(notches); ++i)
        zoom = notches > 0 ? nextZoomStepUp(zoom) : nextZoomStepDown(zoom);
    view_.zoomAt(at, zoom, true);
}

} // namespace pict::qt
