#include "history/clipboard/CutState.h"

#include "document/Document.h"

namespace pict {

CutState::CutState(DocumentContext& context, uint32_t backgroundColor)
    : DocumentChangeState([&context] { context.document().setModified(true); }), context_(context),
      backgroundColor_(backgroundColor & 0xFFFFFFu), layerIndex_(context.document().layers().activeIndex()) {}

bool CutState::apply() {
    LayerStack& stack = context_.document().layers();
    RasterLayer* layer = stack.rasterAt(layerIndex_);
    if (!layer || layer->color().isEmpty())
        return false;
    const SelectionArea selection = context_.selectionArea();
    const Rect reach = selection.isEmpty() ? layer->localBounds() : layer->selectionInLayer(selection);
    if (reach.isEmpty())
        return false;
    if (saved_.isEmpty()) {
        const bool saved = layer->isBackground()
                               ? saved_.save(layer->color(), reach)
                               : layer->ensureTransparencyMask() && saved_.save(*layer->transparencyMask(), reach);
        if (!saved)
            return false;
    }
    return stack.clear(layerIndex_, selection, backgroundColor_);
}

bool CutState::undo() {
    LayerStack& stack = context_.document().layers();
    RasterLayer* layer = stack.rasterAt(layerIndex_);
    if (!layer || saved_.isEmpty())
        return false;
    RasterSurface* target = layer->isBackground() ? static_cast<RasterSurface*>(&layer->color())
                                                  : static_cast<RasterSurface*>(layer->transparencyMask());
    if (!target || !saved_.restore(*target))
        return false;
    stack.report(layer, LayerChangeKind::Pixels, saved_.rect().translated(layer->x(), layer->y()), true);
    return true;
}

} // namespace pict
