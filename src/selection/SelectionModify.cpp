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

bool SelectionMask::copyToWorking(Surface8& target, const Rect& working) const {
    if (!createMask(target, working.size()))
        return false;
    copyOverlap(coverage_, bounds_.topLeft(), target, working.topLeft());
    return true;
}

bool SelectionMask::feather(double radius) {
    if (isEmpty())
        return true;
    radius = clampFeatherRadius(radius);
    const int32_t pad = stackBlurPadding(radius);
    const Rect working = grown(bounds_, pad).intersected(canvasRect());
    Surface8 blurred;
    return copyToWorking(blurred, working) && stackBlur(blurred, static_cast<int32_t>(std::ceil(radius))) &&
           adoptTrimmed(blurred, working);
}

bool SelectionMask::expand(int32_t width) {
    if (isEmpty())
        return true;
    const int32_t n = clampModifyWidth(width);
    const Rect working = grown(bounds_, n).intersected(canvasRect());
    Surface8 input;
    Surface8 output;
    return copyToWorking(input, working) && dilateMask(input, output, n, n) && adoptTrimmed(output, working);
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
    return copyToWorking(input, working) && erodeMask(input, output, n, n) && adoptTrimmed(output, working);
}

bool SelectionMask::border(int32_t width) {
    if (isEmpty())
        return true;
    const int32_t n = clampModifyWidth(width);
    const Rect working = grown(bounds_, n).intersected(canvasRect());
    Surface8 input;
    Surface8 edges;
    if (!copyToWorking(input, working) || !edgeMap(input, edges))
        return false;
    if (n == 1)
        return adoptTrimmed(edges, working);
    Surface8 band;
    if (!spreadEdges(edges, band, n))
        return false;
    return adoptTrimmed(band, working);
}

} // namespace pict
