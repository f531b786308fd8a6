#pragma once
// The selection outline ("marching ants") over a rendered view: the edge points at the
// current zoom and scroll position, recomputed only when the selection or the mapping
// changed, and painted into a copy of the picture with the stripe phase of timer 1100.

#include "canvas/CanvasRenderer.h"
#include "selection/SelectionOutline.h"

#include <cstdint>

namespace pict {

class SelectionController;

class SelectionOverlay {
public:
    // Brings the edge points up to date; false when there is nothing to draw (no
    // selection, the outline hidden, nothing of it visible, or no memory for the points).
    bool update(const CanvasView& view, const SelectionController& selection);
    // The window rectangle the points lie in (what to repaint when the phase moves).
    const Rect& box() const { return edges_.box; }
    // Paints the outline pixels white or black for the phase (0..7), clipped to the buffer.
    void drawInto(ViewBuffer& buffer, int32_t phase) const;

private:
    struct Key {
        uint64_t selectionChange = UINT64_MAX;
        Rect boundsInWindow;
        Rect client;
        friend bool operator==(const Key&, const Key&) = default;
    };
    Key key_;
    OutlineEdges edges_;
};

} // namespace pict
