// The Modify commands of the selection: Feather, Expand, Contract and Border. Each works
// on a copy of the coverage with just the room it can spread into, then trims.
#include "selection/SelectionMask.h"

#include "selection/BorderBand.h"
#include "selection/MaskRegions.h"
#include "selection/ModifyLimits.h"
#include "selection/Morphology.h"
#include "surface/StackBlur.h"

#include <algorithm>
#include <cmath>

namespace pict {

namespace {

Rect grown(const Rect& r, int32_t by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

} // namespace

bool SelectionMask::feather(double radius) {
    if (isEmpty())
        return true;
    radius = clampFeatherRadius(radius);
    const int32_t pad = stackBlurPadding(radius);
    const Rect working = grown(bounds_, pad).intersected(canvasRect());
    Surface8 blurred;
    if (!createMask(blurred, working.size()))
        return false;
    copyOverlap(coverage_, bounds_.topLeft(), blurred, working.topLeft());
    if (!stackBlur(blurred, static_cast<int32_t>(std::ceil(radius))))
        return false;
    return adoptTrimmed(blurred, working);
}

bool SelectionMask::expand(int32_t width) {
    if (isEmpty())
        return true;
    const int32_t n = clampModifyWidth(width);
    const Rect working = grown(bounds_, n).intersected(canvasRect());
    Surface8 input;
    Surface8 output;
    if (!createMask(input, working.size()))
        return false;
    copyOverlap(coverage_, bounds_.topLeft(), input, working.topLeft());
    if (!dilateMask(input, output, n, n))
        return false;
    return adoptTrimmed(output, working);
}

bool SelectionMask::contract(int32_t width) {
    if (isEmpty())
        return true;
    const int32_t n = clampModifyWidth(width);
    // One pixel of unselected room on every side that is not the canvas edge, so that the
    // erosion sees the selection's own boundary; at the canvas edge the outside counts as
    // unselected anyway.
    Rect working = bounds_;
    if (working.left > 0)
        --working.left;
    if (working.top > 0)
        --working.top;
    if (working.right < canvasWidth_)
        ++working.right;
    if (working.bottom < canvasHeight_)
        ++working.bottom;
    Surface8 input;
    Surface8 output;
    if (!createMask(input, working.size()))
        return false;
    copyOverlap(coverage_, bounds_.topLeft(), input, working.topLeft());
    if (!erodeMask(input, output, n, n))
        return false;
    return adoptTrimmed(output, working);
}

bool SelectionMask::border(int32_t width) {
    if (isEmpty())
        return true;
    const int32_t n = clampModifyWidth(width);
    const Rect working = grown(bounds_, n).intersected(canvasRect());
    Surface8 input;
    Surface8 edges;
    if (!createMask(input, working.size()))
        return false;
    copyOverlap(coverage_, bounds_.topLeft(), input, working.topLeft());
    if (!edgeMap(input, edges))
        return false;
    if (n == 1)
        return adoptTrimmed(edges, working);
    Surface8 band;
    if (!spreadEdges(edges, band, n))
        return false;
    return adoptTrimmed(band, working);
}

} // namespace pict
