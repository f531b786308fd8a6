#include "history/move/MoveStates.h"

#include "document/Document.h"
#include "document/PixelPiece.h"
#include "history/layers/EmptyLayerPromotion.h"

#include <new>

namespace pict {

namespace {

MarkModified marking(DocumentContext& context) {
    return [&context] { context.document().setModified(true); };
}

Point shifted(Point p, Point by) { return {p.x + by.x, p.y + by.y}; }

} // namespace

OffsetState* offsetStateOf(HistoryState& state) {
    if (auto* promotion = dynamic_cast<EmptyLayerPromotion*>(&state))
        return offsetStateOf(promotion->inner());
    return dynamic_cast<OffsetState*>(&state);
}

// ---- Move Layer ----

MoveLayerState::MoveLayerState(DocumentContext& context, int32_t layerIndex, Point offset)
    : DocumentChangeState(marking(context)), context_(context), layerIndex_(layerIndex), offset_(offset) {}

bool MoveLayerState::moveBy(Point offset) {
    LayerStack& stack = context_.document().layers();
    Layer* layer = stack.layerAt(layerIndex_);
    if (!layer || !layer->isLive() || layer->isBackground())
        return false;
    return stack.setPosition(layer, shifted(layer->position(), offset));
}

bool MoveLayerState::apply() { return moveBy(offset_); }

bool MoveLayerState::undo() { return moveBy({-offset_.x, -offset_.y}); }

// ---- Move Selection ----

MoveSelectionState::MoveSelectionState(DocumentContext& context, Point offset, uint32_t backgroundColor)
    : DocumentChangeState(marking(context)), context_(context), offset_(offset),
      backgroundColor_(backgroundColor & 0xFFFFFFu), layerIndex_(context.document().layers().activeIndex()) {}

MoveSelectionState::~MoveSelectionState() = default;

void MoveSelectionState::setOffset(Point offset) {
    offset_ = offset;
    savedColor_.clear();
    savedMask_.clear();
    savedLayer_.reset();
}

bool MoveSelectionState::saveForUndo(RasterLayer& layer, const Rect& canvasArea, bool grows) {
    if (savedLayer_ || !savedColor_.isEmpty())
        return true;
    if (grows) {
        std::unique_ptr<Layer> clone = layer.clone(nullptr);
        if (!clone || !clone->asRaster())
            return false;
        savedLayer_.reset(clone.release()->asRaster());
        return true;
    }
    const Rect local = canvasArea.translated(-layer.x(), -layer.y()).intersected(layer.localBounds());
    const Surface8* mask = layer.transparencyMask();
    if (savedColor_.save(layer.color(), local) && (!mask || savedMask_.save(*mask, local)))
        return true;
    savedColor_.clear();
    savedMask_.clear();
    return false;
}

bool MoveSelectionState::apply() {
    Document& document = context_.document();
    LayerStack& stack = document.layers();
    RasterLayer* layer = stack.rasterAt(layerIndex_);
    const SelectionArea selection = context_.selectionArea();
    if (!layer || layer->color().isEmpty() || selection.isEmpty())
        return false;
    try {
        PixelPiece piece;
        if (!liftLayerPixels(*layer, selection, piece))
            return false;
        const Rect from = piece.canvasRect();
        piece.origin = shifted(piece.origin, offset_);
        const Rect landing = piece.canvasRect().intersected(document.canvasRect());
        // Pixels landing on the canvas beside a layer smaller than the canvas would be lost:
        // such a layer grows to the canvas first. The background layer is the canvas.
        const bool grows = !layer->isBackground() && !landing.isEmpty() && !layer->canvasRect().contains(landing);
        Surface8 outline = selection.coverage->clone();
        if (outline.isEmpty())
            return false;
        if (!selectionSaved_) {
            if (!selection_.save(context_))
                return false;
            selectionSaved_ = true;
        }
        // A layer that grows is kept whole as it was; otherwise the touched part is kept once
        // the layer has the transparency the hole needs.
        const Rect touched = from.united(piece.canvasRect());
        if (grows && !saveForUndo(*layer, touched, true))
            return false;
        if (!layer->isBackground() && !layer->ensureTransparencyMask())
            return false;
        if (!grows && !saveForUndo(*layer, touched, false))
            return false;
        if ((grows && !layer->growToCanvas()) || !stack.clear(layerIndex_, selection, backgroundColor_)) {
            if (savedLayer_)
                stack.replaceContent(layerIndex_, *savedLayer_);
            return false;
        }
        dropPieceOnLayer(piece, *layer);
        if (grows)
            stack.report(layer, LayerChangeKind::Structure, std::nullopt, true);
        else
            stack.report(layer, LayerChangeKind::Pixels, touched, true);
        context_.selection().place(outline, shifted(selection.bounds.topLeft(), offset_));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool MoveSelectionState::undo() {
    LayerStack& stack = context_.document().layers();
    RasterLayer* layer = stack.rasterAt(layerIndex_);
    if (!layer || !selectionSaved_)
        return false;
    if (savedLayer_) {
        if (!stack.replaceContent(layerIndex_, *savedLayer_))
            return false;
    } else {
        Surface8* mask = layer->transparencyMask();
        if (savedColor_.isEmpty() || !layer->color().bounds().contains(savedColor_.rect()) ||
            (!savedMask_.isEmpty() && (!mask || !mask->bounds().contains(savedMask_.rect()))))
            return false;
        if (!savedColor_.restore(layer->color()) || (!savedMask_.isEmpty() && !savedMask_.restore(*mask)))
            return false;
        stack.report(layer, LayerChangeKind::Pixels, savedColor_.rect().translated(layer->x(), layer->y()), true);
    }
    selection_.restore(context_);
    return true;
}

// ---- Move Selection Outline ----

bool OutlineMoveState::apply() {
    const SelectionArea selection = context_.selectionArea();
    if (selection.isEmpty())
        return false;
    try {
        Surface8 outline = selection.coverage->clone();
        if (outline.isEmpty())
            return false;
        if (!selectionSaved_) {
            if (!selection_.save(context_))
                return false;
            selectionSaved_ = true;
        }
        return context_.selection().place(outline, shifted(selection.bounds.topLeft(), offset_));
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool OutlineMoveState::undo() {
    if (!selectionSaved_)
        return false;
    selection_.restore(context_);
    return true;
}

} // namespace pict
