#pragma once
// The masks of a raster layer: the layer's size and an optional transparency mask of exactly
// that size (255 opaque, 0 fully transparent). Without a mask the layer is opaque everywhere.

#include "common/Geometry.h"
#include "surface/RasterSurface.h"

#include <memory>

namespace pict {

class LayerMaskSet {
public:
    LayerMaskSet() = default;
    explicit LayerMaskSet(Size size) : size_(size) {}

    Size size() const { return size_; }
    int32_t width() const { return size_.width; }
    int32_t height() const { return size_.height; }
    // Only for the layer geometry, which changes the mask and the size together.
    void setSize(Size size) { size_ = size; }

    bool hasMask() const { return !mask_.isEmpty(); }
    const Surface8* mask() const { return hasMask() ? &mask_ : nullptr; }
    Surface8* mask() { return hasMask() ? &mask_ : nullptr; }

    // Takes the mask when its size is the set's size; otherwise refuses and keeps the old one.
    bool setMask(Surface8&& mask);
    // Creates the mask filled with 255 when there is none; fails only when memory runs out.
    bool ensureMask();
    void removeMask() { mask_.destroy(); }

    // A deep copy; null when memory runs out.
    std::unique_ptr<LayerMaskSet> clone() const;

private:
    Size size_;
    Surface8 mask_;
};

} // namespace pict
