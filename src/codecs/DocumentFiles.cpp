#include "codecs/DocumentFiles.h"

#include "codecs/BitmapFormat.h"
#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/FileKind.h"
#include "codecs/JpegCodec.h"
#include "codecs/MetadataBlocks.h"
#include "codecs/openraster/OpenRaster.h"
#include "codecs/PictureReaders.h"
#include "codecs/PixelPacking.h"
#include "codecs/PngCodec.h"
#include "codecs/display/OpenedPicture.h"
#include "codecs/heif/HeifCodec.h"
#include "codecs/tiff/TiffCodec.h"
#include "codecs/webp/WebpCodec.h"
#include "document/Document.h"
#include "surface/BlendModes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string_view>
#include <optional>
#include <sys/stat.h>

namespace pict {

namespace {

constexpr const char* kUnknownKindText =
    "Only BMP, GIF, icon, JPEG, PNG, TIFF, WebP, HEIC, AVIF and OpenRaster files open, known by their extension (bmp, "
    "dib, rle, gif, ico, jpg, jpeg, jpe, jfif, png, tif, tiff, webp, heic, heif, avif, ora).";

// A path that can be read as a file, or the report says why not.
bool checkReadableFile(const std::string& path, ReadReport& report) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return report.fail(ReadFault::CannotRead, errno == ENOENT ? std::string("The file does not exist.")
                                                                   : "The file cannot be read: " +
                                                                         std::string(std::strerror(errno)) + ".");
    if (S_ISDIR(info.st_mode))
        return report.fail(ReadFault::CannotRead, "It is a folder, not a file.");
    if (!S_ISREG(info.st_mode))
        return report.fail(ReadFault::CannotRead, "It is not a regular file.");
    if (info.st_size == 0)
        return report.fail(ReadFault::Truncated, "The file is empty.");
    return true;
}

bool readWithCodec(FileKind kind, FileStream& stream, OpenedImage& out) {
    std::unique_ptr<CodecImage> image = createCodecImage(kind);
    if (!image)
        return out.report.noMemory();
    const bool read = image->codec().load(*image, stream, false);
    out.report = std::move(image->report);
    if (!read)
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
        return readGif(stream, out.color, out.alpha, out.report);
    case FileKind::Ico:
        return readIcon(stream, out.color, out.alpha, out.report);
    case FileKind::Tif:
        return readTiff(stream, out.color, out.alpha, out.report, &out.metadata);
    case FileKind::Webp:
        return readWebp(stream, out.color, out.alpha, out.report, &out.metadata);
    case FileKind::Heic:
    case FileKind::Avif:
        return readHeif(stream, out.color, out.alpha, out.report, &out.metadata);
    case FileKind::Unknown:
    case FileKind::Ved:
    case FileKind::Ora: // a document of layers, not one picture: openDocument reads it
        break;
    }
    return out.report.fail(ReadFault::Unsupported, kUnknownKindText);
}

bool checkLimits(OpenedImage& image) {
    const Surface24& c = image.color;
    if (!c.isValid() || c.width() < 1 || c.height() < 1)
        return image.report.corrupt("the reader gave no picture");
    if (c.width() > kMaxImageDimension || c.height() > kMaxImageDimension)
        return image.report.tooLarge(c.width(), c.height());
    return image.alpha.isEmpty() || (image.alpha.isValid() && image.alpha.size() == c.size()) ||
           image.report.corrupt("its transparency does not match its size");
}

// Signatures of files a misnamed picture may really be, to say what it holds.
struct Signature {
    std::string_view bytes;
    const char* holds;
};
constexpr Signature kSignatures[] = {
    {"\x89PNG\r\n\x1A\n", "a PNG picture"},
    {"\xFF\xD8\xFF", "a JPEG picture"},
    {"GIF8", "a GIF picture"},
    {"BM", "a BMP picture"},
    {std::string_view("\0\0\1\0", 4), "an icon"},
    {std::string_view("II*\0", 4), "a TIFF picture"},
    {std::string_view("MM\0*", 4), "a TIFF picture"},
    {"RIFF", "a RIFF file (perhaps WebP)"},
    {"PK\x03\x04", "a ZIP archive"},
    {"%PDF", "a PDF document"},
};

// What the start of a file that is not of its named kind looks like, for the report:
// "; it holds a JPEG picture" or "; it holds text", or nothing when that is not clear.
std::string whatItHolds(const std::string& path) {
    FileStream stream;
    uint8_t head[512];
    if (!stream.openForRead(path))
        return {};
    const int64_t got = stream.read(head, 1, sizeof head);
    if (got <= 0)
        return {};
    const std::string_view start(reinterpret_cast<const char*>(head), size_t(got));
    for (const Signature& signature : kSignatures)
        if (start.substr(0, signature.bytes.size()) == signature.bytes)
            return std::string("; it holds ") + signature.holds;
    const bool text = std::all_of(start.begin(), start.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 || byte == '\n' || byte == '\r' || byte == '\t';
    });
    return text ? "; it holds text" : std::string();
}

// An alpha that is neither wholly transparent nor wholly opaque is worth a 32-bit bitmap; a
// wholly transparent one would be read back as opaque anyway.
bool isMixedAlpha(const Surface8& alpha) { return !alpha.isAll(0) && !alpha.isAll(255); }

// Writes the composite by the rule of each kind, straight from the cache's surfaces: only a
// JPEG of a see-through composite needs a copy of the picture.
bool writeComposite(FileKind kind, ByteStream& out, const CompositeCache& composite, const SaveOptions& options) {
    const Surface24& color = composite.color();
    const Surface8& alpha = composite.alpha();
    // A composite known to be opaque needs no look at its alpha.
    const bool opaque = composite.isOpaque() || alpha.isAll(255);
    switch (kind) {
    case FileKind::Bmp: {
        if (opaque || !isMixedAlpha(alpha))
            return writeBitmapFile(out, color);
        Surface32 combined;
        return combineColorAlpha(color, alpha, combined) && writeBitmapFile(out, combined);
    }
    case FileKind::Jpg: {
        if (opaque)
            return writeJpeg(out, color, options.jpeg);
        // JPEG has no transparency: what the composite leaves see-through is shown over white.
        Surface24 flat;
        if (!flat.create(color.width(), color.height(), 24))
            return false;
        for (int32_t y = 0; y < color.height(); ++y)
            std::memcpy(flat.row(y), color.row(y), size_t(color.width()) * 3);
        return flattenOverWhite(flat, alpha) && writeJpeg(out, flat, options.jpeg);
    }
    case FileKind::Png: {
        PngSaveSettings png;
        png.compressionLevel = pngLevelOf(options.pngCompression);
        return writePng(out, color, opaque ? nullptr : &alpha, png);
    }
    case FileKind::Tif:
        return writeTiff(out, color, opaque ? nullptr : &alpha, options.tiff);
    case FileKind::Webp:
        return writeWebp(out, color, opaque ? nullptr : &alpha, options.webp);
    case FileKind::Avif:
        return writeAvif(out, color, opaque ? nullptr : &alpha);
    case FileKind::Unknown:
    case FileKind::Ved:
    case FileKind::Gif:
    case FileKind::Ico:
    case FileKind::Heic:
    case FileKind::Ora: // layers, not a composite: saveDocument writes it
        return false;
    }
    return false;
}

void takePathAsFile(Document& document, const std::string& path) {
    const size_t slash = path.rfind('/');
    document.setName(slash == std::string::npos ? path : path.substr(slash + 1));
    document.setFolder(slash == std::string::npos ? std::string() : path.substr(0, slash));
}

// What a JPEG or PNG holds besides its picture; nothing when it cannot be read.
ImageMetadata metadataOfFile(const std::string& path, FileKind kind) {
    if (kind != FileKind::Jpg && kind != FileKind::Png)
        return {};
    FileStream stream;
    std::vector<uint8_t> bytes;
    if (!stream.openForRead(path) || stream.size() <= 0)
        return {};
    bytes.resize(size_t(stream.size()));
    if (!stream.readExact(bytes.data(), bytes.size()))
        return {};
    return readMetadata(kind, bytes.data(), bytes.size());
}

} // namespace

bool openImage(const std::string& path, OpenedImage& image) {
    image.color.destroy();
    image.alpha.destroy();
    image.report = {};
    image.metadata = {};
    const FileKind kind = kindOfPath(path);
    if (!canOpenKind(kind)) {
        image.report.fail(ReadFault::Unsupported, kUnknownKindText);
        return false;
    }
    try {
        FileStream stream;
        if (checkReadableFile(path, image.report)) {
            if (!stream.openForRead(path))
                image.report.fail(ReadFault::CannotRead,
                                  "The file cannot be read: " + std::string(std::strerror(errno)) + ".");
            else if (readKind(kind, stream, image) && checkLimits(image)) {
                if (kind == FileKind::Jpg || kind == FileKind::Png)
                    image.metadata = metadataOfFile(path, kind);
                if (showAsMeant(kind, image.color, image.alpha, image.metadata, image.report))
                    return true;
            }
        }
        if (!image.report.failed())
            image.report.corrupt("the data cannot be decoded");
        if (image.report.fault == ReadFault::NotThisKind) {
            std::string& reason = image.report.reason;
            reason.insert(reason.size() - 1, whatItHolds(path)); // before the closing full stop
        }
    } catch (const std::bad_alloc&) {
        image.report.noMemory();
    }
    image.color.destroy();
    image.alpha.destroy();
    image.metadata = {};
    return false;
}

// A layered file becomes the document it describes; the reader says why when it cannot.
std::unique_ptr<Document> openLayeredDocument(const std::string& path, ReadReport* report, ImageMetadata* metadata) {
    ReadReport read;
    OpenRasterResult result;
    std::string error;
    if (checkReadableFile(path, read)) {
        if (readOpenRaster(path, result, error)) {
            read.note = std::move(result.note);
            if (metadata)
                *metadata = std::move(result.metadata);
        }
        else
            read.fail(ReadFault::Corrupt, "It cannot be opened: " + error + ".");
    }
    if (report)
        *report = std::move(read);
    return std::move(result.document);
}

std::unique_ptr<Document> openDocument(const std::string& path, ReadReport* report, ImageMetadata* metadata) {
    if (metadata)
        *metadata = {};
    if (kindOfPath(path) == FileKind::Ora)
        return openLayeredDocument(path, report, metadata);
    OpenedImage image;
    try {
        if (openImage(path, image)) {
            auto document = std::make_unique<Document>();
            std::optional<Surface8> alpha;
            if (!image.alpha.isEmpty())
                alpha = std::move(image.alpha);
            if (document->newFromSurface(path, std::move(image.color), std::move(alpha))) {
                document->setUntitled(false);
                document->setModified(false);
                if (report)
                    *report = std::move(image.report);
                if (metadata)
                    *metadata = std::move(image.metadata);
                return document;
            }
            image.report.noMemory();
        }
    } catch (const std::bad_alloc&) {
        image.report.noMemory();
    }
    if (report)
        *report = std::move(image.report);
    return nullptr;
}

bool encodeComposite(FileKind kind, const CompositeCache& composite, const SaveOptions& options,
                     const ImageMetadata& kept, std::vector<uint8_t>& bytes) {
    bytes.clear();
    try {
        MemoryStream encoded;
        if (!encoded.openOwned(size_t(composite.size().width) * size_t(composite.size().height)) ||
            !writeComposite(kind, encoded, composite, options))
            return false;
        bytes = kind == FileKind::Jpg   ? withJpegMetadata(encoded.ownedBytes(), kept)
                : kind == FileKind::Png ? withPngMetadata(encoded.ownedBytes(), kept)
                                        : encoded.ownedBytes();
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

namespace {

// The composite written with the kept metadata put in; only then is it encoded into memory
// first.
bool writeCompositeWithMetadata(FileKind kind, ByteStream& out, const CompositeCache& composite,
                                const SaveOptions& options, const ImageMetadata& kept) {
    if (kept.isEmpty() || (kind != FileKind::Jpg && kind != FileKind::Png))
        return writeComposite(kind, out, composite, options);
    std::vector<uint8_t> bytes;
    return encodeComposite(kind, composite, options, kept, bytes) && out.writeExact(bytes.data(), bytes.size());
}

} // namespace

bool writeDocumentFile(Document& document, const std::string& path, const SaveOptions& options,
                       const ImageMetadata* carried) {
    const FileKind kind = kindOfPath(path);
    if (!canSaveKind(kind) || !document.isUsable())
        return false;
    try {
        const ImageMetadata kept =
            carried ? metadataForSave(*carried, options, document.canvasSize()) : ImageMetadata{};
        if (kind == FileKind::Ora) {
            std::string error;
            return saveOpenRaster(document, path, kept.isEmpty() ? nullptr : &kept, error);
        }
        const CompositeCache* composite = document.composite();
        if (!composite || composite->size() != document.canvasSize())
            return false;
        return writeReplacingFile(
            path, [&](ByteStream& out) { return writeCompositeWithMetadata(kind, out, *composite, options, kept); });
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void takeSavedFile(Document& document, const std::string& path) {
    takePathAsFile(document, path);
    document.setUntitled(false);
    document.setModified(false);
}

bool saveDocument(Document& document, const std::string& path, const SaveOptions& options,
                  const ImageMetadata* carried) {
    if (!writeDocumentFile(document, path, options, carried))
        return false;
    takeSavedFile(document, path);
    return true;
}

bool needsLayeredFile(const Document& document) {
    if (const AlphaChannelList* channels = document.channelsIfAny(); channels && channels->count() > 0)
        return true;
    const LayerStack* stack = document.layersIfAny();
    if (!stack)
        return false;
    int32_t live = 0;
    for (int32_t i = 0; i < stack->count(); ++i) {
        const Layer* layer = stack->layerAt(i);
        if (!layer || !layer->isLive())
            continue;
        if (++live > 1 || !layer->isVisible() || layer->blendMode() != kBlendNormal)
            return true;
    }
    return false;
}

} // namespace pict
