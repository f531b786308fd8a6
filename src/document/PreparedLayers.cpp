#include "document/PreparedLayers.h"

#include "document/LayerMaskSet.h"
#include "document/LayerStack.h"
#include "surface/PixelWorkCancellation.h"

#include <new>

namespace pict {

namespace {

thread_local PreparedLayers* inUse = nullptr;

// A detached layer over read-only views of the layer's color and mask, with its attributes.
std::unique_ptr<RasterLayer> viewOf(const RasterLayer& layer) {
    Surface24 color;
    if (!color.shareFrom(layer.color()))
        return nullptr;
    auto masks = std::make_unique<LayerMaskSet>(layer.size());
    if (const Surface8* mask = layer.transparencyMask()) {
        Surface8 maskView;
        if (!maskView.shareFrom(*mask) || !masks->setMask(std::move(maskView)))
            return nullptr;
    }
    std::unique_ptr<RasterLayer> view = RasterLayer::createFromSurfaceAndMask(nullptr, std::move(color), std::move(masks));
    if (!view)
        return nullptr;
    view->setBackground(layer.isBackground());
    view->setName(layer.name());
    view->setVisible(layer.isVisible());
    view->setPosition(layer.position());
    view->setBlendMode(layer.blendMode());
    view->setOpacity(layer.opacity());
    return view;
}

} // namespace

std::unique_ptr<PreparedLayers> PreparedLayers::capture(const LayerStack& stack) {
    try {
        auto prepared = std::make_unique<PreparedLayers>();
        prepared->entries_.resize(size_t(stack.count()));
        for (int32_t index = 0; index < stack.count(); ++index) {
            const RasterLayer* layer = stack.rasterAt(index);
            if (!layer || layer->color().isEmpty())
                continue;
            Entry& entry = prepared->entries_[size_t(index)];
            entry.original = layer;
            entry.size = layer->size();
            if (!(entry.view = viewOf(*layer)))
                return nullptr;
        }
        return prepared;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool PreparedLayers::resize(Size oldCanvas, Size newCanvas, int32_t method) {
    if (oldCanvas.isEmpty() || newCanvas.isEmpty())
        return false;
    for (Entry& entry : entries_) {
        if (!entry.view)
            continue;
        const Size target = resizedLayerSize(entry.size, oldCanvas, newCanvas);
        // The walk keeps a layer whose size stays.
        if (target != entry.size && (!(entry.result = entry.view->resized(target, method)) || pixelWorkCancelled()))
            return false;
    }
    return true;
}

bool PreparedLayers::rotate(double angle) {
    for (Entry& entry : entries_)
        if (entry.view && (!(entry.result = entry.view->rotated(angle)) || pixelWorkCancelled()))
            return false;
    return true;
}

bool PreparedLayers::flip(bool horizontal) {
    for (Entry& entry : entries_)
        if (entry.view && (!(entry.result = entry.view->flipped(horizontal)) || pixelWorkCancelled()))
            return false;
    return true;
}

std::unique_ptr<RasterLayer> PreparedLayers::take(int32_t index, const RasterLayer& current) {
    if (index < 0 || size_t(index) >= entries_.size())
        return nullptr;
    Entry& entry = entries_[size_t(index)];
    if (entry.original != &current || entry.size != current.size())
        return nullptr;
    return std::move(entry.result);
}

UsePreparedLayers::UsePreparedLayers(PreparedLayers& prepared) : outer_(inUse) { inUse = &prepared; }

UsePreparedLayers::~UsePreparedLayers() { inUse = outer_; }

std::unique_ptr<RasterLayer> takePreparedLayer(int32_t index, const RasterLayer& current) {
    return inUse ? inUse->take(index, current) : nullptr;
}

} // namespace pict
