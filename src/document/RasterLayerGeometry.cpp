// Geometry of one raster layer: the color surface and the transparency mask always change
// together so that they keep the same size. Positions are the stack walks' business.
#include "document/Layer.h"
#include "document/RotationAngle.h"
#include "document/SurfaceCopies.h"

#include <new>

namespace pict {

namespace {

enum class Turn { None, Half, Clockwise, CounterClockwise, Unsupported };

Turn turnFor(double angle) {
    angle = normalizedRotation(angle);
    if (isNearAngle(angle, 0.0))
        return Turn::None;
    if (isNearAngle(angle, 180.0))
        return Turn::Half;
    if (isNearAngle(angle, 90.0))
        return Turn::Clockwise;
    if (isNearAngle(angle, 270.0))
        return Turn::CounterClockwise;
    return Turn::Unsupported;
}

Orientation orientationFor(Turn how) {
    switch (how) {
    case Turn::Half:
        return Orientation::HalfTurn;
    case Turn::CounterClockwise:
        return Orientation::CounterClockwise;
    default:
        return Orientation::Clockwise;
    }
}

} // namespace

std::unique_ptr<RasterLayer> RasterLayer::withPixels(Surface24&& color, Surface8&& mask) const {
    auto layer = createFromSurface(owner(), std::move(color), background_);
    if (!layer)
        return nullptr;
    layer->copyAttributesFrom(*this);
    if (!mask.isEmpty() && !layer->masks_->setMask(std::move(mask)))
        return nullptr;
    return layer;
}

std::unique_ptr<RasterLayer> RasterLayer::resized(Size newSize, int32_t method) const {
    if (color_.isEmpty() || newSize.isEmpty())
        return nullptr;
    const bool smooth = method != 0;
    Surface24 color;
    Surface8 mask;
    if (!color_.resizeInto(color, newSize, smooth))
        return nullptr;
    if (const Surface8* old = transparencyMask(); old && !old->resizeInto(mask, newSize, smooth))
        return nullptr;
    return withPixels(std::move(color), std::move(mask));
}

std::unique_ptr<RasterLayer> RasterLayer::rotated(double angle) const {
    const Turn how = turnFor(angle);
    if (color_.isEmpty() || how == Turn::None || how == Turn::Unsupported)
        return nullptr;
    const Orientation orientation = orientationFor(how);
    Surface24 color;
    Surface8 mask;
    if (!color_.orientedInto(color, orientation))
        return nullptr;
    if (const Surface8* old = transparencyMask(); old && !old->orientedInto(mask, orientation))
        return nullptr;
    return withPixels(std::move(color), std::move(mask));
}

std::unique_ptr<RasterLayer> RasterLayer::flipped(bool horizontal) const {
    if (color_.isEmpty())
        return nullptr;
    const Orientation orientation = horizontal ? Orientation::Mirrored : Orientation::Flipped;
    Surface24 color;
    Surface8 mask;
    if (!color_.orientedInto(color, orientation))
        return nullptr;
    if (const Surface8* old = transparencyMask(); old && !old->orientedInto(mask, orientation))
        return nullptr;
    return withPixels(std::move(color), std::move(mask));
}

std::unique_ptr<RasterLayer> RasterLayer::cropped(const Rect& localRect) const {
    if (color_.isEmpty())
        return nullptr;
    const Rect area = localRect.intersected(localBounds());
    if (area.isEmpty())
        return nullptr;
    try {
        Surface24 color;
        Surface8 mask;
        if (!extractRect(color_, area, color))
            return nullptr;
        if (const Surface8* old = transparencyMask(); old && !extractRect(*old, area, mask))
            return nullptr;
        return withPixels(std::move(color), std::move(mask));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<RasterLayer> RasterLayer::extendedBackground(Size canvas, Point anchor, uint32_t color) const {
    if (!isBackground() || color_.isEmpty() || canvas.isEmpty())
        return nullptr;
    const Point placed{x() + anchor.x, y() + anchor.y};
    Surface24 extended;
    Surface8 mask;
    if (!extended.create(canvas.width, canvas.height, 24))
        return nullptr;
    const Rect oldArea = Rect::fromPointSize(placed, size());
    if (!oldArea.contains(extended.bounds()))
        extended.fillSolid24(extended.bounds(), color, oldArea);
    copyPixels(color_, color_.bounds(), extended, placed);
    if (const Surface8* old = transparencyMask()) {
        // The extension color is opaque; only the old pixels keep their transparency.
        if (!mask.create(canvas.width, canvas.height, 8) || !mask.fillValue(255))
            return nullptr;
        copyPixels(*old, old->bounds(), mask, placed);
    }
    auto layer = withPixels(std::move(extended), std::move(mask));
    if (layer)
        layer->setPosition({0, 0});
    return layer;
}

} // namespace pict
