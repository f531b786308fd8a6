#include "codecs/BitmapCodec.h"

#include "codecs/BitmapFormat.h"
#include "codecs/ByteStream.h"
#include "codecs/PixelPacking.h"

#include <cstring>
#include <new>

namespace pict {

namespace {

bool loadPixels(BitmapImage& image, ByteStream& stream) {
    AnySurface file;
    if (!readBitmapFile(stream, file, image.report))
        return false;
    std::vector<uint8_t> header = headerBlockOf(file);
    Surface24 color;
    Surface8 alpha;
    if (file.depth() == 24) {
        if (!color.attach(file.detach()))
            return image.report.noMemory();
    } else if (file.depth() == 32) {
        bool anyAlpha = false;
        if (!splitColorAlpha(file, color, alpha, anyAlpha))
            return image.report.noMemory();
        if (!anyAlpha)
            alpha.destroy();
    } else if (!toColor24(file, color)) {
        return image.report.noMemory();
    }
    image.header = std::move(header);
    image.color = std::move(color);
    image.alpha = std::move(alpha);
    return true;
}

} // namespace

bool BitmapCodec::load(CodecImage& target, ByteStream& stream, bool headerOnly) const {
    return guardedLoad<BitmapImage>(target, FileKind::Bmp, [&](BitmapImage& image) {
        const int64_t start = stream.position();
        SurfaceHeader header;
        if (!readBitmapHeaders(stream, header, image.report))
            return false;
        image.bitDepth = header.bitCount;
        image.width = header.width;
        image.height = header.height < 0 ? -header.height : header.height;
        if (headerOnly) {
            image.header.assign(sizeof header, 0);
            std::memcpy(image.header.data(), &header, sizeof header);
            return true;
        }
        if (!stream.seekTo(start))
            return image.report.fail(ReadFault::CannotRead, "The file cannot be read again from its start.");
        return !image.report.failed() && loadPixels(image, stream);
    });
}

bool BitmapCodec::save(ByteStream& stream, const CodecImage& image) const {
    if (!stream.isOpen() || image.color.isEmpty())
        return false;
    try {
        const int depth = image.bitDepth;
        if (depth == 24 && !image.hasAlpha())
            return writeBitmapFile(stream, image.color);
        if (depth == 32) {
            Surface32 combined;
            return combineColorAlpha(image.color, image.alpha, combined) && writeBitmapFile(stream, combined);
        }
        if (!isCreatableDepth(depth))
            return false;
        Surface24 flat = image.color.clone();
        if (flat.isEmpty() || (image.hasAlpha() && !flattenOverWhite(flat, image.alpha)))
            return false;
        if (depth == 24)
            return writeBitmapFile(stream, flat);
        AnySurface reduced;
        return flat.convert(reduced, depth) && writeBitmapFile(stream, reduced);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace pict
