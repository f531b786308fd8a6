#pragma once
// The pixel side of the "marching ants": which window pixels carry the outline of a
// selection at the current zoom, and the moving stripe pattern they are painted with.

#include "common/Geometry.h"
#include "selection/SelectionMask.h"

#include <cstdint>
#include <vector>

namespace pict {

struct OutlineEdges {
    Rect box;                 // window rectangle the points are relative to
    std::vector<Point> points; // relative to box's top-left corner
};

// boundsInWindow: the selection's bounds mapped to window coordinates (the view's
// image-to-window transform); clientArea: the window's visible area. The coverage is
// stretched onto boundsInWindow by nearest neighbour; a window pixel inside the visible
// box is an edge point when its value is at least 149 and one of its four direct
// neighbours is 148 or less (beyond the stretched bounds counts as 0). False only when
// memory runs out; an empty selection or box gives no points.
bool computeOutlineEdges(const SelectionMask& mask, const Rect& boundsInWindow, const Rect& clientArea,
                         OutlineEdges& edges);

// Whether box-relative pixel (x, y) is painted white (true) or black in animation phase
// 0..7: diagonal stripes four pixels wide that move by one pixel per phase.
bool outlinePixelIsWhite(int32_t phase, int32_t x, int32_t y);

} // namespace pict
