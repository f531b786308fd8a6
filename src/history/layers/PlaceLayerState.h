#pragma once
// "Place": an image from outside becomes a new raster layer above the active one, with its
// transparency, named as a new layer would be. The state keeps the image, so that every
// redo places a fresh layer with the same name at the same index; undo removes it.

#include "common/Geometry.h"
#include "history/DocumentContext.h"
#include "history/HistoryState.h"
#include "history/layers/PlacedLayer.h"
#include "surface/RasterSurface.h"

#include <string>

namespace pict {

class PlaceLayerState final : public DocumentChangeState {
public:
    // alpha may be empty (an opaque image); otherwise it has color's size.
    PlaceLayerState(DocumentContext& context, Surface24&& color, Surface8&& alpha, Point position);

    std::string name() const override { return "Place"; }
    bool apply() override;
    bool undo() override;

    // The index the layer got on the last apply; -1 before.
    int32_t layerIndex() const { return layer_.index(); }

private:
    DocumentContext& context_;
    Surface24 color_;
    Surface8 alpha_;
    Point position_;
    PlacedLayer layer_;
};

} // namespace pict
