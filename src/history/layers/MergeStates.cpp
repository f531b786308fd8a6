#include "history/layers/MergeStates.h"

#include "document/Document.h"
#include "document/compositing/Merge.h"
#include "history/layers/LayerStructureStates.h"

#include <algorithm>

namespace pict {

MergeState::MergeState(DocumentContext& context, MergeKind kind, std::vector<int32_t> layers)
    : WholeDocumentState(context, WholeDocumentSteps{.deselectFirst = false, .refreshLayout = false}),
      kind_(kind), layers_(std::move(layers)) {
    std::sort(layers_.begin(), layers_.end());
    layers_.erase(std::unique(layers_.begin(), layers_.end()), layers_.end());
}

std::string MergeState::name() const {
    switch (kind_) {
    case MergeKind::Layers:
        return "Merge Layers";
    case MergeKind::Down:
        return "Merge Down";
    case MergeKind::Visible:
        return "Merge Visible";
    case MergeKind::Flatten:
        break;
    }
    return "Flatten Image";
}

bool MergeState::apply() {
    activeBefore_ = document().layers().activeIndex();
    return applyWithSnapshot([this](Document& document) {
        if (kind_ == MergeKind::Flatten)
            return flatten(document) != nullptr;
        const LayerStack& stack = document.layers();
        std::vector<const Layer*> layers;
        for (int32_t index : layers_) {
            const Layer* layer = stack.layerAt(index);
            if (!layer)
                return false;
            layers.push_back(layer);
        }
        return layers.size() >= 2 && merge(document, layers) != nullptr;
    });
}

bool MergeState::undo() {
    if (!undoFromSnapshot())
        return false;
    // The snapshot comes back with its top layer active; the user was working on another.
    reactivateLayer(document().layers(), activeBefore_);
    return true;
}

} // namespace pict
