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

template <class S>
bool turn(S& surface, Turn how) {
    switch (how) {
    case Turn::None:
        return true;
    case Turn::Half:
        return surface.rotate180();
    case Turn::Clockwise:
        return surface.rotate90Clockwise();
    case Turn::CounterClockwise:
        return surface.rotate90CounterClockwise();
    case Turn::Unsupported:
        return false;
    }
    return false;
}

} // namespace

bool RasterLayer::resize(Size newSize, int32_t method) {
    if (color_.isEmpty() || newSize.isEmpty())
        return false;
    if (newSize == size())
        return true;
    const bool smooth = method != 0;
    // Resample into copies first so that a failure leaves color and mask consistent.
    Surface24 color;
    Surface8 mask;
    if (!color_.resizeInto(color, newSize, smooth))
        return false;
    if (const Surface8* old = transparencyMask(); old && !old->resizeInto(mask, newSize, smooth))
        return false;
    color_ = std::move(color);
    if (masks_) {
        masks_->setSize(newSize);
        if (!mask.isEmpty())
            masks_->setMask(std::move(mask));
    }
    return true;
}

bool RasterLayer::rotate(double angle) {
    const Turn how = turnFor(angle);
    if (how == Turn::None)
        return true;
    if (color_.isEmpty() || how == Turn::Unsupported)
        return false;
    Surface8* mask = transparencyMask();
    if (!turn(color_, how))
        return false;
    if (mask && !turn(*mask, how)) {
        // Keep the pair consistent: turn the color back rather than leave them mismatched.
        turn(color_, how == Turn::Half ? Turn::Half
                     : how == Turn::Clockwise ? Turn::CounterClockwise
                                              : Turn::Clockwise);
        return false;
    }
    if (masks_)
        masks_->setSize(color_.size());
    return true;
}

bool RasterLayer::flip(bool horizontal) {
    if (color_.isEmpty())
        return false;
    auto apply = [horizontal](AnySurface& surface) { return horizontal ? surface.mirror() : surface.flip(); };
    if (!apply(color_))
        return false;
    if (Surface8* mask = transparencyMask(); mask && !apply(*mask)) {
        apply(color_);
        return false;
    }
    return true;
}

bool RasterLayer::crop(const Rect& localRect) {
    if (color_.isEmpty())
        return false;
    const Rect area = localRect.intersected(localBounds());
    if (area.isEmpty())
        return false;
    if (area == localBounds())
        return true;
    try {
        Surface24 color;
        Surface8 mask;
        if (!extractRect(color_, area, color))
            return false;
        if (const Surface8* old = transparencyMask(); old && !extractRect(*old, area, mask))
            return false;
        color_ = std::move(color);
        if (masks_) {
            masks_->setSize(area.size());
            if (!mask.isEmpty())
                masks_->setMask(std::move(mask));
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool RasterLayer::trim() {
    if (!isBackground() || color_.isEmpty())
        return false;
    // The box is found on the colors; a transparency mask is cut to the same box so that
    // the two keep the same size.
    const Rect box = color_.trimBounds();
    if (box.isEmpty())
        return true;
    return crop(box);
}

bool RasterLayer::extendBackground(Size canvas, Point anchor, uint32_t color) {
    if (!isBackground() || color_.isEmpty() || canvas.isEmpty())
        return false;
    const Point placed{x() + anchor.x, y() + anchor.y};
    Surface24 extended;
    Surface8 mask;
    if (!extended.create(canvas.width, canvas.height, 24))
        return false;
    const Rect oldArea = Rect::fromPointSize(placed, size());
    if (!oldArea.contains(extended.bounds()))
        extended.fillSolid24(extended.bounds(), color, oldArea);
    copyPixels(color_, color_.bounds(), extended, placed);
    if (const Surface8* old = transparencyMask()) {
        // The extension color is opaque; only the old pixels keep their transparency.
        if (!mask.create(canvas.width, canvas.height, 8) || !mask.fillValue(255))
            return false;
        copyPixels(*old, old->bounds(), mask, placed);
    }
    color_ = std::move(extended);
    if (masks_) {
        masks_->setSize(canvas);
        if (!mask.isEmpty())
            masks_->setMask(std::move(mask));
    }
    setPosition({0, 0});
    return true;
}

} // namespace pict
