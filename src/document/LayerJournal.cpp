#include "document/LayerJournal.h"

#include "document/Layer.h"
#include "document/LayerStack.h"

namespace pict {

LayerJournal::LayerJournal() = default;
LayerJournal::LayerJournal(LayerJournal&&) noexcept = default;
LayerJournal& LayerJournal::operator=(LayerJournal&&) noexcept = default;
LayerJournal::~LayerJournal() = default;

void LayerJournal::begin(const LayerStack& stack) {
    clear();
    const int32_t count = stack.count();
    // A walk replaces each layer at most once; a merge removes each and adds one.
    entries_.reserve(size_t(count) * 2 + 2);
    positions_.reserve(size_t(count));
    for (int32_t i = 0; i < count; ++i)
        positions_.push_back(stack.layerAt(i)->position());
    activeIndex_ = stack.activeIndex();
    begun_ = true;
}

std::vector<const Layer*> LayerJournal::takenLayers() const {
    std::vector<const Layer*> taken;
    for (const Entry& entry : entries_)
        if (entry.layer)
            taken.push_back(entry.layer.get());
    return taken;
}

void LayerJournal::clear() {
    entries_.clear();
    positions_.clear();
    activeIndex_ = -1;
    begun_ = false;
}

void LayerJournal::record(Change change, int32_t index, std::unique_ptr<Layer> layer) {
    if (layer)
        layer->setOwner(nullptr); // kept, not in any stack, until it is put back
    entries_.push_back({change, index, std::move(layer)});
}

} // namespace pict
