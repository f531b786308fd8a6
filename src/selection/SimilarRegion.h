#pragma once
// The magic wand's and the paint bucket's region kept as a selection mask trimmed to its own
// bounds, so that a region much smaller than the canvas never costs a canvas-sized surface,
// and a whole-canvas one is not copied onto the canvas and trimmed again.

#include "selection/SelectionMask.h"
#include "selection/SelectionSources.h"

namespace pict {

// What similarRegionMask places on the canvas, as a trimmed mask of the canvas size.
bool similarRegion(const SampledImage& image, Point seed, int32_t tolerance, bool contiguous, Size canvas,
                   SelectionMask& region);
// The same over a document's active raster layer, or its composite when merged.
bool similarRegionOfDocument(Document& document, Point seed, int32_t tolerance, bool contiguous, bool merged,
                             SelectionMask& region);

} // namespace pict
