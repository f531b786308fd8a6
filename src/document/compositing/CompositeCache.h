#pragma once
// The document's combined image, kept up to date rectangle by rectangle: every reported
// layer change recomposes only its rectangle. The view draws from it, saving writes it.

#include "common/Geometry.h"
#include "surface/RasterSurface.h"

#include <memory>

namespace pict {

class Document;
class LayerStack;

class CompositeCache {
public:
    // Canvas-sized surfaces; null when a side is outside 1..30000 or memory runs out.
    static std::unique_ptr<CompositeCache> create(Size canvas);

    Size size() const { return color_.size(); }
    const Surface24& color() const { return color_; }
    const Surface8& alpha() const { return alpha_; }
    // The last recomposition found no layer taking part (the alpha is then 0 everywhere).
    bool isEmpty() const { return empty_; }
    // A fully opaque layer covers the canvas, so the alpha is 255 everywhere.
    bool isOpaque() const { return opaque_; }

    // Recomposes rect (canvas coordinates) from the whole stack. mayShare: when the whole
    // canvas is recomposed from a single opaque Normal layer lying exactly on it, the color
    // becomes a read-only view of the layer's pixels instead of a copy (whichever is written
    // first then takes a copy of its own). Worth it where the composite is rarely rebuilt and
    // the layer rarely written afterwards: the batch tool, which composes only to save.
    void invalidate(const LayerStack& stack, const Rect& rect, bool mayShare = false);

private:
    Surface24 color_;
    Surface8 alpha_;
    bool empty_ = true;
    bool opaque_ = false;
};

// Some visible raster layer is fully opaque and covers the whole canvas, so the view may draw
// the composite without a transparency pattern behind it.
bool coveredByOpaqueLayer(const Document& document);

} // namespace pict
