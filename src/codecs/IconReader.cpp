// Icon files: a directory of entries, each a PNG or a packed bitmap whose height covers the
// color rows and the 1-bit AND mask below them. The entry with the most pixels, then the
// greatest depth, is read; sizes and depths are taken from the entries' own headers, since
// the directory's bytes are often wrong.
#include "codecs/BitmapFormat.h"
#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/PictureReaders.h"
#include "codecs/PixelPacking.h"
#include "codecs/PngCodec.h"
#include "codecs/ReadReport.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace pict {

namespace {

constexpr size_t kDirectoryHeaderBytes = 6;
constexpr size_t kEntryBytes = 16;
constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t u32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }

struct Entry {
    const uint8_t* data = nullptr;
    size_t size = 0;
    bool png = false;
    int64_t pixels = 0;
    int depth = 0;
};

bool describe(Entry& entry) {
    if (entry.size >= sizeof kPngSignature && std::memcmp(entry.data, kPngSignature, sizeof kPngSignature) == 0) {
        PngImage header;
        if (!PngCodec().loadFromMemory(header, entry.data, entry.size, true))
            return false;
        entry.png = true;
        entry.pixels = int64_t(header.width) * header.height;
        entry.depth = header.bitDepth;
        return true;
    }
    if (entry.size < 40 || !isAcceptedHeaderSize(u32(entry.data)))
        return false;
    SurfaceHeader h;
    std::memcpy(&h, entry.data, sizeof h);
    const int64_t height = (h.height < 0 ? -int64_t(h.height) : int64_t(h.height)) / 2;
    if (h.width <= 0 || height <= 0)
        return false;
    entry.pixels = int64_t(h.width) * height;
    entry.depth = h.bitCount;
    return true;
}

bool readPngEntry(const Entry& entry, Surface24& color, Surface8& alpha, ReadReport& report) {
    PngImage image;
    if (!PngCodec().loadFromMemory(image, entry.data, entry.size, false)) {
        report = image.report;
        return false;
    }
    report.endsEarly = image.report.endsEarly;
    color = std::move(image.color);
    alpha = std::move(image.alpha);
    return true;
}

// The bitmap entry: the packed bitmap with its height halved, then the AND mask (1 = clear).
bool readBitmapEntry(const Entry& entry, Surface24& color, Surface8& alpha, ReadReport& report) {
    std::vector<uint8_t> packed(entry.data, entry.data + entry.size);
    SurfaceHeader h;
    std::memcpy(&h, packed.data(), sizeof h);
    h.height /= 2;
    std::memcpy(packed.data(), &h, sizeof h);
    AnySurface pixels;
    if (!readPackedBitmap(packed.data(), packed.size(), pixels, report))
        return false;
    const int32_t w = pixels.width(), height = pixels.height();
    bool anyAlpha = false;
    if (pixels.depth() == 32) {
        if (!splitColorAlpha(pixels, color, alpha, anyAlpha))
            return report.noMemory();
    } else if (!toColor24(pixels, color)) {
        return report.noMemory();
    }
    if (anyAlpha)
        return true;

    // The mask follows the color rows, bottom-up like them. Icons without one are opaque.
    size_t colorsBytes = 0;
    const size_t headerBytes = h.size;
    size_t tableEntries = h.bitCount <= 8 ? (h.clrUsed ? h.clrUsed : (size_t(1) << (h.bitCount & 15))) : 0;
    if (h.bitCount <= 8 && tableEntries > (size_t(1) << (h.bitCount & 15)))
        tableEntries = size_t(1) << (h.bitCount & 15);
    colorsBytes = 4 * tableEntries + (h.compression == kCompressionBitFields && h.size == 40 ? 12 : 0);
    const size_t maskAt = headerBytes + colorsBytes + size_t(strideFor(h.bitCount, w) * height);
    const size_t maskStride = size_t(strideFor(1, w));
    if (!alpha.create(w, height, 8))
        return report.noMemory();
    if (maskAt + maskStride * size_t(height) > entry.size) {
        alpha.destroy();
        return true;
    }
    bool anyClear = false;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* bits = entry.data + maskAt + maskStride * size_t(height - 1 - y);
        uint8_t* a = alpha.row(y);
        for (int32_t x = 0; x < w; ++x) {
            const bool clear = (bits[x >> 3] >> (7 - (x & 7))) & 1;
            a[x] = clear ? 0 : 255;
            anyClear |= clear;
        }
    }
    if (!anyClear)
        alpha.destroy();
    return true;
}

} // namespace

bool readIcon(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report) {
    return readPicture(stream, color, alpha, report, [&] {
        const int64_t size = stream.remaining();
        if (size < int64_t(kDirectoryHeaderBytes))
            return report.notThisKind(FileKind::Ico);
        if (size > maxSurfaceBytes())
            return report.noMemory();
        std::vector<uint8_t> file(static_cast<size_t>(size));
        if (!stream.readExact(file.data(), file.size()))
            return report.fail(ReadFault::CannotRead, "The file cannot be read.");
        const uint16_t type = u16(file.data() + 2);
        const size_t count = u16(file.data() + 4);
        if (u16(file.data()) != 0 || (type != 1 && type != 2) || count == 0)
            return report.notThisKind(FileKind::Ico);
        if (kDirectoryHeaderBytes + count * kEntryBytes > file.size())
            return report.truncated(size, int64_t(kDirectoryHeaderBytes + count * kEntryBytes));
        Entry best;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* record = file.data() + kDirectoryHeaderBytes + i * kEntryBytes;
            const uint32_t bytes = u32(record + 8), offset = u32(record + 12);
            if (offset >= file.size() || bytes == 0)
                continue;
            Entry entry;
            entry.data = file.data() + offset;
            entry.size = std::min<size_t>(bytes, file.size() - offset);
            if (!describe(entry))
                continue;
            if (!best.data || entry.pixels > best.pixels || (entry.pixels == best.pixels && entry.depth > best.depth))
                best = entry;
        }
        if (!best.data)
            return report.corrupt("none of its " + std::to_string(count) + " entries holds a picture");
        return best.png ? readPngEntry(best, color, alpha, report) : readBitmapEntry(best, color, alpha, report);
    });
}

} // namespace pict
