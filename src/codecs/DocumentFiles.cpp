#include "codecs/DocumentFiles.h"

#include "codecs/BitmapFormat.h"
#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/FileKind.h"
#include "codecs/JpegCodec.h"
#include "codecs/OpenRaster.h"
#include "codecs/PictureReaders.h"
#include "codecs/PixelPacking.h"
#include "codecs/PngCodec.h"
#include "document/Document.h"

#include <cstring>
#include <new>
#include <optional>
#include <sys/stat.h>

namespace pict {

namespace {

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool readWithCodec(FileKind kind, FileStream& stream, OpenedImage& out) {
    std::unique_ptr<CodecImage> image = createCodecImage(kind);
    if (!image || !image->codec().load(*image, stream, false))
        return false;
    out.color = std::move(image->color);
    out.alpha = std::move(image->alpha);
    return true;
}

bool readKind(FileKind kind, FileStream& stream, OpenedImage& out) {
    switch (kind) {
    case FileKind::Bmp:
    case FileKind::Jpg:
    case FileKind::Png:
        return readWithCodec(kind, stream, out);
    case FileKind::Gif:
        return readGif(stream, out.color, out.alpha);
    case FileKind::Ico:
        return readIcon(stream, out.color, out.alpha);
    case FileKind::Unknown:
    case FileKind::Ved:
    case FileKind::Tif:
    case FileKind::Ora:
        return false;
    }
    return false;
}

bool withinLimits(const OpenedImage& image) {
    const Surface24& c = image.color;
    if (!c.isValid() || c.width() < 1 || c.height() < 1 || c.width() > kMaxImageDimension ||
        c.height() > kMaxImageDimension)
        return false;
    return image.alpha.isEmpty() || (image.alpha.isValid() && image.alpha.size() == c.size());
}

// An alpha that is neither wholly transparent nor wholly opaque is worth a 32-bit bitmap; a
// wholly transparent one would be read back as opaque anyway.
bool isMixedAlpha(const Surface8& alpha) { return !alpha.isAll(0) && !alpha.isAll(255); }

// Writes the composite by the rule of each kind, straight from the cache's surfaces: only a
// JPEG of a see-through composite needs a copy of the picture.
bool writeComposite(FileKind kind, ByteStream& out, const CompositeCache& composite) {
    const Surface24& color = composite.color();
    const Surface8& alpha = composite.alpha();
    switch (kind) {
    case FileKind::Bmp: {
        if (!isMixedAlpha(alpha))
            return writeBitmapFile(out, color);
        Surface32 combined;
        return combineColorAlpha(color, alpha, combined) && writeBitmapFile(out, combined);
    }
    case FileKind::Jpg: {
        if (alpha.isAll(255))
            return writeJpeg(out, color, JpegSaveSettings{});
        // JPEG has no transparency: what the composite leaves see-through is shown over white.
        Surface24 flat;
        if (!flat.create(color.width(), color.height(), 24))
            return false;
        for (int32_t y = 0; y < color.height(); ++y)
            std::memcpy(flat.row(y), color.row(y), size_t(color.width()) * 3);
        return flattenOverWhite(flat, alpha) && writeJpeg(out, flat, JpegSaveSettings{});
    }
    case FileKind::Png:
        return writePng(out, color, alpha.isAll(255) ? nullptr : &alpha, PngSaveSettings{});
    case FileKind::Unknown:
    case FileKind::Ved:
    case FileKind::Gif:
    case FileKind::Ico:
    case FileKind::Tif:
    case FileKind::Ora:
        return false;
    }
    return false;
}

void takePathAsFile(Document& document, const std::string& path) {
    const size_t slash = path.rfind('/');
    document.setName(slash == std::string::npos ? path : path.substr(slash + 1));
    document.setFolder(slash == std::string::npos ? std::string() : path.substr(0, slash));
}

} // namespace

bool openImage(const std::string& path, OpenedImage& image) {
    image.color.destroy();
    image.alpha.destroy();
    const FileKind kind = kindOfPath(path);
    if (!canOpenKind(kind) || !isRegularFile(path))
        return false;
    try {
        FileStream stream;
        if (stream.openForRead(path) && readKind(kind, stream, image) && withinLimits(image))
            return true;
    } catch (const std::bad_alloc&) {
    }
    image.color.destroy();
    image.alpha.destroy();
    return false;
}

std::unique_ptr<Document> openDocument(const std::string& path) {
    if (kindOfPath(path) == FileKind::Ora) {
        OpenRasterResult layered;
        std::string error;
        return isRegularFile(path) && readOpenRaster(path, layered, error) ? std::move(layered.document) : nullptr;
    }
    try {
        OpenedImage image;
        if (!openImage(path, image))
            return nullptr;
        auto document = std::make_unique<Document>();
        std::optional<Surface8> alpha;
        if (!image.alpha.isEmpty())
            alpha = std::move(image.alpha);
        if (!document->newFromSurface(path, std::move(image.color), std::move(alpha)))
            return nullptr;
        document->setUntitled(false);
        document->setModified(false);
        return document;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool saveDocument(Document& document, const std::string& path) {
    const FileKind kind = kindOfPath(path);
    if (!canSaveKind(kind) || !document.isUsable())
        return false;
    try {
        if (kind == FileKind::Ora) {
            std::string error;
            if (!saveOpenRaster(document, path, nullptr, error))
                return false;
            takePathAsFile(document, path);
            document.setUntitled(false);
            document.setModified(false);
            return true;
        }
        const CompositeCache* composite = document.composite();
        if (!composite || composite->size() != document.canvasSize())
            return false;
        if (!writeReplacingFile(path, [&](ByteStream& out) { return writeComposite(kind, out, *composite); }))
            return false;
        takePathAsFile(document, path);
        document.setUntitled(false);
        document.setModified(false);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace pict
