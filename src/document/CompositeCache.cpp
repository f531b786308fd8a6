#include "document/CompositeCache.h"

#include "document/Compositor.h"
#include "document/Document.h"
#include "document/DocumentInfo.h"

#include <new>

namespace pict {

std::unique_ptr<CompositeCache> CompositeCache::create(Size canvas) {
    if (canvas.width < 1 || canvas.width > kMaxCanvasSide || canvas.height < 1 || canvas.height > kMaxCanvasSide)
        return nullptr;
    try {
        auto cache = std::make_unique<CompositeCache>();
        if (!cache->color_.create(canvas.width, canvas.height, 24) ||
            !cache->alpha_.create(canvas.width, canvas.height, 8))
            return nullptr;
        return cache;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void CompositeCache::invalidate(const LayerStack& stack, const Rect& rect) {
    const CompositeEntries entries = buildEntries(stack);
    if (entries.entries.empty()) {
        alpha_.fillValue(0);
        empty_ = true;
        return;
    }
    compositeEntries(entries.entries, color_, alpha_, rect);
    empty_ = false;
}

bool coveredByOpaqueLayer(const Document& document) {
    const LayerStack* stack = document.layersIfAny();
    if (!stack)
        return false;
    const Rect canvas = document.canvasRect();
    for (int32_t i = 0; i < stack->count(); ++i) {
        const RasterLayer* layer = stack->rasterAt(i);
        if (layer && layer->isVisible() && !layer->isEmpty() && layer->isFullyOpaque() &&
            layer->canvasRect().contains(canvas))
            return true;
    }
    return false;
}

} // namespace pict
