#pragma once
// A brush, pencil or eraser stroke on a document's active layer, from the first point to the
// history state. The stroke paints as the points arrive and reports each changed rectangle
// to the layer stack (so only that part is recomposed and repainted); finish() hands back
// one already-applied state named after the tool that keeps only the touched tiles.

#include "history/DocumentContext.h"
#include "history/HistoryState.h"
#include "imageops/painting/PaintStroke.h"

#include <memory>
#include <string>

namespace pict {

class PaintingPromotion;
class RasterLayer;

class LayerStroke {
public:
    // Null, with the reason in *whyNot, when the active layer cannot be painted (not a
    // visible raster or empty layer, or memory for its transparency mask ran out). An empty
    // layer is made a transparent raster layer at once; the state finish() hands back puts it
    // back on undo, and a stroke cancelled or not finished puts it back when it goes.
    static std::unique_ptr<LayerStroke> start(DocumentContext& context, const BrushParams& params,
                                              std::string* whyNot = nullptr);
    ~LayerStroke();

    // Points in canvas coordinates. Each returns the canvas rectangle that changed.
    Rect begin(const StrokePoint& point);
    Rect lineTo(const StrokePoint& point);
    bool hasBegun() const { return stroke_->hasBegun(); }
    // The last point in canvas coordinates.
    StrokePoint lastPoint() const;

    // The state to record (already applied), or null when nothing changed. The stroke is
    // spent afterwards.
    std::unique_ptr<HistoryState> finish();
    // Escape: the layer goes back to how it was before the stroke.
    void cancel();

private:
    LayerStroke(DocumentContext& context, const BrushParams& params, int32_t layerIndex, bool createdMask);
    RasterLayer* layer() const;
    Rect report(const Rect& layerRect);

    DocumentContext& context_;
    BrushParams params_;
    int32_t layerIndex_;
    bool createdMask_;
    Point position_;
    std::unique_ptr<PaintStroke> stroke_;
    std::unique_ptr<PaintingPromotion> promotion_;
};

} // namespace pict
