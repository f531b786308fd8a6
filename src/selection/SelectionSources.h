#pragma once
// Canvas-sized masks that the selection tools combine into the selection (Replace, Add,
// Subtract, Intersect): a polygon traced by the lasso, a marquee shape, and the region of
// colours similar to one seed pixel that the magic wand and the paint bucket take. Each
// returns false, leaving the target empty, when memory runs out.

#include "common/Geometry.h"
#include "selection/ColorSimilarity.h"
#include "surface/RasterSurface.h"

#include <span>

namespace pict {

class Document;
class RasterLayer;

// A lasso vertex in continuous canvas coordinates: pixel (x, y) spans x .. x + 1, so the
// polygon (0,0) (4,0) (4,3) (0,3) covers exactly the pixels of the rectangle (0, 0, 4, 3).
struct PolygonPoint {
    double x = 0.0;
    double y = 0.0;
};

// A pixel is inside (255) when its centre has a non-zero winding number around the closed
// polygon; points on an edge count on its left and top side only, so polygons that share an
// edge never share a pixel. Fewer than three points select nothing.
bool polygonMask(std::span<const PolygonPoint> polygon, Size canvas, Surface8& mask);

// The marquee's rectangle or ellipse (as the New selection would be) on the whole canvas.
bool shapeMask(const Rect& shape, bool ellipse, Size canvas, Surface8& mask);

// The pixels Grow (contiguous) or Similar (global) would add to a selection of the seed pixel
// alone, at the tolerance: the seed's colour widened by the tolerance channel by channel, with
// Grow's rules for transparency. A seed outside the canvas gives an empty mask.
bool similarRegionMask(const SampledImage& image, Point seed, int32_t tolerance, bool contiguous, Size canvas,
                       Surface8& mask);

// The same for a document: its active raster layer sampled, or its composite when merged.
// False when there is nothing to sample (no raster active layer) or memory runs out.
bool similarRegionInDocument(Document& document, Point seed, int32_t tolerance, bool contiguous, bool merged,
                             Surface8& mask);

// A layer's pixels as the colour tools sample them: canvas-sized colour and alpha, the alpha
// taking part when the layer has a transparency mask or leaves part of the canvas uncovered.
struct LayerSample {
    Surface24 color;
    Surface8 alpha;
    SampledImage image;
};
bool sampleLayer(const RasterLayer& layer, Size canvas, LayerSample& sample);

} // namespace pict
