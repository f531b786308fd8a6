#pragma once
// Combining layers bottom to top into a color surface and an alpha surface. For each pixel
// the lowest layer covering it gives the starting color and alpha (its own blend mode is not
// applied); every later covering layer is added with composite() of the blend arithmetic,
// its alpha being opacity × mask / 255. A pixel no layer covers gets alpha 0, and a pixel
// whose alpha ends at 0 keeps whatever color the target held.

#include "common/Geometry.h"
#include "surface/RasterSurface.h"

#include <vector>

namespace pict {

class Layer;
class LayerStack;
class RasterLayer;

struct CompositeEntry {
    const RasterLayer* layer = nullptr;
    Point offset; // the layer's position minus the target's origin
    Rect rect;    // the layer in target coordinates
};

struct CompositeEntries {
    std::vector<CompositeEntry> entries;
    Rect target;
};

// Whether a layer takes part: a non-empty, visible raster layer with an opacity above 0.
bool takesPartInComposite(const Layer& layer);

// The whole stack onto the canvas.
CompositeEntries buildEntries(const LayerStack& stack);
// The listed layers (in list order) onto the union of their rectangles, or onto the
// background layer's bounds when the document's background layer is among them.
CompositeEntries buildEntries(const LayerStack& stack, const std::vector<const Layer*>& layers);

// Composes the entries into rect ∩ the target's bounds. The alpha surface must have the
// color surface's size. False for an empty area or mismatched surfaces.
bool compositeEntries(const std::vector<CompositeEntry>& entries, Surface24& color, Surface8& alpha,
                      const Rect& rect);

} // namespace pict
