#pragma once
// A piece of picture lifted off a layer or the composite: colors, their transparency and the
// canvas position they came from. Copy, Cut, Paste and the Move tool's floating selection all
// carry pixels this way, so the selection's coverage is folded into the transparency once.

#include "common/Geometry.h"
#include "document/SelectionArea.h"
#include "surface/RasterSurface.h"

namespace pict {

class CompositeCache;
class RasterLayer;

struct PixelPiece {
    Surface24 color;
    Surface8 alpha;  // color's size; 255 opaque
    Point origin;    // canvas position of the top-left pixel
    bool isEmpty() const { return color.isEmpty(); }
    Size size() const { return color.size(); }
    Rect canvasRect() const { return Rect::fromPointSize(origin, color.size()); }
};

// coverage × alpha / 255, rounded to nearest: 255 keeps alpha, 0 clears it.
inline uint8_t coveredAlpha(uint32_t alpha, uint32_t coverage) {
    return uint8_t((alpha * coverage + 127) / 255);
}

// The layer's pixels inside the selection's bounds (all of the layer without a selection) with
// the selection's coverage multiplied into the layer's transparency. False, piece untouched,
// when the layer has no pixels there or memory runs out.
bool liftLayerPixels(const RasterLayer& layer, const SelectionArea& selection, PixelPiece& piece);

// The same from the composite image (canvas-sized), inside the selection or all of it.
bool liftCompositePixels(const CompositeCache& composite, const SelectionArea& selection, PixelPiece& piece);

// Multiplies the selection's coverage, at the piece's canvas position, into its transparency:
// pixels outside the selection become transparent.
void maskPieceBySelection(PixelPiece& piece, const SelectionArea& selection);

// Lays the piece, at its canvas origin, over the layer in the Normal mode: over a layer with
// a transparency mask it composites colour and transparency, over an opaque layer it mixes
// into the colours. Only the part lying on the layer is drawn; nothing is reported. Returns
// the canvas rectangle that was drawn on (empty when the piece misses the layer).
Rect dropPieceOnLayer(const PixelPiece& piece, RasterLayer& layer);

} // namespace pict
