#include "codecs/PictureProbe.h"

#include "codecs/CodecImage.h"
#include "codecs/ByteStream.h"
#include "codecs/FileKind.h"
#include "codecs/tiff/TiffCodec.h"
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
constexpr size_t kMaxIconEntries = 256;
constexpr size_t kIconDirectoryBytes = 6 + 16 * kMaxIconEntries;

// "GIF87a" or "GIF89a", then the logical screen the first frame is placed on.
std::optional<PictureClaim> probeGif(const uint8_t* bytes, size_t size) {
    if (size < kGifHeaderBytes || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F')
        return std::nullopt;
    return PictureClaim{littleEndian16(&bytes[6]), littleEndian16(&bytes[8]), 1};
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

// The codecs read their headers without pixels, from a file or from memory.
std::optional<PictureClaim> claimOf(const CodecImage& image) { return PictureClaim{image.width, image.height, 1}; }

} // namespace

std::optional<PictureClaim> probePicture(const std::string& path) {
    try {
        const FileKind kind = kindOfPath(path);
        switch (kind) {
        case FileKind::Gif: {
            const std::vector<uint8_t> bytes = firstBytes(path, kGifHeaderBytes);
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
