// The geometry walks over every layer: each raster layer is replaced by a transformed one
// (the old one goes to the attached journal, if any, so undo takes it back instead of a
// copy) and the walk places it so that it keeps its place on the transformed canvas.
#include "document/LayerStack.h"
#include "document/PreparedLayers.h"
#include "document/RotationAngle.h"

namespace pict {

namespace {

// round() of the design: add 0.5 and truncate toward zero.
int32_t roundHalfUp(float value) { return int32_t(value + 0.5f); }

} // namespace

Size resizedLayerSize(Size layer, Size oldCanvas, Size newCanvas) {
    const float scaleX = float(newCanvas.width) / float(oldCanvas.width);
    const float scaleY = float(newCanvas.height) / float(oldCanvas.height);
    return {std::max(1, roundHalfUp(float(layer.width) * scaleX)),
            std::max(1, roundHalfUp(float(layer.height) * scaleY))};
}

bool LayerStack::resizeAll(Size oldCanvas, Size newCanvas, int32_t method) {
    if (oldCanvas.isEmpty() || newCanvas.isEmpty())
        return false;
    const float scaleX = float(newCanvas.width) / float(oldCanvas.width);
    const float scaleY = float(newCanvas.height) / float(oldCanvas.height);
    for (int32_t index = 0; index < count(); ++index) {
        RasterLayer* layer = rasterAt(index);
        if (!layer)
            continue;
        const Size target = resizedLayerSize(layer->size(), oldCanvas, newCanvas);
        // Negative positions use the same add-0.5-and-truncate rule as the sizes.
        const Point placed{roundHalfUp(float(layer->x()) * scaleX), roundHalfUp(float(layer->y()) * scaleY)};
        if (target != layer->size()) {
            std::unique_ptr<RasterLayer> next = takePreparedLayer(index, *layer);
            if (!next)
                next = layer->resized(target, method);
            if (!next)
                return false;
            layer = next.get();
            if (!replaceAt(index, std::move(next)))
                return false;
        }
        layer->setPosition(placed);
    }
    return true;
}

bool LayerStack::canvasAll(Size newCanvas, Point anchor, uint32_t extensionColor) {
    if (newCanvas.isEmpty())
        return false;
    for (int32_t index = 0; index < count(); ++index) {
        Layer* each = layerAt(index);
        if (!each->isLive())
            continue;
        const RasterLayer* layer = each->asRaster();
        if (layer && layer->isBackground()) {
            if (!replaceAt(index, layer->extendedBackground(newCanvas, anchor, extensionColor)))
                return false;
        } else {
            each->setPosition({each->x() + anchor.x, each->y() + anchor.y});
        }
    }
    return true;
}

bool LayerStack::rotateAll(double angle, Size oldCanvas) {
    angle = normalizedRotation(angle);
    if (isNearAngle(angle, 0.0))
        return true;
    for (int32_t index = 0; index < count(); ++index) {
        const RasterLayer* old = rasterAt(index);
        if (!old)
            continue;
        const Rect r = old->canvasRect();
        std::unique_ptr<RasterLayer> next = takePreparedLayer(index, *old);
        if (!next)
            next = old->rotated(angle);
        RasterLayer* layer = next.get();
        if (!replaceAt(index, std::move(next)))
            return false; // an angle that is not a quarter or half turn ends here
        if (isNearAngle(angle, 180.0))
            layer->setPosition({oldCanvas.width - r.right, oldCanvas.height - r.bottom});
        else if (isNearAngle(angle, 90.0))
            layer->setPosition({oldCanvas.height - r.bottom, r.left});
        else
            layer->setPosition({r.top, oldCanvas.width - r.right});
    }
    return true;
}

bool LayerStack::flipAll(bool horizontal, Size canvas) {
    for (int32_t index = 0; index < count(); ++index) {
        const RasterLayer* old = rasterAt(index);
        if (!old)
            continue;
        std::unique_ptr<RasterLayer> next = takePreparedLayer(index, *old);
        if (!next)
            next = old->flipped(horizontal);
        RasterLayer* layer = next.get();
        if (!replaceAt(index, std::move(next)))
            return false;
        const Size size = layer->size();
        if (horizontal)
            layer->setPosition({canvas.width - size.width - layer->x(), layer->y()});
        else
            layer->setPosition({layer->x(), canvas.height - size.height - layer->y()});
    }
    return true;
}

bool LayerStack::cropAll(const Rect& rect, Size canvas) {
    const Rect crop = rect.intersected(Rect::fromSize(canvas));
    if (crop.isEmpty())
        return true;
    for (int32_t index = 0; index < count(); ++index) {
        RasterLayer* layer = rasterAt(index);
        if (!layer)
            continue;
        const Rect kept = layer->canvasRect().intersected(crop);
        if (kept.isEmpty()) {
            // A placeholder keeps the index so that the layers above keep theirs.
            if (!replaceWithPlaceholder(index, false))
                return false;
            continue;
        }
        const Point origin = layer->position();
        const Rect local = kept.translated(-origin.x, -origin.y);
        if (local != layer->localBounds()) {
            std::unique_ptr<RasterLayer> next = layer->cropped(local);
            layer = next.get();
            if (!replaceAt(index, std::move(next)))
                return false;
        }
        layer->setPosition({std::max(0, origin.x - crop.left), std::max(0, origin.y - crop.top)});
    }
    return true;
}

bool LayerStack::trimAll() {
    if (count() != 1)
        return false;
    const RasterLayer* layer = rasterAt(0);
    if (!layer || !layer->isBackground() || layer->color().isEmpty())
        return false;
    // The box is found on the colors; a transparency mask is cut to the same box so that
    // the two keep the same size.
    const Rect box = layer->color().trimBounds();
    if (box.isEmpty() || box == layer->localBounds())
        return true;
    return replaceAt(0, layer->cropped(box));
}

} // namespace pict
