#include "canvas/MarqueeTool.h"

#include "selection/SelectionMask.h"

#include <algorithm>

namespace pict {

bool MarqueeSelectionView::hasSelection() const {
    return selection && !selection->isEmpty();
}

bool MarqueeSelectionView::onSelectedPixel(const CanvasView& view, Point window) const {
    // A hidden layer shows nothing to grab, so a press there draws a new rectangle.
    return hasSelection() && activeLayerVisible && selection->containsPoint(view.windowToImage(window), true);
}

MarqueePress MarqueeTool::buttonDown(const CanvasView& view, Point window,
                                     const MarqueeSelectionView& selection) {
    // The anchor may sit on the image's right or bottom edge: a drag that starts in the gray
    // area beyond it then reaches the last column or row.
    const Rect area = view.imageWindowRect();
    anchor_ = {std::clamp(window.x, area.left, area.right), std::clamp(window.y, area.top, area.bottom)};
    if (selection.onSelectedPixel(view, anchor_))
        return MarqueePress::OnSelection;
    band_.start({anchor_.x, anchor_.y, anchor_.x, anchor_.y});
    return selection.hasSelection() ? MarqueePress::DeselectThenBand : MarqueePress::Band;
}

Rect MarqueeTool::bandTo(const CanvasView& view, Point window, MarqueeModifiers modifiers) const {
    const Rect area = view.imageWindowRect();
    // The pixel under the cursor is inside the band on whichever side of the anchor it is.
    const int32_t x = std::clamp(window.x > anchor_.x ? window.x + 1 : window.x, area.left, area.right);
    const int32_t y = std::clamp(window.y > anchor_.y ? window.y + 1 : window.y, area.top, area.bottom);
    const bool anchorRight = x < anchor_.x;
    const bool anchorBottom = y < anchor_.y;
    Rect band = Rect{anchor_.x, anchor_.y, x, y}.normalized();

    // Magnified, the band frames whole image pixels. An empty band stays empty: rounding its
    // edges apart would turn a straight line into a one-pixel selection.
    if (view.zoom() > 1.0f && !band.isEmpty())
        band = view.imageRectToWindow(view.windowRectToImage(band));

    if (modifiers.square) {
        const int32_t side = std::min(band.width(), band.height());
        if (anchorRight)
            band.left = band.right - side;
        else
            band.right = band.left + side;
        if (anchorBottom)
            band.top = band.bottom - side;
        else
            band.bottom = band.top + side;
    }

    if (modifiers.centered) {
        // The anchor corner becomes the centre; the band then shrinks about it until it fits
        // the image, and a square stays square.
        const int32_t cx = anchorRight ? band.right : band.left;
        const int32_t cy = anchorBottom ? band.bottom : band.top;
        int32_t halfWidth = std::min({band.width(), cx - area.left, area.right - cx});
        int32_t halfHeight = std::min({band.height(), cy - area.top, area.bottom - cy});
        if (modifiers.square)
            halfWidth = halfHeight = std::min(halfWidth, halfHeight);
        band = {cx - halfWidth, cy - halfHeight, cx + halfWidth, cy + halfHeight};
    }
    return band;
}

bool MarqueeTool::move(const CanvasView& view, Point window, MarqueeModifiers modifiers) {
    if (!band_.isActive() || !band_.update(bandTo(view, window, modifiers)))
        return false;
    if (listener_)
        listener_->marqueeSizeChanged(*draggedSize(view));
    return true;
}

std::optional<Size> MarqueeTool::draggedSize(const CanvasView& view) const {
    if (!band_.isActive())
        return std::nullopt;
    const Rect band = band_.rect();
    if (band.isEmpty())
        return Size{};
    return view.windowRectToImage(band).intersected(Rect::fromSize(view.imageSize())).size();
}

std::optional<Rect> MarqueeTool::buttonUp(const CanvasView& view) {
    if (!band_.isActive())
        return std::nullopt;
    const Rect band = band_.rect().normalized();
    end();
    if (band.isEmpty())
        return std::nullopt;
    const Rect image = view.windowRectToImage(band).intersected(Rect::fromSize(view.imageSize()));
    if (image.isEmpty())
        return std::nullopt;
    return image;
}

void MarqueeTool::cancel() {
    if (band_.isActive())
        end();
}

void MarqueeTool::end() {
    band_.stop();
    if (listener_)
        listener_->marqueeEnded();
}

CanvasCursor MarqueeTool::cursor(const CanvasView& view, Point window,
                                 const MarqueeSelectionView& selection) const {
    if (!isDragging() && selection.onSelectedPixel(view, window))
        return CanvasCursor::OverSelection;
    if (crop_)
        return alternateCursor_ ? CanvasCursor::CropAlternate : CanvasCursor::Crop;
    return alternateCursor_ ? CanvasCursor::MarqueeAlternate : CanvasCursor::Marquee;
}

} // namespace pict
