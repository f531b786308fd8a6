// Reading a layered archive: the XML first, then every layer PNG out of the zip (sizes checked
// against the limits before anything is decoded), decoded in parallel, then the document is
// built bottom up. Groups become one layer each, holding the group's composite.
#include "codecs/openraster/OpenRaster.h"

#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/openraster/OpenRasterBlendModes.h"
#include "codecs/openraster/OpenRasterStack.h"
#include "document/Document.h"

#include <tbb/parallel_for.h>

#include <algorithm>
#include <new>

namespace pict {

namespace {

constexpr int64_t kMaxXmlBytes = int64_t(16) << 20;
constexpr std::string_view kMimeType = "image/openraster";

// A layer PNG out of the archive and, once decoded, its pixels.
struct Picture {
    const OraStackEntry* entry = nullptr; // null for a channel
    std::string src;
    std::vector<uint8_t> bytes;
    Surface24 color;
    Surface8 alpha;
    bool decoded = false;
};

struct ReadContext {
    ZipReader& zip;
    const OpenRasterLimits& limits;
    Size canvas;
    bool ours = false; // written by this program: every attribute of ours is trusted
    std::vector<Picture> pictures;
    int64_t pixelBytes = 0;
    std::vector<std::string> groups;
    std::vector<std::string> unknownModes;
};

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

bool decodeHeader(const std::vector<uint8_t>& bytes, int32_t& width, int32_t& height) {
    PngImage image;
    MemoryStream stream;
    if (bytes.empty() || !stream.attach(bytes.data(), int64_t(bytes.size())) ||
        !codecOfKind(FileKind::Png)->load(image, stream, true))
        return false;
    width = image.width;
    height = image.height;
    return true;
}

void decodePicture(Picture& picture) {
    try {
        PngImage image;
        MemoryStream stream;
        if (!stream.attach(picture.bytes.data(), int64_t(picture.bytes.size())) ||
            !codecOfKind(FileKind::Png)->load(image, stream, false))
            return;
        picture.color = std::move(image.color);
        picture.alpha = std::move(image.alpha);
        std::vector<uint8_t>().swap(picture.bytes);
        picture.decoded = true;
    } catch (const std::bad_alloc&) {
    }
}

// Takes a PNG out of the archive and checks its size against the limits; no pixels yet.
bool fetch(ReadContext& context, const OraStackEntry* entry, const std::string& src, const std::string& what,
           std::string& error) {
    Picture picture;
    picture.entry = entry;
    picture.src = src;
    std::string reason;
    if (!context.zip.read(src, picture.bytes, reason)) {
        error = what + " cannot be read: " + reason;
        return false;
    }
    int32_t width = 0, height = 0;
    if (!decodeHeader(picture.bytes, width, height)) {
        error = what + " (" + src + ") is not a readable PNG";
        return false;
    }
    context.pixelBytes += int64_t(width) * height * 4;
    if (context.pixelBytes > context.limits.maxPixelBytes) {
        error = "its layers need more than " + std::to_string(context.limits.maxPixelBytes >> 20) +
                " MiB of memory";
        return false;
    }
    context.pictures.push_back(std::move(picture));
    return true;
}

bool fetchEntries(ReadContext& context, const std::vector<OraStackEntry>& entries, int32_t& layerCount,
                  std::string& error) {
    for (const OraStackEntry& entry : entries) {
        if (++layerCount > context.limits.maxLayers) {
            error = "it has more than " + std::to_string(context.limits.maxLayers) + " layers";
            return false;
        }
        if (entry.isGroup) {
            if (!fetchEntries(context, entry.children, layerCount, error))
                return false;
        } else if (!(context.ours && entry.empty) &&
                   !fetch(context, &entry, entry.src, "the layer " + quoted(entry.name), error)) {
            return false;
        }
    }
    return true;
}

Picture* pictureOf(ReadContext& context, const OraStackEntry& entry) {
    for (Picture& picture : context.pictures)
        if (picture.entry == &entry)
            return &picture;
    return nullptr;
}

void applyAttributes(ReadContext& context, const OraStackEntry& entry, Point offset, Layer& layer) {
    layer.setName(entry.name);
    layer.setPosition({offset.x + entry.x, offset.y + entry.y});
    layer.setOpacity(opacityByte(entry.opacity));
    layer.setVisible(entry.visible);
    std::optional<int32_t> mode = entry.compositeOp.empty() ? 0 : blendModeOfCompositeOp(entry.compositeOp);
    if (!mode) {
        context.unknownModes.push_back(entry.compositeOp + " (layer " + quoted(entry.name) + ")");
        mode = 0;
    }
    layer.setBlendMode(*mode);
}

bool buildLayers(ReadContext& context, const std::vector<OraStackEntry>& entries, Point offset, LayerStack& stack,
                 std::string& error);

// A group becomes one canvas-sized layer holding what its members composite to.
std::unique_ptr<Layer> groupLayer(ReadContext& context, const OraStackEntry& group, Point offset, LayerStack& owner,
                                  std::string& error) {
    context.groups.push_back(quoted(group.name));
    Document inner;
    DocumentInfo info;
    info.width = context.canvas.width;
    info.height = context.canvas.height;
    info.transparent = true;
    info.name = group.name;
    if (!inner.newFromInfo(info)) {
        error = "there is not enough memory for the group " + quoted(group.name);
        return nullptr;
    }
    inner.layers().removeAll(false);
    const Point innerOffset{offset.x + group.x, offset.y + group.y};
    if (!buildLayers(context, group.children, innerOffset, inner.layers(), error))
        return nullptr;
    inner.invalidate(inner.canvasRect());
    const CompositeCache* composite = inner.composite();
    if (!composite) {
        error = "there is not enough memory for the group " + quoted(group.name);
        return nullptr;
    }
    std::unique_ptr<RasterLayer> layer =
        RasterLayer::createFromPixels(&owner, composite->color(), composite->alpha(), {}, group.name, false);
    if (!layer) {
        error = "there is not enough memory for the group " + quoted(group.name);
        return nullptr;
    }
    OraStackEntry placed = group;
    placed.x = -offset.x; // the composite already lies where the group's members do
    placed.y = -offset.y;
    applyAttributes(context, placed, offset, *layer);
    return layer;
}

std::unique_ptr<Layer> pixelLayer(ReadContext& context, const OraStackEntry& entry, Point offset, LayerStack& owner,
                                  std::string& error) {
    if (context.ours && entry.empty) {
        auto layer = std::make_unique<EmptyLayer>(&owner);
        applyAttributes(context, entry, offset, *layer);
        return layer;
    }
    Picture* picture = pictureOf(context, entry);
    if (!picture || !picture->decoded) {
        error = "the layer " + quoted(entry.name) + " (" + entry.src + ") cannot be decoded";
        return nullptr;
    }
    const bool background = context.ours && entry.background;
    std::unique_ptr<RasterLayer> layer = RasterLayer::createFromSurface(&owner, std::move(picture->color), background);
    // Another program's opaque layer gains nothing from an all-opaque mask; ours kept one on
    // purpose, so it comes back.
    if (layer && !picture->alpha.isEmpty() && (context.ours || !picture->alpha.isAll(255)) &&
        !layer->setTransparencyMask(std::move(picture->alpha)))
        layer.reset();
    if (!layer) {
        error = "there is not enough memory for the layer " + quoted(entry.name);
        return nullptr;
    }
    applyAttributes(context, entry, offset, *layer);
    return layer;
}

// Entries come topmost first; the stack is built from the bottom.
bool buildLayers(ReadContext& context, const std::vector<OraStackEntry>& entries, Point offset, LayerStack& stack,
                 std::string& error) {
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        std::unique_ptr<Layer> layer = it->isGroup ? groupLayer(context, *it, offset, stack, error)
                                                   : pixelLayer(context, *it, offset, stack, error);
        if (!layer || !stack.insert(std::move(layer), stack.count())) {
            if (error.empty())
                error = "there is not enough memory for the layer " + quoted(it->name);
            return false;
        }
    }
    return true;
}

const Layer* selectedLayer(const LayerStack& stack, const std::vector<OraStackEntry>& entries) {
    // Top-level entries map one to one onto the stack, topmost first.
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].selected)
            return stack.layerAt(stack.count() - 1 - int32_t(i));
    return nullptr;
}

std::string textOf(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

bool readMetadata(ReadContext& context, const OraOwnDocument& own, ImageMetadata& metadata, std::string& error) {
    for (const OraBlobEntry& blob : own.metadata) {
        std::vector<uint8_t> bytes;
        std::string reason;
        if (!context.zip.read(blob.src, bytes, reason)) {
            error = "its metadata cannot be read: " + reason;
            return false;
        }
        if (blob.kind == "exif") {
            metadata.exif = std::move(bytes);
        } else if (blob.kind == "xmp") {
            metadata.xmp = textOf(bytes);
        } else if (blob.kind == "icc") {
            metadata.icc = std::move(bytes);
        } else if (blob.kind == "comment") {
            metadata.comments.push_back(textOf(bytes));
        } else if (blob.kind == "text") {
            PngTextChunk chunk;
            chunk.kind = blob.chunk == "iTXt"   ? PngTextChunk::Kind::International
                         : blob.chunk == "zTXt" ? PngTextChunk::Kind::Compressed
                                                : PngTextChunk::Kind::Plain;
            chunk.compressed = blob.compressed;
            chunk.keyword = blob.keyword;
            chunk.language = blob.language;
            chunk.translatedKeyword = blob.translatedKeyword;
            chunk.text = textOf(bytes);
            metadata.texts.push_back(std::move(chunk));
        }
    }
    return true;
}

bool readXml(ZipReader& zip, const std::string& name, std::string& text, std::string& error) {
    std::vector<uint8_t> bytes;
    std::string reason;
    if (!zip.read(name, bytes, reason)) {
        error = name + " cannot be read: " + reason;
        return false;
    }
    if (int64_t(bytes.size()) > kMaxXmlBytes) {
        error = name + " is larger than " + std::to_string(kMaxXmlBytes >> 20) + " MiB";
        return false;
    }
    text = textOf(bytes);
    return true;
}

bool readArchive(ZipReader& zip, const std::string& path, OpenRasterResult& result, std::string& error,
                 const OpenRasterLimits& limits) {
    zip.setLimits(limits.zip);
    if (zip.has("mimetype")) {
        std::vector<uint8_t> mime;
        std::string reason;
        if (!zip.read("mimetype", mime, reason) || textOf(mime) != kMimeType) {
            error = "it is a zip archive but not an OpenRaster image (its mimetype is not image/openraster)";
            return false;
        }
    }
    std::string stackText;
    OraStack stack;
    if (!readXml(zip, "stack.xml", stackText, error))
        return false;
    if (!parseStackXml(stackText, stack, error)) {
        error = "stack.xml " + error;
        return false;
    }
    OraOwnDocument own;
    const bool ours = zip.has("pictorane/document.xml");
    if (ours) {
        std::string ownText;
        if (!readXml(zip, "pictorane/document.xml", ownText, error))
            return false;
        if (!parseOwnDocumentXml(ownText, own, error)) {
            error = "pictorane/document.xml " + error;
            return false;
        }
    } else {
        own.resolution = stack.xres;
    }

    ReadContext context{zip, limits, {stack.width, stack.height}, ours, {}, 0, {}, {}};
    int32_t layerCount = 0;
    if (!fetchEntries(context, stack.entries, layerCount, error))
        return false;
    const size_t layerPictures = context.pictures.size();
    for (const OraChannelEntry& channel : own.channels)
        if (!fetch(context, nullptr, channel.src, "the channel " + quoted(channel.name), error))
            return false;
    ImageMetadata metadata;
    if (!readMetadata(context, own, metadata, error))
        return false;

    tbb::parallel_for(size_t(0), context.pictures.size(), [&](size_t i) { decodePicture(context.pictures[i]); });

    auto document = std::make_unique<Document>();
    DocumentInfo info;
    info.width = stack.width;
    info.height = stack.height;
    info.resolution = float(std::clamp(own.resolution, double(kMinResolution), double(kMaxResolution)));
    info.resolutionUnit = own.resolutionUnit;
    info.transparent = true;
    info.backgroundColor = 0xFFFFFF;
    const size_t slash = path.rfind('/');
    info.name = slash == std::string::npos ? path : path.substr(slash + 1);
    info.folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    if (!document->newFromInfo(info)) {
        error = "there is not enough memory for its canvas";
        return false;
    }
    LayerStack& layers = document->layers();
    layers.removeAll(false);
    if (!buildLayers(context, stack.entries, {}, layers, error))
        return false;
    if (layers.count() == 0) {
        error = "it has no layers";
        return false;
    }
    const Layer* selected = selectedLayer(layers, stack.entries);
    layers.setActive(selected ? selected : layers.layerAt(layers.count() - 1));

    for (size_t i = 0; i < own.channels.size(); ++i) {
        Picture& picture = context.pictures[layerPictures + i];
        if (!picture.decoded || picture.color.size() != document->canvasSize()) {
            error = "the channel " + quoted(own.channels[i].name) + " is not a readable PNG of the canvas size";
            return false;
        }
        Surface8 mask;
        if (!mask.create(picture.color.width(), picture.color.height(), 8)) {
            error = "there is not enough memory for the channels";
            return false;
        }
        for (int32_t y = 0; y < mask.height(); ++y) {
            const uint8_t* gray = picture.color.row(y);
            uint8_t* out = mask.row(y);
            for (int32_t x = 0; x < mask.width(); ++x)
                out[x] = gray[3 * x];
        }
        document->channels().insert(std::make_unique<AlphaChannel>(own.channels[i].name, std::move(mask)));
    }

    document->invalidate(document->canvasRect());
    document->setUntitled(false);
    document->setModified(false);

    std::string note;
    if (!context.groups.empty()) {
        note += "Layer groups were merged into one layer each:";
        for (const std::string& name : context.groups)
            note += " " + name;
        note += ".";
    }
    if (!context.unknownModes.empty()) {
        note += note.empty() ? "" : "\n";
        note += "Blend modes this program does not know were read as Normal:";
        for (const std::string& mode : context.unknownModes)
            note += " " + mode;
        note += ".";
    }
    result.document = std::move(document);
    result.metadata = std::move(metadata);
    result.note = std::move(note);
    return true;
}

bool readGuarded(ZipReader& zip, const std::string& path, OpenRasterResult& result, std::string& error,
                 const OpenRasterLimits& limits) {
    result = {};
    try {
        if (readArchive(zip, path, result, error, limits))
            return true;
    } catch (const std::bad_alloc&) {
        error = "there is not enough memory to open it";
    }
    result = {};
    return false;
}

} // namespace

bool readOpenRaster(const std::string& path, OpenRasterResult& result, std::string& error,
                    const OpenRasterLimits& limits) {
    result = {};
    ZipReader zip;
    return zip.openFile(path, error) && readGuarded(zip, path, result, error, limits);
}

bool readOpenRasterMemory(const void* data, size_t size, const std::string& path, OpenRasterResult& result,
                          std::string& error, const OpenRasterLimits& limits) {
    result = {};
    ZipReader zip;
    return zip.openMemory(data, size, error) && readGuarded(zip, path, result, error, limits);
}

} // namespace pict
