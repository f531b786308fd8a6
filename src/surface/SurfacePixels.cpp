// Pixel access by index and by color for every depth. AnySurface answers for whatever depth
// its buffer has; the depth classes answer only for their own.
#include "surface/PixelCodec.h"
#include "surface/RasterSurface.h"

namespace pict {

namespace {

bool inside(const SurfaceBuffer& b, int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x < b.width() && y < b.height();
}

constexpr bool isIndexedDepth(int depth) { return depth == 1 || depth == 4 || depth == 8; }

// Index writes keep the bits the depth can hold; a 1-bit pixel is set by any non-zero low byte.
uint32_t indexForDepth(int depth, uint32_t index) {
    switch (depth) {
    case 1:
        return (index & 0xFF) != 0 ? 1u : 0u;
    case 4:
        return index & 0x0F;
    default:
        return index & 0xFF;
    }
}

uint32_t readIndex(const SurfaceBuffer* b, int depth, int32_t x, int32_t y) {
    if (!b || b->magic != kSurfaceMagic || b->depth() != depth || !inside(*b, x, y))
        return 0;
    return rawAt(b->row(y), depth, x);
}

bool writeIndex(SurfaceBuffer* b, int depth, int32_t x, int32_t y, uint32_t index) {
    if (!b || b->magic != kSurfaceMagic || b->depth() != depth)
        return false;
    if (inside(*b, x, y))
        setRawAt(b->row(y), depth, x, indexForDepth(depth, index));
    return true;
}

uint32_t readColor(const SurfaceBuffer* b, int depth, int32_t x, int32_t y) {
    if (!b || b->magic != kSurfaceMagic || b->depth() != depth || !inside(*b, x, y))
        return 0;
    return colorOfRaw(*b, rawAt(b->row(y), depth, x));
}

bool writeColor(SurfaceBuffer* b, int depth, int32_t x, int32_t y, uint32_t color) {
    if (!b || b->magic != kSurfaceMagic || b->depth() != depth)
        return false;
    if (isIndexedDepth(depth) && b->palette.isEmpty())
        return false;
    if (inside(*b, x, y))
        setRawAt(b->row(y), depth, x, rawOfColor(*b, color));
    return true;
}

} // namespace

uint32_t AnySurface::getIndex(int32_t x, int32_t y) const {
    return buffer_ && isIndexedDepth(depth()) ? readIndex(buffer_.get(), depth(), x, y) : 0;
}
bool AnySurface::setIndex(int32_t x, int32_t y, uint32_t index) {
    return buffer_ && isIndexedDepth(depth()) && writeIndex(buffer_.get(), depth(), x, y, index);
}
uint32_t AnySurface::getColor(int32_t x, int32_t y) const {
    return buffer_ && isStoredDepth(depth()) ? readColor(buffer_.get(), depth(), x, y) : 0;
}
bool AnySurface::setColor(int32_t x, int32_t y, uint32_t color) {
    return buffer_ && isStoredDepth(depth()) && writeColor(buffer_.get(), depth(), x, y, color);
}

template <int Depth, class Self>
uint32_t DepthSurface<Depth, Self>::getIndex(int32_t x, int32_t y) const {
    if constexpr (isIndexedDepth(Depth))
        return readIndex(buffer_.get(), Depth, x, y);
    else
        return 0;
}
template <int Depth, class Self>
bool DepthSurface<Depth, Self>::setIndex(int32_t x, int32_t y, uint32_t index) {
    if constexpr (isIndexedDepth(Depth))
        return writeIndex(buffer_.get(), Depth, x, y, index);
    else
        return false;
}
template <int Depth, class Self>
uint32_t DepthSurface<Depth, Self>::getColor(int32_t x, int32_t y) const {
    return readColor(buffer_.get(), Depth, x, y);
}
template <int Depth, class Self>
bool DepthSurface<Depth, Self>::setColor(int32_t x, int32_t y, uint32_t color) {
    return writeColor(buffer_.get(), Depth, x, y, color);
}

template class DepthSurface<1, Surface1>;
template class DepthSurface<4, Surface4>;
template class DepthSurface<8, Surface8>;
template class DepthSurface<16, Surface16>;
template class DepthSurface<24, Surface24>;
template class DepthSurface<32, Surface32>;

} // namespace pict
