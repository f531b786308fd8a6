#include "history/paint/PaintedPixelsState.h"

#include "document/Document.h"
#include "document/Layer.h"

#include <algorithm>
#include <new>

namespace pict {

bool recordPaintedPatch(RasterLayer& layer, const Rect& rect, const Surface24& originalColor,
                        const Surface8* originalMask, PaintedPatch& patch) {
    Surface8* mask = layer.transparencyMask();
    if (!layer.color().bounds().contains(rect) || originalColor.size() != rect.size())
        return false;
    try {
        if (!patch.colorAfter.save(layer.color(), rect) || (mask && !patch.maskAfter.save(*mask, rect)))
            return false;
        // Put the original in place just long enough to keep it in the same form.
        layer.color().copyRect(originalColor, Rect::fromSize(rect.size()), rect.topLeft());
        bool kept = patch.colorBefore.save(layer.color(), rect);
        if (mask) {
            if (originalMask)
                mask->copyRect(*originalMask, Rect::fromSize(rect.size()), rect.topLeft());
            else
                for (int32_t y = rect.top; y < rect.bottom; ++y)
                    std::fill_n(mask->row(y) + rect.left, rect.width(), uint8_t(255));
            kept = kept && patch.maskBefore.save(*mask, rect);
            patch.maskAfter.restore(*mask);
        }
        patch.colorAfter.restore(layer.color());
        return kept;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

PaintedPixelsState::PaintedPixelsState(DocumentContext& context, std::string name, int32_t layerIndex,
                                       std::vector<PaintedPatch> patches, bool createdMask)
    : DocumentChangeState([&context] { context.document().setModified(true); }), context_(context),
      name_(std::move(name)), layerIndex_(layerIndex), patches_(std::move(patches)), createdMask_(createdMask) {}

Rect PaintedPixelsState::bounds() const {
    Rect all;
    for (const PaintedPatch& patch : patches_)
        all = all.united(patch.colorBefore.rect());
    return all;
}

std::vector<SavedPixels*> PaintedPixelsState::savedPixels() {
    std::vector<SavedPixels*> pixels;
    for (PaintedPatch& patch : patches_)
        for (SavedPixels* p : {&patch.colorBefore, &patch.colorAfter, &patch.maskBefore, &patch.maskAfter})
            if (!p->isEmpty())
                pixels.push_back(p);
    return pixels;
}

bool PaintedPixelsState::write(bool after) {
    LayerStack& layers = context_.document().layers();
    RasterLayer* layer = layers.rasterAt(layerIndex_);
    if (!layer)
        return false;
    if (after && createdMask_ && !layer->ensureTransparencyMask())
        return false;
    Surface8* mask = layer->transparencyMask();
    // Check every rectangle first, so that a failure leaves the layer as it was.
    for (const PaintedPatch& patch : patches_) {
        const SavedPixels& color = after ? patch.colorAfter : patch.colorBefore;
        const SavedPixels& alpha = after ? patch.maskAfter : patch.maskBefore;
        if (!layer->color().bounds().contains(color.rect()) ||
            (!alpha.isEmpty() && (!mask || !mask->bounds().contains(alpha.rect()))))
            return false;
    }
    for (const PaintedPatch& patch : patches_) {
        const SavedPixels& color = after ? patch.colorAfter : patch.colorBefore;
        const SavedPixels& alpha = after ? patch.maskAfter : patch.maskBefore;
        if (!color.restore(layer->color()) || (!alpha.isEmpty() && !alpha.restore(*mask)))
            return false;
    }
    const Rect changed = bounds();
    if (!changed.isEmpty())
        layers.report(layer, LayerChangeKind::Pixels, changed.translated(layer->x(), layer->y()), true);
    return true;
}

bool PaintedPixelsState::apply() { return write(true); }

bool PaintedPixelsState::undo() { return write(false); }

} // namespace pict
