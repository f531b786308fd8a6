// Image Size, Canvas Size, rotation, flips, crop and trim of a whole document: the stack
// walks do the pixels, the document keeps the canvas description and the composite in step.
#include "document/Document.h"
#include "document/RotationAngle.h"

#include <cmath>

namespace pict {

bool Document::resizeImage(int32_t width, int32_t height, float resolution, ResolutionUnit unit,
                           int32_t method) {
    DocumentInfo next = info_;
    next.width = width;
    next.height = height;
    next.resolution = resolution;
    next.resolutionUnit = unit;
    if (!isValidInfo(next))
        return false;
    if (width == info_.width && height == info_.height && std::fabs(resolution - info_.resolution) < 0.0001f &&
        unit == info_.resolutionUnit)
        return true;
    if (width == info_.width && height == info_.height) {
        // Only the printed size changes; the pixels and the composite stay as they are.
        info_.resolution = resolution;
        info_.resolutionUnit = unit;
        notifyDocument(canvasRect());
        return true;
    }
    const Size newSize{width, height};
    if (!layers().resizeAll(canvasSize(), newSize, method) || !channels().resizeAll(newSize, method))
        return false;
    info_.width = width;
    info_.height = height;
    info_.resolution = resolution;
    info_.resolutionUnit = unit;
    rebuildComposite();
    notifyDocument(canvasRect());
    return true;
}

bool Document::resizeCanvas(int32_t width, int32_t height, Point anchor, uint32_t extensionColor) {
    if (width < 1 || width > kMaxCanvasSide || height < 1 || height > kMaxCanvasSide)
        return false;
    if (width == info_.width && height == info_.height)
        return true;
    const Size newSize{width, height};
    if (!layers().canvasAll(newSize, anchor, extensionColor) || !channels().extendAll(newSize, anchor))
        return false;
    info_.width = width;
    info_.height = height;
    rebuildComposite();
    notifyDocument(canvasRect());
    return true;
}

bool Document::rotate(double angle) {
    if (!std::isfinite(angle))
        return false;
    angle = normalizedRotation(angle);
    if (isNearAngle(angle, 0.0))
        return true;
    if (!layers().rotateAll(angle, canvasSize()))
        return false;
    if (isNearAngle(angle, 90.0) || isNearAngle(angle, 270.0))
        std::swap(info_.width, info_.height);
    // A canvas of another size gets a new cache from the invalidation itself.
    invalidateAndNotifyAll();
    return true;
}

bool Document::flip(bool horizontal) {
    if (!layers().flipAll(horizontal, canvasSize()))
        return false;
    invalidateAndNotifyAll();
    return true;
}

bool Document::crop(const Rect& rect) {
    const Rect clipped = rect.intersected(canvasRect());
    if (clipped.isEmpty())
        return true;
    if (!layers().cropAll(clipped, canvasSize()))
        return false;
    info_.width = clipped.width();
    info_.height = clipped.height();
    // A canvas of another size gets a new cache from the invalidation itself.
    invalidateAndNotifyAll();
    return true;
}

bool Document::trim() {
    if (!layers().trimAll())
        return false;
    const Size trimmed = layers().layerAt(0)->size();
    info_.width = trimmed.width;
    info_.height = trimmed.height;
    rebuildComposite();
    notifyDocument(canvasRect());
    return true;
}

} // namespace pict
