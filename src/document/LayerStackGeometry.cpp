// The geometry walks over every layer: each layer changes its pixels and the walk moves it
// so that it keeps its place on the transformed canvas.
#include "document/LayerStack.h"
#include "document/RotationAngle.h"

namespace pict {

namespace {

// round() of the design: add 0.5 and truncate toward zero.
int32_t roundHalfUp(float value) { return int32_t(value + 0.5f); }

} // namespace

bool LayerStack::resizeAll(Size oldCanvas, Size newCanvas, int32_t method) {
    if (oldCanvas.isEmpty() || newCanvas.isEmpty())
        return false;
    const float scaleX = float(newCanvas.width) / float(oldCanvas.width);
    const float scaleY = float(newCanvas.height) / float(oldCanvas.height);
    for (const auto& each : layers_) {
        RasterLayer* layer = each->asRaster();
        if (!layer)
            continue;
        const Size target{std::max(1, roundHalfUp(float(layer->size().width) * scaleX)),
                          std::max(1, roundHalfUp(float(layer->size().height) * scaleY))};
        if (!layer->resize(target, method))
            return false;
        // Negative positions use the same add-0.5-and-truncate rule as the sizes.
        layer->setPosition({roundHalfUp(float(layer->x()) * scaleX), roundHalfUp(float(layer->y()) * scaleY)});
    }
    return true;
}

bool LayerStack::canvasAll(Size newCanvas, Point anchor, uint32_t extensionColor) {
    if (newCanvas.isEmpty())
        return false;
    for (const auto& each : layers_) {
        if (!each->isLive())
            continue;
        RasterLayer* layer = each->asRaster();
        if (layer && layer->isBackground()) {
            if (!layer->extendBackground(newCanvas, anchor, extensionColor))
                return false;
        } else {
            each->setPosition({each->x() + anchor.x, each->y() + anchor.y});
        }
    }
    return true;
}

bool LayerStack::rotateAll(double angle, Size oldCanvas) {
    angle = normalizedRotation(angle);
    for (const auto& each : layers_) {
        RasterLayer* layer = each->asRaster();
        if (!layer)
            continue;
        const Rect r = layer->canvasRect();
        if (!layer->rotate(angle))
            return false;
        if (isNearAngle(angle, 180.0))
            layer->setPosition({oldCanvas.width - r.right, oldCanvas.height - r.bottom});
        else if (isNearAngle(angle, 90.0))
            layer->setPosition({oldCanvas.height - r.bottom, r.left});
        else if (isNearAngle(angle, 270.0))
            layer->setPosition({r.top, oldCanvas.width - r.right});
        else if (!isNearAngle(angle, 0.0))
            layer->setPosition({0, 0});
    }
    return true;
}

bool LayerStack::flipAll(bool horizontal, Size canvas) {
    for (const auto& each : layers_) {
        RasterLayer* layer = each->asRaster();
        if (!layer)
            continue;
        if (!layer->flip(horizontal))
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
        if (!layer->crop(kept.translated(-origin.x, -origin.y)))
            return false;
        layer->setPosition({std::max(0, origin.x - crop.left), std::max(0, origin.y - crop.top)});
    }
    return true;
}

bool LayerStack::trimAll() {
    if (count() != 1)
        return false;
    RasterLayer* layer = rasterAt(0);
    return layer && layer->isBackground() && layer->trim();
}

} // namespace pict
