// The packed-bitmap block of the clipboard: the 40-byte header, the three masks of a
// bit-field surface, the palette, then the pixel rows exactly as stored (bottom row first).
#include "surface/PixelCodec.h"
#include "surface/RasterSurface.h"

namespace pict {

std::vector<uint8_t> AnySurface::toPackedBitmap() const {
    if (!isValid())
        return {};
    std::vector<uint8_t> block;
    failSafe([&] {
        const SurfaceBuffer& b = *buffer_;
        SurfaceHeader header = b.section.header;
        header.size = 40;
        header.width = b.width();
        header.height = b.height();
        header.planes = 1;
        header.bitCount = uint16_t(b.depth());
        header.sizeImage = uint32_t(b.imageSize());
        header.clrUsed = uint32_t(b.depth() <= 8 ? b.palette.count() : 0);
        header.clrImportant = 0;
        const bool bitFields = b.compression() == kCompressionBitFields;
        const size_t masks = bitFields ? 12 : 0;
        const size_t colors = 4 * size_t(header.clrUsed);
        block.assign(40 + masks + colors + size_t(b.imageSize()), 0);
        std::memcpy(block.data(), &header, 40);
        if (bitFields)
            std::memcpy(block.data() + 40, b.mask, 12);
        if (colors)
            std::memcpy(block.data() + 40 + masks, b.palette.data(), colors);
        std::memcpy(block.data() + 40 + masks + colors, b.bits, size_t(b.imageSize()));
        return true;
    });
    return block;
}

} // namespace pict
