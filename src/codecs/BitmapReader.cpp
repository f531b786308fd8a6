// Reading bitmap files and packed bitmaps. Every size is checked against the bytes actually
// present before the pixel memory is allocated, so a short or lying file cannot make us
// allocate what its header claims.
#include "codecs/BitmapFormat.h"
#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/PixelPacking.h"

#include <cstring>
#include <new>

namespace pict {

namespace {

uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t u32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }

// Room after the header for masks and a full color table, so that a file whose header block
// is shorter than its table claims gets black entries instead of a refused read.
constexpr size_t kBlockSlack = 12 + 4 * 256;

// A header block ready for surface creation, and the file's own header (height sign and
// run-length compression intact).
struct HeaderBlock {
    std::vector<uint8_t> block;
    SurfaceHeader header;
};

bool acceptableCompression(const SurfaceHeader& h) {
    switch (h.compression) {
    case kCompressionNone:
        return true;
    case kCompressionRle8:
        return h.bitCount == 8;
    case kCompressionRle4:
        return h.bitCount == 4;
    case kCompressionBitFields:
        return h.bitCount == 16 || h.bitCount == 32;
    default:
        return false;
    }
}

bool acceptableHeader(const SurfaceHeader& h) {
    const int64_t height = h.height < 0 ? -int64_t(h.height) : int64_t(h.height);
    return h.width > 0 && h.width <= kMaxImageDimension && height > 0 && height <= kMaxImageDimension &&
           isStoredDepth(h.bitCount) && acceptableCompression(h);
}

// Converts the 12-byte core header and its 3-byte color table to the 40-byte form.
bool parseCoreHeader(const uint8_t* raw, size_t length, HeaderBlock& out) {
    if (length < kCoreHeaderBytes)
        return false;
    SurfaceHeader& h = out.header;
    h = SurfaceHeader{};
    h.width = u16(raw + 4);
    h.height = u16(raw + 6);
    h.bitCount = u16(raw + 10);
    out.block.assign(sizeof(SurfaceHeader) + kBlockSlack, 0);
    if (h.bitCount <= 8 && isStoredDepth(h.bitCount)) {
        const size_t wanted = size_t(1) << h.bitCount;
        const size_t present = std::min(wanted, (length - kCoreHeaderBytes) / 3);
        uint8_t* table = out.block.data() + sizeof(SurfaceHeader);
        for (size_t i = 0; i < present; ++i)
            std::memcpy(table + 4 * i, raw + kCoreHeaderBytes + 3 * i, 3);
    }
    std::memcpy(out.block.data(), &h, sizeof h);
    return true;
}

bool parseHeaderBlock(const uint8_t* raw, size_t length, HeaderBlock& out) {
    if (length < 4)
        return false;
    const uint32_t size = u32(raw);
    if (size == kCoreHeaderBytes) {
        if (!parseCoreHeader(raw, length, out))
            return false;
    } else {
        if (!isAcceptedHeaderSize(size) || length < size)
            return false;
        out.block.assign(raw, raw + length);
        out.block.resize(length + kBlockSlack, 0);
        std::memcpy(&out.header, raw, sizeof out.header);
    }
    return acceptableHeader(out.header);
}

bool isRunLength(const SurfaceHeader& h) {
    return h.compression == kCompressionRle8 || h.compression == kCompressionRle4;
}

// Reads the pixel data that follows the header block. `declared` is what the file says is
// there (from its file-size field), `stream` must hold at least that much for plain data.
bool readPixels(const HeaderBlock& parsed, ByteStream& stream, int64_t declared, AnySurface& surface) {
    const SurfaceHeader& h = parsed.header;
    const bool runLength = isRunLength(h);
    const int64_t height = h.height < 0 ? -int64_t(h.height) : int64_t(h.height);
    const int64_t available = stream.remaining();
    std::vector<uint8_t> packed;
    if (runLength) {
        const int64_t bytes = std::min(available, declared > 0 ? std::max(declared, int64_t(0)) : available);
        if (bytes <= 0 || bytes > maxSurfaceBytes())
            return false;
        packed.resize(size_t(bytes));
        if (!stream.readExact(packed.data(), packed.size()))
            return false;
    } else {
        const int64_t needed = strideFor(h.bitCount, h.width) * height;
        if (declared < needed || available < needed)
            return false;
    }

    AnySurface created;
    if (!created.createFromHeader(parsed.block.data(), parsed.block.size()))
        return false;
    if (runLength) {
        const bool ok = h.compression == kCompressionRle8 ? decodeRunLength8(packed.data(), packed.size(), created)
                                                          : decodeRunLength4(packed.data(), packed.size(), created);
        if (!ok)
            return false;
    } else if (!stream.readExact(created.buffer()->bits, size_t(created.imageSize()))) {
        return false;
    }

    if (h.compression == kCompressionBitFields) {
        if (h.bitCount == 16 && h.size != 40 && created.masks()[kAlpha] != 0) {
            Surface32 widened;
            if (!bitFields16To32(created, widened))
                return false;
            created.attach(widened.detach());
        } else if (h.bitCount == 32 && !normalizeBitFields32(created)) {
            return false;
        }
    }
    // Plain rows of a negative-height file were stored top row first; run-length rows were
    // decoded top row first, so a positive-height run-length file is the one to turn over.
    const bool topDownData = (h.height < 0) != runLength;
    if (height > 1 && topDownData)
        flipRows(created);
    surface.attach(created.detach());
    return true;
}

bool readFileHeaderAndBlock(ByteStream& stream, HeaderBlock& parsed, int64_t& declared, size_t blockLimit) {
    if (!stream.isOpen() || stream.isBad())
        return false;
    uint8_t fileHeader[kBitmapFileHeaderBytes];
    if (!stream.readExact(fileHeader, sizeof fileHeader) || u16(fileHeader) != kBitmapSignature)
        return false;
    const int64_t fileSize = u32(fileHeader + 2);
    const int64_t offset = u32(fileHeader + 10);
    if (offset <= kBitmapFileHeaderBytes || offset - kBitmapFileHeaderBytes > stream.remaining())
        return false;
    const size_t blockLength = size_t(offset - kBitmapFileHeaderBytes);
    std::vector<uint8_t> raw(std::min(blockLength, blockLimit));
    if (!stream.readExact(raw.data(), raw.size()))
        return false;
    declared = fileSize - offset;
    return parseHeaderBlock(raw.data(), raw.size(), parsed);
}

} // namespace

bool readBitmapFile(ByteStream& stream, AnySurface& surface) {
    try {
        HeaderBlock parsed;
        int64_t declared = 0;
        if (!readFileHeaderAndBlock(stream, parsed, declared, SIZE_MAX))
            return false;
        return readPixels(parsed, stream, declared, surface);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool readBitmapHeaders(ByteStream& stream, SurfaceHeader& header) {
    try {
        HeaderBlock parsed;
        int64_t declared = 0;
        // The header alone is enough; the color table is not needed.
        if (!readFileHeaderAndBlock(stream, parsed, declared, 124))
            return false;
        header = parsed.header;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool readPackedBitmap(const uint8_t* data, size_t size, AnySurface& surface) {
    if (!data || size < 4)
        return false;
    try {
        const uint32_t headerSize = u32(data);
        size_t blockLength = 0;
        if (headerSize == kCoreHeaderBytes) {
            if (size < kCoreHeaderBytes)
                return false;
            const uint16_t depth = u16(data + 10);
            blockLength = kCoreHeaderBytes + (depth <= 8 ? 3 * (size_t(1) << (depth & 15)) : 0);
        } else {
            if (!isAcceptedHeaderSize(headerSize) || size < headerSize)
                return false;
            SurfaceHeader h;
            std::memcpy(&h, data, sizeof h);
            const size_t masks = headerSize == 40 && h.compression == kCompressionBitFields ? 12 : 0;
            size_t colors = h.clrUsed;
            if (h.bitCount <= 8 && (colors == 0 || colors > (size_t(1) << h.bitCount)))
                colors = size_t(1) << (h.bitCount & 15);
            if (colors > size)
                return false;
            blockLength = headerSize + masks + 4 * colors;
        }
        if (blockLength > size)
            return false;
        HeaderBlock parsed;
        if (!parseHeaderBlock(data, blockLength, parsed))
            return false;
        MemoryStream pixels;
        const int64_t pixelBytes = int64_t(size - blockLength);
        if (pixelBytes <= 0 || !pixels.attach(data + blockLength, pixelBytes))
            return false;
        return readPixels(parsed, pixels, pixelBytes, surface);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace pict
