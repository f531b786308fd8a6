// Reduction to 4- and 8-bit palette images: an octree palette of the source's colors, then
// the nearest-entry mapping with error diffusion.
#include "surface/OctreeQuantizer.h"
#include "surface/PixelCodec.h"
#include "surface/RasterSurface.h"
#include "surface/SurfaceConversions.h"

#include <algorithm>

namespace pict {

namespace {

using BufferPtr = std::unique_ptr<SurfaceBuffer>;

BufferPtr indexedBufferOf(const SurfaceBuffer& source, int depth, int colors) {
    const int sourceDepth = source.depth();
    if (sourceDepth == depth)
        return copyBuffer(source);
    if (sourceDepth < depth)
        return widenedBuffer(source, depth);
    // The quantizer reads palette and 24-bit pixels; 16- and 32-bit pixels become colors first.
    BufferPtr color;
    const SurfaceBuffer* pixels = &source;
    if (sourceDepth != 8 && sourceDepth != 24) {
        color = colorBufferOf(source);
        if (!color)
            return nullptr;
        pixels = color.get();
    }
    const int32_t wanted = std::clamp(colors, 1, 1 << depth);
    OctreeQuantizer quantizer(wanted, 8);
    quantizer.addBuffer(*pixels);
    ColorTable palette(size_t(quantizer.paletteSize()));
    const int32_t found = quantizer.producePalette(palette);
    if (found <= 0)
        return nullptr;
    palette.resize(size_t(found));
    return mappedBuffer(*pixels, depth, palette, true);
}

} // namespace

bool AnySurface::toIndexed4(RasterSurface& target, int colors) const {
    return isValid() && failSafe([&] {
        BufferPtr out = indexedBufferOf(*buffer_, 4, colors);
        return out && target.attach(std::move(out));
    });
}

bool AnySurface::toIndexed8(RasterSurface& target, int colors) const {
    return isValid() && failSafe([&] {
        BufferPtr out = indexedBufferOf(*buffer_, 8, colors);
        return out && target.attach(std::move(out));
    });
}

} // namespace pict
