// Reading bitmap files and packed bitmaps. Every size is checked against the bytes actually
// present before the pixel memory is allocated, so a short or lying file cannot make us
// allocate what its header claims.
#include "codecs/BitmapFormat.h"
#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/PixelPacking.h"
#include "codecs/ReadReport.h"

#include <cstring>
#include <new>
#include <string>

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

// Compressions no reader here decodes, named as users meet them.
struct CompressionName {
    uint32_t compression;
    const char* variant;
};
constexpr CompressionName kUnsupportedCompressions[] = {
    {4, "JPEG-compressed BMP"}, {5, "PNG-compressed BMP"},   {6, "BMP with alpha bit fields"},
    {11, "CMYK BMP"},           {12, "CMYK run-length BMP"}, {13, "CMYK run-length BMP"},
};

bool checkCompression(const SurfaceHeader& h, ReadReport& report) {
    const std::string depth = std::to_string(h.bitCount) + " bits per pixel";
    switch (h.compression) {
    case kCompressionNone:
        return true;
    case kCompressionRle8:
    case kCompressionRle4:
        return h.bitCount == (h.compression == kCompressionRle8 ? 8 : 4) ||
               report.unsupported("run-length BMP of " + depth);
    case kCompressionBitFields:
        return h.bitCount == 16 || h.bitCount == 32 || report.unsupported("bit-field BMP of " + depth);
    default:
        break;
    }
    for (const CompressionName& known : kUnsupportedCompressions)
        if (known.compression == h.compression)
            return report.unsupported(known.variant);
    return report.unsupported("BMP with compression " + std::to_string(h.compression));
}

bool checkHeader(const SurfaceHeader& h, ReadReport& report) {
    const int64_t height = h.height < 0 ? -int64_t(h.height) : int64_t(h.height);
    if (h.width <= 0 || height <= 0)
        return report.corrupt("the header gives a size of " + std::to_string(h.width) + " \xC3\x97 " +
                              std::to_string(h.height) + " pixels");
    if (h.width > kMaxImageDimension || height > kMaxImageDimension)
        return report.tooLarge(h.width, height);
    if (!isStoredDepth(h.bitCount))
        return report.unsupported("BMP of " + std::to_string(h.bitCount) + " bits per pixel");
    return checkCompression(h, report);
}

// Converts the 12-byte core header and its 3-byte color table to the 40-byte form.
bool parseCoreHeader(const uint8_t* raw, size_t length, HeaderBlock& out, ReadReport& report) {
    if (length < kCoreHeaderBytes)
        return report.corrupt("the header block is shorter than its header");
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

bool parseHeaderBlock(const uint8_t* raw, size_t length, HeaderBlock& out, ReadReport& report) {
    if (length < 4)
        return report.corrupt("the header block is shorter than its header");
    const uint32_t size = u32(raw);
    if (size == kCoreHeaderBytes) {
        if (!parseCoreHeader(raw, length, out, report))
            return false;
    } else {
        if (!isAcceptedHeaderSize(size))
            return report.unsupported("BMP with a " + std::to_string(size) + "-byte header");
        if (length < size)
            return report.corrupt("the header block is shorter than its header");
        out.block.assign(raw, raw + length);
        out.block.resize(length + kBlockSlack, 0);
        std::memcpy(&out.header, raw, sizeof out.header);
    }
    return checkHeader(out.header, report);
}

bool isRunLength(const SurfaceHeader& h) {
    return h.compression == kCompressionRle8 || h.compression == kCompressionRle4;
}

// Reads the pixel data that follows the header block. `declared` is what the file says is
// there (from its file-size field), `stream` must hold at least that much for plain data.
// `before` is how many bytes of the file precede the stream's position, for the report.
bool readPixels(const HeaderBlock& parsed, ByteStream& stream, int64_t declared, int64_t before,
                AnySurface& surface, ReadReport& report) {
    const SurfaceHeader& h = parsed.header;
    const bool runLength = isRunLength(h);
    const int64_t height = h.height < 0 ? -int64_t(h.height) : int64_t(h.height);
    const int64_t available = stream.remaining();
    std::vector<uint8_t> packed;
    if (runLength) {
        const int64_t bytes = std::min(available, declared > 0 ? std::max(declared, int64_t(0)) : available);
        if (bytes <= 0)
            return report.truncated(before + available, before + 2);
        if (bytes > maxSurfaceBytes())
            return report.noMemory();
        packed.resize(size_t(bytes));
        if (!stream.readExact(packed.data(), packed.size()))
            return report.truncated(before + available, before + bytes);
    } else {
        const int64_t needed = strideFor(h.bitCount, h.width) * height;
        if (available < needed)
            return report.truncated(before + available, before + needed);
        if (declared < needed)
            return report.corrupt("its size field says " + std::to_string(before + declared) +
                                  " bytes, fewer than the " + std::to_string(before + needed) +
                                  " its pixels take");
    }

    AnySurface created;
    if (!created.createFromHeader(parsed.block.data(), parsed.block.size()))
        return report.noMemory();
    if (runLength) {
        const bool ok = h.compression == kCompressionRle8
                            ? decodeRunLength8(packed.data(), packed.size(), created, report)
                            : decodeRunLength4(packed.data(), packed.size(), created, report);
        if (!ok)
            return false;
    } else if (!stream.readExact(created.buffer()->bits, size_t(created.imageSize()))) {
        return report.truncated(before + available, before + int64_t(created.imageSize()));
    }

    if (h.compression == kCompressionBitFields) {
        if (h.bitCount == 16 && h.size != 40 && created.masks()[kAlpha] != 0) {
            Surface32 widened;
            if (!bitFields16To32(created, widened))
                return report.noMemory();
            created.attach(widened.detach());
        } else if (h.bitCount == 32 && !normalizeBitFields32(created)) {
            return report.noMemory();
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

bool readFileHeaderAndBlock(ByteStream& stream, HeaderBlock& parsed, int64_t& declared, size_t blockLimit,
                            ReadReport& report) {
    if (!stream.isOpen() || stream.isBad())
        return report.truncated(0, kBitmapFileHeaderBytes);
    const int64_t present = stream.remaining();
    uint8_t fileHeader[kBitmapFileHeaderBytes] = {};
    const bool whole = stream.readExact(fileHeader, sizeof fileHeader);
    if (present < 2 || u16(fileHeader) != kBitmapSignature)
        return report.notThisKind(FileKind::Bmp);
    if (!whole)
        return report.truncated(present, kBitmapFileHeaderBytes);
    const int64_t fileSize = u32(fileHeader + 2);
    const int64_t offset = u32(fileHeader + 10);
    if (offset <= kBitmapFileHeaderBytes)
        return report.corrupt("its pixel data would start inside the file header");
    if (offset - kBitmapFileHeaderBytes > stream.remaining())
        return report.truncated(present, offset);
    const size_t blockLength = size_t(offset - kBitmapFileHeaderBytes);
    std::vector<uint8_t> raw(std::min(blockLength, blockLimit));
    if (!stream.readExact(raw.data(), raw.size()))
        return report.truncated(present, offset);
    declared = fileSize - offset;
    return parseHeaderBlock(raw.data(), raw.size(), parsed, report);
}

} // namespace

bool readBitmapFile(ByteStream& stream, AnySurface& surface, ReadReport& report) {
    try {
        HeaderBlock parsed;
        int64_t declared = 0;
        const int64_t start = stream.position();
        if (!readFileHeaderAndBlock(stream, parsed, declared, SIZE_MAX, report))
            return false;
        return readPixels(parsed, stream, declared, stream.position() - start, surface, report);
    } catch (const std::bad_alloc&) {
        return report.noMemory();
    }
}

bool readBitmapHeaders(ByteStream& stream, SurfaceHeader& header, ReadReport& report) {
    try {
        HeaderBlock parsed;
        int64_t declared = 0;
        // The header alone is enough; the color table is not needed.
        if (!readFileHeaderAndBlock(stream, parsed, declared, 124, report))
            return false;
        header = parsed.header;
        return true;
    } catch (const std::bad_alloc&) {
        return report.noMemory();
    }
}

bool readPackedBitmap(const uint8_t* data, size_t size, AnySurface& surface, ReadReport& report) {
    if (!data || size < 4)
        return report.truncated(int64_t(data ? size : 0), 40);
    try {
        const uint32_t headerSize = u32(data);
        size_t blockLength = 0;
        if (headerSize == kCoreHeaderBytes) {
            if (size < kCoreHeaderBytes)
                return report.truncated(int64_t(size), kCoreHeaderBytes);
            const uint16_t depth = u16(data + 10);
            blockLength = kCoreHeaderBytes + (depth <= 8 ? 3 * (size_t(1) << (depth & 15)) : 0);
        } else {
            if (!isAcceptedHeaderSize(headerSize))
                return report.unsupported("BMP with a " + std::to_string(headerSize) + "-byte header");
            if (size < headerSize)
                return report.truncated(int64_t(size), headerSize);
            SurfaceHeader h;
            std::memcpy(&h, data, sizeof h);
            const size_t masks = headerSize == 40 && h.compression == kCompressionBitFields ? 12 : 0;
            size_t colors = h.clrUsed;
            if (h.bitCount <= 8 && (colors == 0 || colors > (size_t(1) << h.bitCount)))
                colors = size_t(1) << (h.bitCount & 15);
            if (colors > size)
                return report.corrupt("its color table is larger than the data");
            blockLength = headerSize + masks + 4 * colors;
        }
        if (blockLength > size)
            return report.truncated(int64_t(size), int64_t(blockLength));
        HeaderBlock parsed;
        if (!parseHeaderBlock(data, blockLength, parsed, report))
            return false;
        MemoryStream pixels;
        const int64_t pixelBytes = int64_t(size - blockLength);
        if (pixelBytes <= 0 || !pixels.attach(data + blockLength, pixelBytes))
            return report.truncated(int64_t(size), int64_t(blockLength) + 1);
        return readPixels(parsed, pixels, pixelBytes, int64_t(blockLength), surface, report);
    } catch (const std::bad_alloc&) {
        return report.noMemory();
    }
}

} // namespace pict
