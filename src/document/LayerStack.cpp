// The stack's index discipline, the active layer, attribute setters, the pixel operations
// at an index, naming and the one place every change is reported from.
#include "document/LayerStack.h"

#include "document/Document.h"
#include "document/LayerOperations.h"
#include "document/NumberedNames.h"

#include <new>
#include <utility>

namespace pict {

LayerStack::~LayerStack() {
    active_ = nullptr;
    layers_.clear();
}

Layer* LayerStack::layerAt(int32_t index) const {
    return index >= 0 && index < count() ? layers_[size_t(index)].get() : nullptr;
}

RasterLayer* LayerStack::rasterAt(int32_t index) const {
    Layer* layer = layerAt(index);
    return layer ? layer->asRaster() : nullptr;
}

int32_t LayerStack::indexOf(const Layer* layer) const {
    if (!layer)
        return -1;
    for (int32_t i = 0; i < count(); ++i)
        if (layers_[size_t(i)].get() == layer)
            return i;
    return -1;
}

Layer* LayerStack::findByName(const std::string& name) const {
    for (const auto& layer : layers_)
        if (layer->name() == name)
            return layer.get();
    return nullptr;
}

std::string LayerStack::nameAt(int32_t index) const {
    const Layer* layer = layerAt(index);
    return layer ? layer->name() : std::string();
}

RasterLayer* LayerStack::backgroundLayer() const {
    for (const auto& layer : layers_)
        if (layer->isBackground())
            return layer->asRaster();
    return nullptr;
}

bool LayerStack::insert(std::unique_ptr<Layer>&& layer, int32_t position) {
    if (!layer)
        return false;
    if (contains(layer.get())) {
        (void)layer.release(); // already owned here
        return false;
    }
    int32_t index;
    if (position >= 0)
        index = std::min(position, count());
    else if (layer->isBackground())
        index = 0;
    else if (active_)
        index = activeIndex() + 1;
    else
        index = count();
    if (journal_ && !journal_->hasRoom())
        return false;
    try {
        Layer* inserted = layer.get();
        layers_.insert(layers_.begin() + index, std::move(layer));
        inserted->setOwner(this);
        active_ = inserted;
    } catch (const std::bad_alloc&) {
        return false; // the vector, the active layer and the caller's pointer are unchanged
    }
    if (journal_)
        journal_->record(LayerJournal::Change::Added, index, nullptr);
    return true;
}

bool LayerStack::add(std::unique_ptr<Layer>&& layer, int32_t position) {
    Layer* added = layer.get();
    if (!insert(std::move(layer), position))
        return false;
    report(added, LayerChangeKind::Structure);
    return true;
}

std::unique_ptr<Layer> LayerStack::erase(int32_t index) {
    if (!layerAt(index))
        return nullptr;
    std::unique_ptr<Layer> layer = std::move(layers_[size_t(index)]);
    layers_.erase(layers_.begin() + index);
    if (active_ == layer.get())
        active_ = layers_.empty() ? nullptr : layers_[size_t(std::min(index, count() - 1))].get();
    return layer;
}

bool LayerStack::remove(const Layer* layer, bool notify) {
    const int32_t index = indexOf(layer);
    if (journal_ && !journal_->hasRoom())
        return false;
    std::unique_ptr<Layer> removed = erase(index);
    if (!removed)
        return false;
    // The notification still carries the layer, so it is destroyed (or kept) only afterwards.
    if (notify)
        report(removed.get(), LayerChangeKind::Structure);
    if (journal_)
        journal_->record(LayerJournal::Change::Removed, index, std::move(removed));
    return true;
}

std::unique_ptr<Layer> LayerStack::detach(int32_t index) {
    std::unique_ptr<Layer> removed = erase(index);
    if (removed) {
        report(removed.get(), LayerChangeKind::Structure);
        removed->setOwner(nullptr);
    }
    return removed;
}

void LayerStack::removeAll(bool notify) {
    while (!layers_.empty())
        remove(layers_.back().get(), notify);
}

std::unique_ptr<Layer> LayerStack::replace(int32_t index, std::unique_ptr<Layer> layer) {
    if (!layer || !layerAt(index) || contains(layer.get()))
        return nullptr;
    layer->setOwner(this);
    std::unique_ptr<Layer> old = std::move(layers_[size_t(index)]);
    layers_[size_t(index)] = std::move(layer);
    if (active_ == old.get())
        active_ = layers_[size_t(index)].get();
    old->setOwner(nullptr);
    report(layers_[size_t(index)].get(), LayerChangeKind::Structure);
    return old;
}

bool LayerStack::replaceWithPlaceholder(int32_t index, bool notify) {
    Layer* layer = layerAt(index);
    if (!layer || !layer->isLive() || !layer->isRaster())
        return false;
    const bool wasVisible = layer->isVisible();
    try {
        if (!replaceAt(index, RemovedLayer::replacing(*layer)))
            return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    // A placeholder alone would report nothing, but the pixels of the layer it replaces
    // must leave the composite: the report is forced when that layer was showing.
    if (notify)
        report(layers_[size_t(index)].get(), LayerChangeKind::Structure, std::nullopt, wasVisible);
    return true;
}

bool LayerStack::replaceAt(int32_t index, std::unique_ptr<Layer>&& next) {
    if (!next || !layerAt(index) || contains(next.get()) || (journal_ && !journal_->hasRoom()))
        return false;
    next->setOwner(this);
    std::unique_ptr<Layer> old = std::exchange(layers_[size_t(index)], std::move(next));
    if (active_ == old.get())
        active_ = layers_[size_t(index)].get();
    if (journal_)
        journal_->record(LayerJournal::Change::Replaced, index, std::move(old));
    return true;
}

void LayerStack::rewind(LayerJournal& journal) {
    LayerJournal* attached = std::exchange(journal_, nullptr);
    auto& entries = journal.entries_;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        const auto index = size_t(entry->index);
        switch (entry->change) {
        case LayerJournal::Change::Replaced:
            if (index < layers_.size()) {
                entry->layer->setOwner(this);
                layers_[index] = std::move(entry->layer);
            }
            break;
        case LayerJournal::Change::Removed:
            // The stack held this many layers before, so its capacity takes them back
            // without allocating.
            if (index <= layers_.size()) {
                entry->layer->setOwner(this);
                layers_.insert(layers_.begin() + std::ptrdiff_t(index), std::move(entry->layer));
            }
            break;
        case LayerJournal::Change::Added:
            if (index < layers_.size())
                layers_.erase(layers_.begin() + std::ptrdiff_t(index));
            break;
        }
    }
    const auto& positions = journal.positions_;
    for (size_t i = 0; i < positions.size() && i < layers_.size(); ++i)
        layers_[i]->setPosition(positions[i]);
    active_ = layerAt(journal.activeIndex_);
    if (!active_ && !layers_.empty())
        active_ = layers_.back().get();
    journal.clear();
    journal_ = attached == &journal ? nullptr : attached;
}

bool LayerStack::setActive(const Layer* layer) {
    const int32_t index = indexOf(layer);
    if (index < 0)
        return false;
    active_ = layers_[size_t(index)].get();
    return true;
}

bool LayerStack::setName(Layer* layer, std::string name, bool notify) {
    if (!contains(layer))
        return false;
    layer->setName(std::move(name));
    if (notify)
        report(layer, LayerChangeKind::Name);
    return true;
}

bool LayerStack::setBlendMode(Layer* layer, int32_t mode, bool notify) {
    if (!contains(layer) || !layer->setBlendMode(mode))
        return false;
    if (notify)
        report(layer, LayerChangeKind::BlendMode);
    return true;
}

bool LayerStack::setOpacity(Layer* layer, uint8_t opacity, bool notify) {
    if (!contains(layer) || !layer->setOpacity(opacity))
        return false;
    if (notify)
        report(layer, LayerChangeKind::Opacity);
    return true;
}

bool LayerStack::setPosition(Layer* layer, Point position, bool notify) {
    if (!contains(layer) || !layer->isLive())
        return false;
    const Rect before = layer->canvasRect();
    layer->setPosition(position);
    if (notify)
        report(layer, LayerChangeKind::Pixels, before.united(layer->canvasRect()));
    return true;
}

bool LayerStack::setVisible(Layer* layer, bool visible, bool notify) {
    if (!contains(layer))
        return false;
    layer->setVisible(visible);
    if (notify)
        report(layer, LayerChangeKind::Visibility, std::nullopt, true);
    return true;
}

Rect LayerStack::pixelReportRect(const Layer& layer, const SelectionArea& selection) const {
    return selection.isEmpty() ? layer.canvasRect() : selection.bounds;
}

bool LayerStack::fill(int32_t index, SurfaceFill& fill, const SelectionArea& selection) {
    RasterLayer* layer = rasterAt(index);
    if (!layer || !layer->fill(fill, selection))
        return false;
    report(layer, LayerChangeKind::Pixels, pixelReportRect(*layer, selection), true);
    return true;
}

bool LayerStack::applyFilter(int32_t index, SurfaceFilter& filter, const SelectionArea& selection) {
    RasterLayer* layer = rasterAt(index);
    if (!layer || !layer->applyFilter(filter, selection))
        return false;
    report(layer, LayerChangeKind::Pixels, pixelReportRect(*layer, selection), true);
    return true;
}

bool LayerStack::clear(int32_t index, const SelectionArea& selection, uint32_t backgroundColor) {
    RasterLayer* layer = rasterAt(index);
    if (!layer)
        return false;
    const bool cleared = layer->isBackground() ? layer->clearBackground(selection, backgroundColor)
                                               : layer->clearToTransparent(0, selection);
    if (!cleared)
        return false;
    report(layer, LayerChangeKind::Pixels, pixelReportRect(*layer, selection), true);
    return true;
}

bool LayerStack::restoreColor(int32_t index, const Surface24& saved, const SelectionArea& selection) {
    RasterLayer* layer = rasterAt(index);
    if (!layer || !layer->restoreColor(saved, selection))
        return false;
    report(layer, LayerChangeKind::Pixels, pixelReportRect(*layer, selection), true);
    return true;
}

bool LayerStack::restoreMask(int32_t index, const Surface8& saved, const SelectionArea& selection) {
    RasterLayer* layer = rasterAt(index);
    if (!layer || !layer->restoreMask(saved, selection))
        return false;
    report(layer, LayerChangeKind::Pixels, pixelReportRect(*layer, selection), true);
    return true;
}

bool LayerStack::writeBack(int32_t index, const Surface24& saved) {
    RasterLayer* layer = rasterAt(index);
    if (!layer || !layer->writeBack(saved))
        return false;
    report(layer, LayerChangeKind::Pixels, layer->canvasRect(), true);
    return true;
}

bool LayerStack::replaceContent(int32_t index, const RasterLayer& source) {
    RasterLayer* layer = rasterAt(index);
    if (!layer)
        return false;
    const Rect before = layer->canvasRect();
    if (!layer->copyFrom(source))
        return false;
    report(layer, LayerChangeKind::Structure, before.united(layer->canvasRect()), true);
    return true;
}

std::string LayerStack::defaultLayerName(bool background) const {
    if (background)
        return "Background";
    std::vector<std::string_view> names;
    names.reserve(layers_.size());
    for (const auto& layer : layers_)
        names.push_back(layer->name());
    return nextNumberedName("Layer ", names);
}

std::string LayerStack::duplicateLayerName(const Layer& layer) const {
    std::vector<std::string_view> names;
    names.reserve(layers_.size());
    for (const auto& each : layers_)
        names.push_back(each->name());
    return duplicateName(layer.name(), names);
}

std::unique_ptr<LayerStack> LayerStack::clone(Document* document) const {
    try {
        auto copy = std::make_unique<LayerStack>(document);
        copy->layers_.reserve(layers_.size());
        for (const auto& layer : layers_) {
            std::unique_ptr<Layer> cloned = layer->clone(copy.get());
            if (!cloned)
                return nullptr;
            copy->layers_.push_back(std::move(cloned));
        }
        copy->active_ = copy->layers_.empty() ? nullptr : copy->layers_.back().get();
        return copy;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void LayerStack::report(const Layer* layer, LayerChangeKind kind, std::optional<Rect> rect, bool force) {
    if (!document_ || !layer)
        return;
    Rect area;
    if ((layer->isLive() && layer->isVisible()) || force)
        area = document_->canvasRect(); // the extended rectangle clipped to the canvas
    if (!area.isEmpty()) {
        if (rect)
            area = area.intersected(*rect);
        document_->invalidate(area);
    }
    document_->notifyLayer(layer, kind, area);
}

} // namespace pict
