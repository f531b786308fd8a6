// Writing a surface as a bitmap file: file header, 40-byte header, masks, palette, pixels.
#include "codecs/BitmapFormat.h"
#include "codecs/ByteStream.h"

#include <cstring>
#include <new>

namespace pict {

namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

bool usesBitFields(const RasterSurface& surface) {
    return surface.isBitFields() && (surface.depth() == 16 || surface.depth() == 32);
}

} // namespace

std::vector<uint8_t> headerBlockOf(const RasterSurface& surface) {
    std::vector<uint8_t> block;
    if (surface.isEmpty())
        return block;
    const SurfaceBuffer& buffer = *surface.buffer();
    const SurfaceHeader& stored = buffer.section.header;
    const bool bitFields = usesBitFields(surface);
    const int32_t colors = surface.depth() <= 8 ? surface.paletteCount() : 0;
    block.reserve(40 + 12 + 4 * size_t(colors));
    put32(block, 40);
    put32(block, uint32_t(surface.width()));
    put32(block, uint32_t(surface.height())); // always bottom-up
    put16(block, 1);
    put16(block, uint32_t(surface.depth()));
    put32(block, bitFields ? kCompressionBitFields : kCompressionNone);
    put32(block, uint32_t(surface.imageSize()));
    put32(block, uint32_t(stored.xPelsPerMeter));
    put32(block, uint32_t(stored.yPelsPerMeter));
    put32(block, uint32_t(colors));
    put32(block, 0);
    if (bitFields) {
        put32(block, buffer.mask[kRed]);
        put32(block, buffer.mask[kGreen]);
        put32(block, buffer.mask[kBlue]);
    }
    for (int32_t i = 0; i < colors; ++i)
        put32(block, surface.palette()->at(i) & 0x00FFFFFF);
    return block;
}

bool writeBitmapFile(ByteStream& stream, const RasterSurface& surface) {
    if (!stream.isOpen() || surface.isEmpty())
        return false;
    try {
        const std::vector<uint8_t> block = headerBlockOf(surface);
        const int64_t imageBytes = surface.imageSize();
        const int64_t offset = int64_t(kBitmapFileHeaderBytes) + int64_t(block.size());
        const int64_t fileSize = offset + imageBytes;
        // The file header's size field is 32 bits; larger files record 0, as readers expect.
        const uint32_t sizeField = fileSize > int64_t(UINT32_MAX) ? 0u : uint32_t(fileSize);
        std::vector<uint8_t> head;
        head.reserve(size_t(offset));
        put16(head, kBitmapSignature);
        put32(head, sizeField);
        put32(head, 0);
        put32(head, uint32_t(offset));
        head.insert(head.end(), block.begin(), block.end());
        if (imageBytes > int64_t(UINT32_MAX)) {
            // Image size field would overflow: 0 is allowed for uncompressed data.
            std::memset(head.data() + kBitmapFileHeaderBytes + 20, 0, 4);
        }
        if (!stream.writeExact(head.data(), head.size()))
            return false;
        // Pixel memory is stored bottom-up, exactly the file's row order.
        return stream.writeExact(surface.buffer()->bits, size_t(imageBytes));
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace pict
