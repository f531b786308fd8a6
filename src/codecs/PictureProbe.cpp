#include "codecs/PictureProbe.h"

#include "codecs/CodecImage.h"
#include "codecs/ByteStream.h"
#include "codecs/FileKind.h"
#include "codecs/heif/HeifCodec.h"
#include "codecs/tiff/TiffCodec.h"
#include "codecs/webp/WebpCodec.h"
#include "codecs/openraster/OpenRasterStack.h"
#include "codecs/openraster/ZipArchive.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <new>
#include <vector>

namespace pict {
namespace {

std::vector<uint8_t> firstBytes(const std::string& path, size_t count) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes(count);
    if (!in)
        return {};
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

int32_t littleEndian16(const uint8_t* p) { return p[0] | (p[1] << 8); }

constexpr size_t kGifHeaderBytes = 10;
// Enough for the colour table and the usual extensions before the first frame, which a file
// whose screen has a zero side is sized by.
constexpr size_t kGifProbeBytes = 64 * 1024;
constexpr size_t kMaxIconEntries = 256;
constexpr size_t kIconDirectoryBytes = 6 + 16 * kMaxIconEntries;

// The first image descriptor's extent (left + width, top + height), found past the global
// colour table and any extension blocks within the bytes given; none when they end first.
std::optional<PictureClaim> firstFrameExtent(const uint8_t* bytes, size_t size) {
    constexpr size_t kScreenEnd = 13;
    constexpr uint8_t kExtension = 0x21, kDescriptor = 0x2C;
    if (size < kScreenEnd)
        return std::nullopt;
    size_t at = kScreenEnd;
    if (bytes[10] & 0x80)
        at += 3 * (size_t(2) << (bytes[10] & 7));
    while (at < size && bytes[at] == kExtension) {
        at += 2; // introducer and label, then sub-blocks up to an empty one
        while (at < size && bytes[at] != 0)
            at += size_t(bytes[at]) + 1;
        ++at;
    }
    if (at + 9 > size || bytes[at] != kDescriptor)
        return std::nullopt;
    const uint8_t* frame = bytes + at + 1;
    return PictureClaim{littleEndian16(frame) + littleEndian16(frame + 4), littleEndian16(frame + 2) + littleEndian16(frame + 6),
                        1};
}

// "GIF87a" or "GIF89a", then the logical screen the first frame is placed on. A screen side of
// 0 is taken from the first frame's extent, as the reader does.
std::optional<PictureClaim> probeGif(const uint8_t* bytes, size_t size) {
    if (size < kGifHeaderBytes || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F')
        return std::nullopt;
    PictureClaim claim{littleEndian16(&bytes[6]), littleEndian16(&bytes[8]), 1};
    if (claim.width > 0 && claim.height > 0)
        return claim;
    if (const std::optional<PictureClaim> frame = firstFrameExtent(bytes, size)) {
        claim.width = claim.width > 0 ? claim.width : frame->width;
        claim.height = claim.height > 0 ? claim.height : frame->height;
    }
    return claim;
}

// The directory's entries: a width or height byte of 0 means 256.
std::optional<PictureClaim> probeIcon(const uint8_t* bytes, size_t size) {
    if (size < 6 || littleEndian16(&bytes[0]) != 0 || littleEndian16(&bytes[2]) != 1)
        return std::nullopt;
    const size_t count = std::min<size_t>(static_cast<size_t>(littleEndian16(&bytes[4])), (size - 6) / 16);
    PictureClaim claim{0, 0, 1};
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* entry = &bytes[6 + 16 * i];
        claim.width = std::max(claim.width, entry[0] ? int32_t(entry[0]) : 256);
        claim.height = std::max(claim.height, entry[1] ? int32_t(entry[1]) : 256);
    }
    if (claim.width == 0)
        return std::nullopt;
    return claim;
}

int32_t countLayers(const std::vector<OraStackEntry>& entries) {
    int32_t count = 0;
    for (const OraStackEntry& entry : entries)
        count += entry.isGroup ? countLayers(entry.children) : 1;
    return count;
}

// The canvas and the layers stack.xml lists; no layer is decoded.
std::optional<PictureClaim> probeLayered(const std::string& path) {
    ZipReader zip;
    std::string error;
    std::vector<uint8_t> bytes;
    if (!zip.openFile(path, error))
        return std::nullopt;
    zip.setLimits({.maxEntryBytes = int64_t(16) << 20, .maxTotalBytes = int64_t(16) << 20});
    OraStack stack;
    if (!zip.read("stack.xml", bytes, error) ||
        !parseStackXml(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), stack, error))
        return std::nullopt;
    return PictureClaim{stack.width, stack.height, std::max(1, countLayers(stack.entries))};
}

std::optional<PictureClaim> probeTiff(ByteStream& stream) {
    PictureClaim claim;
    if (!readTiffSize(stream, claim.width, claim.height))
        return std::nullopt;
    return claim;
}

// The first chunks hold the canvas: RIFF header, VP8X (or VP8/VP8L) header.
constexpr size_t kWebpHeaderBytes = 64;
constexpr size_t kMaxHeifProbeBytes = size_t(64) << 20;

std::optional<PictureClaim> probeWebp(const uint8_t* data, size_t size) {
    PictureClaim claim;
    if (!readWebpSize(data, size, claim.width, claim.height))
        return std::nullopt;
    return claim;
}

std::optional<PictureClaim> probeHeif(const uint8_t* data, size_t size) {
    PictureClaim claim;
    if (!readHeifSize(data, size, claim.width, claim.height))
        return std::nullopt;
    return claim;
}

// The codecs read their headers without pixels, from a file or from memory.
std::optional<PictureClaim> claimOf(const CodecImage& image) { return PictureClaim{image.width, image.height, 1}; }

} // namespace

std::optional<PictureClaim> probePicture(const std::string& path) {
    try {
        const FileKind kind = kindOfPath(path);
        switch (kind) {
        case FileKind::Gif: {
            const std::vector<uint8_t> bytes = firstBytes(path, kGifProbeBytes);
            return probeGif(bytes.data(), bytes.size());
        }
        case FileKind::Ico: {
            const std::vector<uint8_t> bytes = firstBytes(path, kIconDirectoryBytes);
            return probeIcon(bytes.data(), bytes.size());
        }
        case FileKind::Ora: return probeLayered(path);
        case FileKind::Tif: {
            FileStream stream;
            return stream.openForRead(path) ? probeTiff(stream) : std::nullopt;
        }
        case FileKind::Webp: {
            const std::vector<uint8_t> bytes = firstBytes(path, kWebpHeaderBytes);
            return probeWebp(bytes.data(), bytes.size());
        }
        case FileKind::Heic:
        case FileKind::Avif: {
            // The boxes that give the size may lie anywhere in the file.
            const std::vector<uint8_t> bytes = firstBytes(path, kMaxHeifProbeBytes);
            return probeHeif(bytes.data(), bytes.size());
        }
        case FileKind::Bmp:
        case FileKind::Jpg:
        case FileKind::Png: {
            std::unique_ptr<CodecImage> image = createCodecImage(kind);
            if (!image || !image->codec().loadFromFile(*image, path, true))
                return std::nullopt;
            return claimOf(*image);
        }
        default: return std::nullopt;
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<PictureClaim> probePictureBytes(FileKind kind, const uint8_t* data, size_t size) {
    try {
        switch (kind) {
        case FileKind::Gif: return probeGif(data, size);
        case FileKind::Ico: return probeIcon(data, size);
        case FileKind::Tif: {
            MemoryStream stream(data, int64_t(size));
            return probeTiff(stream);
        }
        case FileKind::Webp: return probeWebp(data, size);
        case FileKind::Heic:
        case FileKind::Avif: return probeHeif(data, size);
        case FileKind::Bmp:
        case FileKind::Jpg:
        case FileKind::Png: {
            std::unique_ptr<CodecImage> image = createCodecImage(kind);
            if (!image || !image->codec().loadFromMemory(*image, data, size, true))
                return std::nullopt;
            return claimOf(*image);
        }
        default: return std::nullopt;
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

int64_t pictureMemoryBytes(int64_t width, int64_t height, int64_t layers) {
    if (width <= 0 || height <= 0 || layers <= 0)
        return 0;
    return width * height * 4 * (layers + 1);
}

std::string memoryText(int64_t bytes) {
    char text[32];
    if (bytes >= (int64_t(1) << 30))
        std::snprintf(text, sizeof text, "%.1f GiB", static_cast<double>(bytes) / double(int64_t(1) << 30));
    else
        std::snprintf(text, sizeof text, "%lld MiB", static_cast<long long>((bytes + (1 << 19)) >> 20));
    std::string out = text;
    // The process locale may print a comma.
    std::replace(out.begin(), out.end(), ',', '.');
    return out;
}

} // namespace pict
