#include "history/selection/ColorSelectionState.h"

#include "document/Document.h"
#include "selection/SelectionSources.h"

namespace pict {

void ColorSelectionState::perform(SelectionController& selection) {
    const LayerStack* stack = document_.layersIfAny();
    const RasterLayer* layer = stack ? stack->rasterAt(layerIndex_) : nullptr;
    if (!layer)
        return; // only pixels can be sampled; the step is kept, changing nothing
    LayerSample sample;
    if (!sampleLayer(*layer, document_.canvasSize(), sample))
        return;
    selection.growOrSimilar(sample.image, tolerance_, grow_);
}

} // namespace pict
