#include "history/geometry/GeometryStates.h"

#include "document/Document.h"
#include "document/Layer.h"
#include "document/RotationAngle.h"

#include <algorithm>
#include <cmath>

namespace pict {

namespace {

int32_t clampSide(int32_t side) { return std::clamp(side, 1, kMaxCanvasSide); }

// Into [0, 360); an angle that is no number at all is no turn.
double normalizedAngle(double angle) { return std::isfinite(angle) ? normalizedRotation(angle) : 0.0; }

} // namespace

// ---- Image Size ----

ImageSizeState::ImageSizeState(DocumentContext& context, const ImageResize& resize)
    : WholeDocumentState(context), resize_(resize) {
    resize_.width = clampSide(resize.width);
    resize_.height = clampSide(resize.height);
    resize_.resolution = std::isnan(resize.resolution) ? kMinResolution
                                                       : std::clamp(resize.resolution, kMinResolution, kMaxResolution);
    resize_.resolutionUnit =
        isValidResolutionUnit(resize.resolutionUnit) ? resize.resolutionUnit : ResolutionUnit::PixelsPerInch;
    resize_.method = std::clamp(resize.method, 0, 5);
}

bool ImageSizeState::apply() {
    Document& doc = document();
    const ImageResize& r = resize_;
    if (oldResolution_ || (r.width == doc.width() && r.height == doc.height() && !holdsSnapshot())) {
        // The pixels stay: keep only what the resize is about to change.
        if (!oldResolution_) {
            oldResolution_ = doc.info().resolution;
            oldUnit_ = doc.info().resolutionUnit;
        }
        return doc.resizeImage(r.width, r.height, r.resolution, r.resolutionUnit, r.method);
    }
    return applyWithSnapshot([&r](Document& d) {
        return d.resizeImage(r.width, r.height, r.resolution, r.resolutionUnit, r.method);
    });
}

bool ImageSizeState::undo() {
    if (oldResolution_) {
        Document& doc = document();
        return doc.resizeImage(doc.width(), doc.height(), *oldResolution_, oldUnit_, resize_.method);
    }
    return undoFromSnapshot();
}

// ---- Canvas Size ----

CanvasSizeState::CanvasSizeState(DocumentContext& context, Size newSize, Point anchorOffset, uint32_t extensionColor)
    : WholeDocumentState(context), newSize_{clampSide(newSize.width), clampSide(newSize.height)},
      anchorOffset_(anchorOffset), extensionColor_(extensionColor & 0xFFFFFFu) {}

bool CanvasSizeState::apply() {
    if (!resized_ && document().canvasSize() == newSize_)
        return true; // nothing to change and nothing to keep
    resized_ = applyWithSnapshot([this](Document& d) {
        return d.resizeCanvas(newSize_.width, newSize_.height, anchorOffset_, extensionColor_);
    });
    return resized_;
}

bool CanvasSizeState::undo() { return resized_ ? undoFromSnapshot() : true; }

// ---- Rotate Canvas ----

RotateCanvasState::RotateCanvasState(DocumentContext& context, double angle)
    : WholeDocumentState(context), angle_(normalizedAngle(angle)) {}

bool RotateCanvasState::apply() {
    if (angle_ <= 0.0)
        return true;
    return applyWithSnapshot([this](Document& d) { return d.rotate(angle_); });
}

bool RotateCanvasState::undo() { return angle_ > 0.0 ? undoFromSnapshot() : true; }

// ---- Flip Canvas ----

FlipCanvasState::FlipCanvasState(DocumentContext& context, bool horizontal)
    : WholeDocumentState(context), horizontal_(horizontal) {}

bool FlipCanvasState::apply() {
    return applyWithSnapshot([this](Document& d) { return d.flip(horizontal_); });
}

bool FlipCanvasState::undo() { return undoFromSnapshot(); }

// ---- Crop ----

CropState::CropState(DocumentContext& context) : WholeDocumentState(context) {}

CropState::CropState(DocumentContext& context, const Rect& rect)
    : WholeDocumentState(context), rect_(rect.intersected(document().canvasRect())) {}

bool CropState::apply() {
    // Taken before the selection is dropped, and kept for every redo.
    if (!rect_)
        rect_ = context().selectionArea().bounds.intersected(document().canvasRect());
    if (rect_->isEmpty())
        return true;
    return applyWithSnapshot([this](Document& d) { return d.crop(*rect_); });
}

bool CropState::undo() { return rect_ && !rect_->isEmpty() ? undoFromSnapshot() : true; }

// ---- Trim ----

TrimState::TrimState(DocumentContext& context) : WholeDocumentState(context) {}

bool TrimState::apply() {
    const LayerStack& layers = document().layers();
    const Layer* only = layers.count() == 1 ? layers.layerAt(0) : nullptr;
    if (!only || !only->isRaster() || !only->isBackground())
        return false;
    trimmed_ = applyWithSnapshot([](Document& d) { return d.trim(); });
    return trimmed_;
}

bool TrimState::undo() { return trimmed_ ? undoFromSnapshot() : true; }

} // namespace pict
