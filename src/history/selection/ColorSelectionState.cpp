#include "history/selection/ColorSelectionState.h"

#include "document/Document.h"
#include "selection/ColorSimilarity.h"

namespace pict {

void ColorSelectionState::perform(SelectionController& selection) {
    const LayerStack* stack = document_.layersIfAny();
    const RasterLayer* layer = stack ? stack->rasterAt(layerIndex_) : nullptr;
    if (!layer)
        return; // only pixels can be sampled; the step is kept, changing nothing
    Surface24 color;
    Surface8 alpha;
    if (!layer->canvasImage(color, alpha))
        return;
    // The canvas outside a layer that does not cover it is transparent, not black: such a
    // layer is sampled with its alpha plane even when it has no transparency mask.
    const bool withAlpha =
        layer->transparencyMask() != nullptr || !layer->canvasRect().contains(document_.canvasRect());
    SampledImage image{&color, withAlpha ? &alpha : nullptr};
    selection.growOrSimilar(image, tolerance_, grow_);
}

} // namespace pict
