// Content operations of raster layers: the selection restriction handed to filters and the
// fill, Clear and its undo, and the canvas-placed images used by Grow and Similar.
#include "document/Layer.h"
#include "document/LayerOperations.h"
#include "document/SurfaceCopies.h"
#include "surface/BlendModes.h"

#include <cstring>
#include <new>

namespace pict {

namespace {

bool allZero(const Surface8& mask) {
    for (int32_t y = 0; y < mask.height(); ++y) {
        const uint8_t* row = mask.row(y);
        for (int32_t x = 0; x < mask.width(); ++x)
            if (row[x] != 0)
                return false;
    }
    return true;
}

void fillAlpha(Surface8& alpha, const Rect& rect, uint8_t value) {
    const Rect clipped = rect.intersected(alpha.bounds());
    for (int32_t y = clipped.top; y < clipped.bottom; ++y)
        std::memset(alpha.row(y) + clipped.left, value, size_t(clipped.width()));
}

} // namespace

bool RasterLayer::restrictedSelection(const SelectionArea& selection, Surface8& mask, Rect& area) const {
    area = selectionInLayer(selection);
    if (area.isEmpty())
        return false;
    // Coverage pixel (0, 0) lies on the selection's top-left corner of the canvas.
    const Rect inCoverage = area.translated(x() - selection.bounds.left, y() - selection.bounds.top);
    if (!extractRect(*selection.coverage, inCoverage, mask))
        return false;
    area = Rect::fromPointSize(area.topLeft(), mask.size());
    return true;
}

bool RasterLayer::applyFilter(SurfaceFilter& filter, const SelectionArea& selection) {
    if (color_.isEmpty())
        return false;
    try {
        if (selection.isEmpty())
            return filter.apply(color_, nullptr, {0, 0});
        Surface8 mask;
        Rect area;
        if (!restrictedSelection(selection, mask, area) || allZero(mask))
            return true; // the selection does not reach any pixel of this layer
        return filter.apply(color_, &mask, area.topLeft());
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool RasterLayer::fill(SurfaceFill& fill, const SelectionArea& selection) {
    if (color_.isEmpty() || !growToCanvas())
        return false;
    try {
        if (selection.isEmpty())
            return fill.fill(color_, transparencyMask(), nullptr, {0, 0});
        Surface8 mask;
        Rect area;
        if (!restrictedSelection(selection, mask, area))
            return true;
        return fill.fill(color_, transparencyMask(), &mask, area.topLeft());
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool RasterLayer::growToCanvas() {
    if (color_.isEmpty())
        return false;
    if (coversExtended())
        return true;
    const Rect extended = extendedRect();
    const Point offset{x() - extended.left, y() - extended.top};
    Surface24 color;
    Surface8 mask;
    if (!color.create(extended.width(), extended.height(), 24) || !mask.create(extended.width(), extended.height(), 8))
        return false;
    copyPixels(color_, color_.bounds(), color, offset);
    if (const Surface8* old = transparencyMask())
        copyPixels(*old, old->bounds(), mask, offset);
    else
        fillAlpha(mask, Rect::fromPointSize(offset, size()), 255);
    try {
        if (!masks_)
            masks_ = std::make_unique<LayerMaskSet>();
    } catch (const std::bad_alloc&) {
        return false;
    }
    color_ = std::move(color);
    masks_->setSize(color_.size());
    masks_->setMask(std::move(mask));
    setPosition(extended.topLeft());
    return true;
}

bool RasterLayer::clearBackground(const SelectionArea& selection, uint32_t color) {
    if (color_.isEmpty())
        return false;
    const uint8_t bgr[3] = {uint8_t(color >> 16), uint8_t(color >> 8), uint8_t(color)};
    Surface8 mask;
    Rect area = localBounds();
    try {
        if (!selection.isEmpty() && !restrictedSelection(selection, mask, area))
            return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int32_t y = area.top; y < area.bottom; ++y) {
        uint8_t* pixel = color_.row(y) + 3 * int64_t(area.left);
        const uint8_t* coverage = mask.isEmpty() ? nullptr : mask.row(y - area.top);
        for (int32_t x = 0; x < area.width(); ++x, pixel += 3) {
            // c + floor(s × (color − c) / 256), with s = 255 writing the color exactly.
            coverageBlend(pixel, bgr, coverage ? coverage[x] : 255);
        }
    }
    return true;
}

bool RasterLayer::clearToTransparent(uint8_t value, const SelectionArea& selection) {
    if (color_.isEmpty() || !ensureTransparencyMask())
        return false;
    Surface8& target = *transparencyMask();
    if (selection.isEmpty())
        return target.fillValue(value);
    Surface8 mask;
    Rect area;
    try {
        if (!restrictedSelection(selection, mask, area))
            return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int32_t y = area.top; y < area.bottom; ++y) {
        uint8_t* alpha = target.row(y) + area.left;
        const uint8_t* coverage = mask.row(y - area.top);
        for (int32_t x = 0; x < area.width(); ++x) {
            const uint32_t s = coverage[x];
            if (s == 255)
                alpha[x] = value;
            else if (s != 0)
                alpha[x] = uint8_t(((255 - s) * alpha[x] + value * s) / 256);
        }
    }
    return true;
}

bool RasterLayer::restoreColor(const Surface24& saved, const SelectionArea& selection) {
    if (color_.isEmpty() || !saved.isValid())
        return false;
    const Point origin = selection.isEmpty() ? Point{} : selectionInLayer(selection).topLeft();
    return copyPixels(saved, saved.bounds(), color_, origin);
}

bool RasterLayer::restoreMask(const Surface8& saved, const SelectionArea& selection) {
    if (color_.isEmpty() || !saved.isValid() || !ensureTransparencyMask())
        return false;
    const Point origin = selection.isEmpty() ? Point{} : selectionInLayer(selection).topLeft();
    return copyPixels(saved, saved.bounds(), *transparencyMask(), origin);
}

bool RasterLayer::saveColor(const SelectionArea& selection, Surface24& saved) const {
    if (color_.isEmpty())
        return false;
    try {
        return extractRect(color_, selection.isEmpty() ? localBounds() : selectionInLayer(selection), saved);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool RasterLayer::saveMask(const SelectionArea& selection, Surface8& saved) {
    if (color_.isEmpty() || !ensureTransparencyMask())
        return false;
    try {
        return extractRect(*transparencyMask(), selection.isEmpty() ? localBounds() : selectionInLayer(selection),
                           saved);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool RasterLayer::canvasImage(Surface24& color, Surface8& alpha) const {
    const Size canvas = canvasSize();
    Surface24 placedColor;
    Surface8 placedAlpha;
    if (color_.isEmpty() || canvas.isEmpty() || !placedColor.create(canvas.width, canvas.height, 24) ||
        !placedAlpha.create(canvas.width, canvas.height, 8))
        return false;
    copyPixels(color_, color_.bounds(), placedColor, position());
    if (const Surface8* mask = transparencyMask())
        copyPixels(*mask, mask->bounds(), placedAlpha, position());
    else
        fillAlpha(placedAlpha, canvasRect(), 255);
    color = std::move(placedColor);
    alpha = std::move(placedAlpha);
    return true;
}

bool RasterLayer::layerImage(Surface24& color, Surface8& alpha) const {
    Surface24 colorCopy;
    Surface8 alphaCopy;
    if (color_.isEmpty() || !cloneSurface(color_, colorCopy))
        return false;
    if (const Surface8* mask = transparencyMask()) {
        if (!cloneSurface(*mask, alphaCopy))
            return false;
    } else if (!alphaCopy.create(color_.width(), color_.height(), 8) || !alphaCopy.fillValue(255)) {
        return false;
    }
    color = std::move(colorCopy);
    alpha = std::move(alphaCopy);
    return true;
}

bool RasterLayer::thumbnail(Surface24& target, const ThumbnailPattern& pattern) const {
    const Size canvas = canvasSize();
    if (target.isEmpty() || color_.isEmpty() || canvas.isEmpty())
        return false;
    const int32_t square = pattern.squareSize > 0 ? pattern.squareSize : 1;
    const uint8_t first[3] = {uint8_t(pattern.first >> 16), uint8_t(pattern.first >> 8), uint8_t(pattern.first)};
    const uint8_t second[3] = {uint8_t(pattern.second >> 16), uint8_t(pattern.second >> 8), uint8_t(pattern.second)};
    const Surface8* mask = transparencyMask();
    const int32_t a = target.width();
    const int32_t b = target.height();
    for (int32_t j = 0; j < b; ++j) {
        uint8_t* pixel = target.row(j);
        const int32_t ly = int32_t(double(j) * canvas.height / b) - y();
        const bool rowInside = ly >= 0 && ly < color_.height();
        for (int32_t i = 0; i < a; ++i, pixel += 3) {
            const bool same = ((i / square) % 2) == ((j / square) % 2);
            std::memcpy(pixel, same ? first : second, 3);
            const int32_t lx = int32_t(double(i) * canvas.width / a) - x();
            if (!rowInside || lx < 0 || lx >= color_.width())
                continue;
            const uint8_t* source = colorAt(lx, ly);
            coverageBlend(pixel, source, mask ? mask->row(ly)[lx] : 255);
        }
    }
    return true;
}

} // namespace pict
