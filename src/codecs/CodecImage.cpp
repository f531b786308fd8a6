#include "codecs/CodecImage.h"

#include "codecs/BitmapCodec.h"
#include "codecs/ByteStream.h"
#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"

#include <cstring>
#include <new>

namespace pict {

void CodecImage::clearLoaded() {
    color.destroy();
    alpha.destroy();
    bitDepth = width = height = 0;
    path.clear();
}

void BitmapImage::clearLoaded() {
    CodecImage::clearLoaded();
    header.clear();
}

void BitmapImage::setPlainHeader(int32_t w, int32_t h, int depth) {
    SurfaceHeader plain;
    plain.width = w;
    plain.height = h;
    plain.bitCount = uint16_t(depth);
    header.assign(sizeof plain, 0);
    std::memcpy(header.data(), &plain, sizeof plain);
    bitDepth = depth;
    width = w;
    height = h;
}

void JpegImage::clearLoaded() {
    CodecImage::clearLoaded();
    segments.clear();
}

void PngImage::clearLoaded() {
    CodecImage::clearLoaded();
    bitsPerChannel = 8;
    channels = 4;
    colorType = 6;
    interlace = 0;
}

std::unique_ptr<CodecImage> createCodecImage(FileKind kind) {
    try {
        switch (kind) {
        case FileKind::Bmp:
            return std::make_unique<BitmapImage>();
        case FileKind::Jpg:
            return std::make_unique<JpegImage>();
        case FileKind::Png:
            return std::make_unique<PngImage>();
        default:
            return nullptr;
        }
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

const ImageCodec* codecOfKind(FileKind kind) {
    static const BitmapCodec bitmap;
    static const JpegCodec jpeg;
    static const PngCodec png;
    switch (kind) {
    case FileKind::Bmp:
        return &bitmap;
    case FileKind::Jpg:
        return &jpeg;
    case FileKind::Png:
        return &png;
    default:
        return nullptr;
    }
}

const ImageCodec& CodecImage::codec() const { return *codecOfKind(kind()); }

bool ImageCodec::saveToFile(const std::string& path, const CodecImage& image) const {
    return writeReplacingFile(path, [&](ByteStream& stream) { return save(stream, image); });
}

bool ImageCodec::saveToMemory(MemoryStream& stream, const CodecImage& image) const {
    return save(stream, image) && stream.flush();
}

bool ImageCodec::loadFromFile(CodecImage& image, const std::string& path, bool headerOnly) const {
    FileStream stream;
    if (!stream.openForRead(path)) {
        image.clearLoaded();
        return false;
    }
    if (!load(image, stream, headerOnly))
        return false;
    image.path = path;
    return true;
}

bool ImageCodec::loadFromMemory(CodecImage& image, const void* data, size_t size, bool headerOnly) const {
    MemoryStream stream;
    if (!stream.attach(data, int64_t(size))) {
        // Every failed load says why; no bytes is the one way attaching can fail.
        image.clearLoaded();
        image.report = {};
        return image.report.fail(ReadFault::Truncated, "The file is empty.");
    }
    return load(image, stream, headerOnly);
}

} // namespace pict
