#pragma once
// One stroke of the brush, pencil or eraser on a layer's pixels, painted as it is drawn.
//
// Each pixel remembers the strongest dab coverage the stroke has given it so far, and its
// colour is recomputed from the pixel as it was before the stroke: overlapping dabs never
// build up beyond the opacity, and the result does not depend on how the pointer events
// were cut into segments. Before a dab first touches a 64 × 64 tile, the tile's original
// pixels are copied; those copies are what the stroke's undo keeps.
//
// Per pixel, with the stroke's coverage m, the opacity weight w and Sa = w × m / 255:
//  - brush and pencil: composite(D, Da, colour, Sa, mode); Da is the transparency mask,
//    or a scratch 255 when the layer has none or its transparency is locked;
//  - eraser: the mask becomes Da × (255 − Sa) / 255, or on a background layer the colour
//    moves toward the background colour as an opaque Normal composite would;
// and the selection's coverage s weights the result: old + (((new − old) × s) >> 8).

#include "common/Geometry.h"
#include "document/SelectionArea.h"
#include "imageops/painting/BrushDab.h"
#include "imageops/painting/BrushParams.h"
#include "surface/RasterSurface.h"

#include <memory>
#include <optional>
#include <vector>

namespace pict {

// A pointer position in layer coordinates (continuous: pixel (x, y) spans x .. x + 1) with
// the pen's pressure 0..1 (1 for a mouse).
struct StrokePoint {
    double x = 0.0;
    double y = 0.0;
    double pressure = 1.0;
};

// The layer's pixels a stroke paints: its colour, its transparency mask (null for none),
// whether it is a background layer, and its canvas position (to place the selection).
struct StrokeTarget {
    Surface24* color = nullptr;
    Surface8* transparency = nullptr;
    bool background = false;
    Point position;
};

class PaintStroke {
public:
    static constexpr int32_t kTileSize = 64;

    // The eraser needs a transparency mask on a layer that is not a background layer; the
    // caller creates it first. The selection (canvas coordinates) must outlive the stroke.
    PaintStroke(const BrushParams& params, const StrokeTarget& target, const SelectionArea& selection);
    ~PaintStroke();
    PaintStroke(const PaintStroke&) = delete;
    PaintStroke& operator=(const PaintStroke&) = delete;

    // The first dab. Returns the layer rectangle that changed (empty when none did).
    Rect begin(const StrokePoint& point);
    // Paints on to the point: dabs at the spacing along the way (the pencil: every pixel of
    // the Bresenham line). Returns the layer rectangle that changed.
    Rect lineTo(const StrokePoint& point);

    bool hasBegun() const { return last_.has_value(); }
    const StrokePoint& lastPoint() const { return *last_; }
    // Everything the stroke has changed so far, in layer coordinates.
    Rect touchedBounds() const { return touched_; }

    // The pixels of one tile as they were before the stroke.
    struct OriginalTile {
        Rect rect; // layer coordinates, clipped to the layer
        Surface24 color;
        Surface8 transparency; // empty when the layer has no mask
    };
    const std::vector<std::unique_ptr<OriginalTile>>& originals() const { return originals_; }

private:
    struct Tile;
    Rect paintDab(const Dab& dab);
    Tile& tileAt(int32_t column, int32_t row);
    void dabAt(const StrokePoint& point);
    Rect pencilLine(Point from, Point to, double pressure);

    BrushParams params_;
    StrokeTarget target_;
    SelectionArea selection_;
    Rect layerBounds_;
    int32_t columns_ = 0;
    int32_t rows_ = 0;
    std::vector<Tile*> grid_; // by row and column; null until touched
    std::vector<std::unique_ptr<Tile>> tiles_;
    std::vector<std::unique_ptr<OriginalTile>> originals_;
    std::optional<HardTip> hardTip_;
    std::optional<StrokePoint> last_;
    double carried_ = 0.0; // path length since the last dab (soft tip)
    Rect touched_;
    Rect pending_; // what the current call changed
    Dab dab_;      // reused between dabs
};

} // namespace pict
