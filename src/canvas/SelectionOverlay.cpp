#include "canvas/SelectionOverlay.h"

#include "selection/SelectionController.h"

namespace pict {

bool SelectionOverlay::update(const CanvasView& view, const SelectionController& selection) {
    if (selection.isEmpty() || !selection.outlineVisible()) {
        edges_ = {};
        key_ = {};
        return false;
    }
    const Key key{selection.changeCount(), view.imageRectToWindow(selection.mask().bounds()),
                  Rect::fromSize(view.clientSize())};
    if (!(key == key_)) {
        if (!computeOutlineEdges(selection.mask(), key.boundsInWindow, key.client, edges_)) {
            edges_ = {};
            key_ = {};
            return false;
        }
        key_ = key;
    }
    return !edges_.points.empty();
}

void SelectionOverlay::drawInto(ViewBuffer& buffer, int32_t phase) const {
    for (const Point& p : edges_.points) {
        const int32_t x = edges_.box.left + p.x;
        const int32_t y = edges_.box.top + p.y;
        if (x < 0 || y < 0 || x >= buffer.width || y >= buffer.height)
            continue;
        buffer.row(y)[x] = outlinePixelIsWhite(phase, p.x, p.y) ? 0xFFFFFFFFu : 0xFF000000u;
    }
}

} // namespace pict
