#include "document/compositing/Merge.h"

#include "document/compositing/Compositor.h"
#include "document/Document.h"
#include "surface/BlendModes.h"

#include <algorithm>
#include <new>

namespace pict {

namespace {

// Every listed layer is in the stack; repeated entries are dropped.
bool collectListed(const LayerStack& stack, const std::vector<const Layer*>& layers, std::vector<const Layer*>& out) {
    for (const Layer* layer : layers) {
        if (!stack.contains(layer))
            return false;
        if (std::find(out.begin(), out.end(), layer) == out.end())
            out.push_back(layer);
    }
    return true;
}

} // namespace

RasterLayer* merge(Document& document, const std::vector<const Layer*>& layers) {
    LayerStack& stack = document.layers();
    try {
        std::vector<const Layer*> listed;
        if (!collectListed(stack, layers, listed))
            return nullptr;
        const CompositeEntries entries = buildEntries(stack, listed);
        if (entries.entries.empty())
            return nullptr;
        if (entries.entries.size() == 1) {
            const RasterLayer* kept = entries.entries.front().layer;
            for (const Layer* layer : listed)
                if (layer != kept)
                    stack.remove(layer, true);
            return stack.rasterAt(stack.indexOf(kept));
        }
        const Rect target = entries.target;
        if (target.isEmpty())
            return nullptr;
        Surface24 color;
        Surface8 alpha;
        if (!color.create(target.width(), target.height(), 24) || !alpha.create(target.width(), target.height(), 8) ||
            !compositeEntries(entries.entries, color, alpha, Rect::fromSize(target.size())))
            return nullptr;

        const RasterLayer* background = stack.backgroundLayer();
        const bool ontoBackground =
            std::any_of(entries.entries.begin(), entries.entries.end(),
                        [&](const CompositeEntry& entry) { return background && entry.layer == background; });
        const std::string name = ontoBackground ? "Background" : entries.entries.front().layer->name();
        // Made before anything is removed, so a failure leaves every layer in place.
        std::unique_ptr<RasterLayer> merged =
            RasterLayer::createFromPixels(&stack, color, alpha, target.topLeft(), name, ontoBackground);
        if (!merged)
            return nullptr;
        for (const Layer* layer : listed)
            stack.remove(layer, false);
        RasterLayer* result = merged.get();
        if (!stack.add(std::move(merged)))
            return nullptr;
        return result;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

RasterLayer* flatten(Document& document) {
    const CompositeCache* cache = document.composite();
    if (!cache)
        return nullptr;
    LayerStack& stack = document.layers();
    try {
        Surface24 color = cache->color().clone();
        if (color.isEmpty())
            return nullptr;
        const Surface8& alpha = cache->alpha();
        if (!alpha.isAll(255)) {
            static constexpr uint8_t kWhite[3] = {255, 255, 255};
            for (int32_t y = 0; y < color.height(); ++y) {
                uint8_t* pixel = color.row(y);
                const uint8_t* a = alpha.row(y);
                for (int32_t x = 0; x < color.width(); ++x, pixel += 3)
                    coverageBlend(pixel, kWhite, uint8_t(255 - a[x]));
            }
        }
        std::unique_ptr<RasterLayer> flat = RasterLayer::createFromSurface(&stack, std::move(color), true);
        if (!flat)
            return nullptr;
        flat->setName("Background");
        stack.removeAll(false);
        RasterLayer* result = flat.get();
        if (!stack.add(std::move(flat)))
            return nullptr;
        return result;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::vector<const Layer*> mergeDownList(const Document& document) {
    const LayerStack* stack = document.layersIfAny();
    if (!stack)
        return {};
    const int32_t active = stack->activeIndex();
    const Layer* top = stack->layerAt(active);
    const Layer* below = stack->layerAt(active - 1);
    if (!top || !below || !top->isVisible() || !below->isVisible())
        return {};
    return {below, top};
}

std::vector<const Layer*> mergeVisibleList(const Document& document) {
    const LayerStack* stack = document.layersIfAny();
    std::vector<const Layer*> visible;
    if (!stack || !stack->active() || !stack->active()->isVisible())
        return visible;
    for (int32_t i = 0; i < stack->count(); ++i)
        if (stack->layerAt(i)->isVisible())
            visible.push_back(stack->layerAt(i));
    if (visible.size() < 2)
        visible.clear();
    return visible;
}

} // namespace pict
