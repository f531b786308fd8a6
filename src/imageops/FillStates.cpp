#include "imageops/FillStates.h"

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
    try {
        if (!saved_) {
            std::unique_ptr<Layer> clone = layer->clone(nullptr);
            if (!clone || !clone->asRaster())
                return false;
            saved_.reset(clone.release()->asRaster());
        }
        ColorFill fill(params_);
        if (document.layers().fill(layerIndex_, fill, context_.selectionArea()))
            return true;
    } catch (const std::bad_alloc&) {
    }
    // The layer may have grown before the fill gave up: put it back as it was.
    if (saved_ && layer->canvasRect() != saved_->canvasRect())
        document.layers().replaceContent(layerIndex_, *saved_);
    return false;
}

bool FillState::undo() {
    if (!saved_ || !context_.document().layers().rasterAt(layerIndex_))
        return false;
    return context_.document().layers().replaceContent(layerIndex_, *saved_);
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
