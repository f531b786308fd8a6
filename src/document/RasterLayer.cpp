// Creation, copying and pixel access of raster layers.
#include "document/Layer.h"

#include "document/SurfaceCopies.h"

#include <new>

namespace pict {

namespace {

bool isUsableColor(const Surface24& color) { return color.isValid() && color.width() > 0 && color.height() > 0; }

} // namespace

std::unique_ptr<RasterLayer> RasterLayer::create(LayerStack* owner, Size size, std::optional<uint32_t> fill) {
    try {
        Surface24 color;
        if (size.isEmpty() || !color.create(size.width, size.height, 24))
            return nullptr;
        if (fill)
            color.fillSolid24(color.bounds(), *fill);
        return createFromSurface(owner, std::move(color), true);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<RasterLayer> RasterLayer::createFromSurface(LayerStack* owner, Surface24&& color, bool background) {
    Surface24 taken = std::move(color);
    if (!isUsableColor(taken))
        return nullptr;
    try {
        auto layer = std::make_unique<RasterLayer>(owner);
        layer->background_ = background;
        layer->masks_ = std::make_unique<LayerMaskSet>(taken.size());
        layer->color_ = std::move(taken);
        return layer;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<RasterLayer> RasterLayer::createFromSurfaceAndMask(LayerStack* owner, Surface24&& color,
                                                                   std::unique_ptr<LayerMaskSet> masks) {
    Surface24 taken = std::move(color);
    if (!isUsableColor(taken) || !masks || masks->size() != taken.size())
        return nullptr;
    if (masks->hasMask() && masks->mask()->size() != taken.size())
        return nullptr;
    try {
        auto layer = std::make_unique<RasterLayer>(owner);
        layer->masks_ = std::move(masks);
        layer->color_ = std::move(taken);
        return layer;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<RasterLayer> RasterLayer::createFromPixels(LayerStack* owner, const Surface24& color,
                                                           const Surface8& alpha, Point position, std::string name,
                                                           bool background) {
    try {
        // The pixels are shared, not copied: pasting a photo then costs no pixel copy, and
        // whichever of the layer and the source is written first takes its own copy.
        Surface24 shared;
        if (!isUsableColor(color) || !shared.shareFrom(color))
            return nullptr;
        auto layer = createFromSurface(owner, std::move(shared), background);
        if (!layer)
            return nullptr;
        if (alpha.isValid() && alpha.size() == layer->size() && !alpha.isAll(255)) {
            Surface8 mask;
            if (!mask.shareFrom(alpha) || !layer->masks_->setMask(std::move(mask)))
                return nullptr;
        }
        layer->setPosition(position);
        layer->setName(std::move(name));
        return layer;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<Layer> RasterLayer::clone(LayerStack* owner) const {
    try {
        auto copy = std::make_unique<RasterLayer>(owner);
        copy->background_ = background_;
        if (!copy->copyFrom(*this))
            return nullptr;
        return copy;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool RasterLayer::copyFrom(const RasterLayer& other) {
    if (&other == this)
        return true;
    try {
        Surface24 color;
        std::unique_ptr<LayerMaskSet> masks;
        if (!cloneSurface(other.color_, color))
            return false;
        if (other.masks_ && !(masks = other.masks_->clone()))
            return false;
        copyAttributesFrom(other);
        background_ = other.background_;
        color_ = std::move(color);
        masks_ = std::move(masks);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

uint8_t RasterLayer::alphaAt(int32_t x, int32_t y) const {
    const uint32_t a = opacity();
    const Surface8* mask = transparencyMask();
    if (a == 0 || !mask)
        return uint8_t(a);
    return uint8_t(mask->row(y)[x] * a / 255);
}

bool RasterLayer::isTransparentAt(int32_t x, int32_t y) const {
    if (!localBounds().contains(x, y))
        return true;
    const Surface8* mask = transparencyMask();
    return mask && mask->row(y)[x] == 0;
}

bool RasterLayer::ensureTransparencyMask() {
    try {
        if (!masks_)
            masks_ = std::make_unique<LayerMaskSet>(size());
        return masks_->ensureMask();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool RasterLayer::setTransparencyMask(Surface8&& mask) {
    Surface8 taken = std::move(mask);
    if (taken.size() != size())
        return false;
    try {
        if (!masks_)
            masks_ = std::make_unique<LayerMaskSet>(size());
        return masks_->setMask(std::move(taken));
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool RasterLayer::writeBack(const Surface24& saved) {
    if (saved.isValid() && saved.size() == size())
        copyPixels(saved, saved.bounds(), color_, {0, 0});
    return true;
}

} // namespace pict
