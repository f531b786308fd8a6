#include "document/compositing/CompositeCache.h"

#include "document/compositing/Compositor.h"
#include "document/Document.h"
#include "document/DocumentInfo.h"

#include <cstring>
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

namespace {

bool coversOpaquely(const RasterLayer* layer, const Rect& canvas) {
    return layer && layer->isVisible() && !layer->isEmpty() && layer->isFullyOpaque() &&
           layer->canvasRect().contains(canvas);
}

bool anyCoversOpaquely(const LayerStack& stack, const Rect& canvas) {
    for (int32_t i = 0; i < stack.count(); ++i)
        if (coversOpaquely(stack.rasterAt(i), canvas))
            return true;
    return false;
}

// The one layer of the composite, opaque, in Normal mode and exactly on the canvas: the
// composite is then its color, byte for byte.
const RasterLayer* soleCanvasLayer(const CompositeEntries& entries, Size canvas) {
    if (entries.entries.size() != 1)
        return nullptr;
    const RasterLayer* layer = entries.entries.front().layer;
    const Rect exact = Rect::fromSize(canvas.width, canvas.height);
    return coversOpaquely(layer, exact) && layer->canvasRect() == exact && layer->blendMode() == kBlendNormal
               ? layer
               : nullptr;
}

// Whether two buffers of one size hold their pixels alike and carry the same description
// that the writers read besides the pixels (a bitmap's pixels per meter, masks and palette);
// the header's own size and image size are not written from the buffer.
bool sameLayout(const SurfaceBuffer& a, const SurfaceBuffer& b) {
    const SurfaceDescription& x = a.section;
    const SurfaceDescription& y = b.section;
    return x.height == y.height && x.stride == y.stride && x.bitsPerPixel == y.bitsPerPixel &&
           x.header.compression == y.header.compression && x.header.xPelsPerMeter == y.header.xPelsPerMeter &&
           x.header.yPelsPerMeter == y.header.yPelsPerMeter && x.header.clrUsed == y.header.clrUsed &&
           std::memcmp(x.bitFields, y.bitFields, sizeof x.bitFields) == 0 &&
           std::memcmp(a.shift, b.shift, sizeof a.shift) == 0 && std::memcmp(a.loss, b.loss, sizeof a.loss) == 0 &&
           std::memcmp(a.mask, b.mask, sizeof a.mask) == 0 && a.palette.count() == b.palette.count() &&
           a.flags == b.flags;
}

// The layer's pixels can stand for a composite only when their buffer is laid out as a
// composite's own would be (a layer read from a file may carry its resolution, say).
bool laidOutAsComposite(const Surface24& color) {
    Surface24 fresh; // its memory is never touched, so making it costs no page
    return fresh.create(color.width(), color.height(), 24) && sameLayout(*color.buffer(), *fresh.buffer());
}

} // namespace

void CompositeCache::invalidate(const LayerStack& stack, const Rect& rect, bool mayShare) {
    const CompositeEntries entries = buildEntries(stack);
    if (entries.entries.empty()) {
        alpha_.fillValue(0);
        empty_ = true;
        opaque_ = false;
        return;
    }
    empty_ = false;
    // Outside a part recomposed now the alpha is what earlier recompositions left.
    const bool whole = rect.contains(color_.bounds());
    opaque_ = anyCoversOpaquely(stack, color_.bounds()) && (opaque_ || whole);
    if (const RasterLayer* sole = soleCanvasLayer(entries, size());
        mayShare && sole && whole && laidOutAsComposite(sole->color()) && color_.shareFrom(sole->color())) {
        alpha_.fillValue(255);
        return;
    }
    compositeEntries(entries.entries, color_, alpha_, rect);
}

bool coveredByOpaqueLayer(const Document& document) {
    const LayerStack* stack = document.layersIfAny();
    return stack && anyCoversOpaquely(*stack, document.canvasRect());
}

} // namespace pict
