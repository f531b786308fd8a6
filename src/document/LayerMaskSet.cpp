#include "document/LayerMaskSet.h"

#include "document/SurfaceCopies.h"

namespace pict {

bool LayerMaskSet::setMask(Surface8&& mask) {
    if (!mask.isValid() || mask.size() != size_)
        return false;
    mask_ = std::move(mask);
    return true;
}

bool LayerMaskSet::ensureMask() {
    if (hasMask())
        return true;
    Surface8 fresh;
    if (!fresh.create(size_.width, size_.height, 8) || !fresh.fillValue(255))
        return false;
    mask_ = std::move(fresh);
    return true;
}

std::unique_ptr<LayerMaskSet> LayerMaskSet::clone() const {
    auto copy = std::make_unique<LayerMaskSet>(size_);
    if (hasMask() && !cloneSurface(mask_, copy->mask_))
        return nullptr;
    return copy;
}

} // namespace pict
