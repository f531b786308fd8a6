#include "history/fill/FillStates.h"

#include "document/Document.h"
#include "document/Layer.h"
#include "imageops/ColorFill.h"

#include <new>

namespace pict {

namespace {

RasterLayer* visibleRasterLayer(Document& document, int32_t index) {
    RasterLayer* layer = document.layers().rasterAt(index);
    return layer && layer->isVisible() ? layer : nullptr;
}

MarkModified marking(DocumentContext& context) {
    return [&context] { context.document().setModified(true); };
}

} // namespace

// ---- Fill ----

FillState::FillState(DocumentContext& context, const FillParams& params)
    : DocumentChangeState(marking(context)), context_(context), params_(clampedFillParams(params)),
      layerIndex_(context.document().layers().activeIndex()) {}

FillState::~FillState() = default;

bool FillState::apply() {
    Document& document = context_.document();
    RasterLayer* layer = visibleRasterLayer(document, layerIndex_);
    if (!layer)
        return false;
    const SelectionArea selection = context_.selectionArea();
    try {
        if (!saved_ && savedColor_.isEmpty()) {
            const Rect bounds = layer->color().bounds();
            const Rect reach =
                selection.isEmpty()
                    ? bounds
                    : selection.bounds.translated(-layer->position().x, -layer->position().y).intersected(bounds);
            const Surface8* mask = layer->transparencyMask();
            // A layer that already covers the canvas is painted in place: keep only what the
            // fill can reach. One the fill must grow first is kept whole.
            if (layer->coversExtended() && !reach.isEmpty()) {
                if (!savedColor_.save(layer->color(), reach) || (mask && !savedMask_.save(*mask, reach))) {
                    savedColor_.clear();
                    savedMask_.clear();
                    return false;
                }
            } else {
                std::unique_ptr<Layer> clone = layer->clone(nullptr);
                if (!clone || !clone->asRaster())
                    return false;
                saved_.reset(clone.release()->asRaster());
            }
        }
        ColorFill fill(params_);
        if (document.layers().fill(layerIndex_, fill, selection))
            return true;
    } catch (const std::bad_alloc&) {
    }
    // The layer may have grown before the fill gave up: put it back as it was.
    if (saved_ && layer->canvasRect() != saved_->canvasRect())
        document.layers().replaceContent(layerIndex_, *saved_);
    return false;
}

bool FillState::undo() {
    LayerStack& layers = context_.document().layers();
    RasterLayer* layer = layers.rasterAt(layerIndex_);
    if (!layer)
        return false;
    if (saved_)
        return layers.replaceContent(layerIndex_, *saved_);
    if (savedColor_.isEmpty())
        return false;
    Surface8* mask = layer->transparencyMask();
    if (!savedMask_.isEmpty() && !mask)
        return false;
    if (!layer->color().bounds().contains(savedColor_.rect()) ||
        (!savedMask_.isEmpty() && !mask->bounds().contains(savedMask_.rect())))
        return false;
    if (!savedColor_.restore(layer->color()) || (!savedMask_.isEmpty() && !savedMask_.restore(*mask)))
        return false;
    layers.report(layer, LayerChangeKind::Pixels,
                  savedColor_.rect().translated(layer->position().x, layer->position().y), true);
    return true;
}

// ---- Clear ----

ClearState::ClearState(DocumentContext& context, uint32_t backgroundColor)
    : DocumentChangeState(marking(context)), context_(context), backgroundColor_(backgroundColor & 0xFFFFFFu),
      layerIndex_(context.document().layers().activeIndex()) {}

bool ClearState::apply() {
    Document& document = context_.document();
    RasterLayer* layer = visibleRasterLayer(document, layerIndex_);
    const SelectionArea selection = context_.selectionArea();
    if (!layer || selection.isEmpty())
        return false;
    if (savedColor_.isEmpty() && savedMask_.isEmpty()) {
        const bool saved = layer->isBackground() ? layer->saveColor(selection, savedColor_)
                                                 : layer->saveMask(selection, savedMask_);
        if (!saved)
            return false;
        savedBounds_ = selection.bounds;
    }
    return document.layers().clear(layerIndex_, selection, backgroundColor_);
}

bool ClearState::undo() {
    const SelectionArea selection = context_.selectionArea();
    if (selection.isEmpty() || selection.bounds != savedBounds_)
        return false;
    LayerStack& layers = context_.document().layers();
    if (!savedColor_.isEmpty())
        return layers.restoreColor(layerIndex_, savedColor_, selection);
    if (!savedMask_.isEmpty())
        return layers.restoreMask(layerIndex_, savedMask_, selection);
    return false;
}

} // namespace pict
