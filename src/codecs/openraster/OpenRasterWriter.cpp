// Writing a layered archive: every PNG (layers, channels, composite, thumbnail) is encoded
// into memory in parallel, then the archive is written in the order the format asks for.
#include "codecs/openraster/OpenRaster.h"

#include "codecs/ByteStream.h"
#include "codecs/openraster/OpenRasterBlendModes.h"
#include "codecs/openraster/OpenRasterStack.h"
#include "codecs/PngCodec.h"
#include "document/Document.h"

#include <png.h>
#include <tbb/parallel_for.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <new>

namespace pict {

namespace {

constexpr int32_t kThumbnailSide = 256;
constexpr int kXmlLevel = 6;
constexpr const char* kMimeType = "image/openraster";

// One archive entry and how its bytes are made.
struct EntryJob {
    std::string name;
    std::function<bool(ByteStream&)> encode;
    std::vector<uint8_t> bytes;
    bool ok = false;
};

PngSaveSettings layerPngSettings() {
    PngSaveSettings settings;
    settings.compressionLevel = kLayerPngLevel;
    settings.filters = PNG_FILTER_SUB;
    settings.programTexts = false;
    return settings;
}

void runJob(EntryJob& job) {
    try {
        MemoryStream out;
        job.ok = out.openOwned() && job.encode(out);
        if (job.ok)
            job.bytes = out.takeOwnedBytes();
    } catch (const std::bad_alloc&) {
        job.ok = false;
    }
}

Size thumbnailSize(Size canvas) {
    const int32_t longest = std::max(canvas.width, canvas.height);
    if (longest <= kThumbnailSide)
        return canvas;
    const double scale = double(kThumbnailSide) / longest;
    return {std::clamp(int32_t(std::lround(canvas.width * scale)), 1, kThumbnailSide),
            std::clamp(int32_t(std::lround(canvas.height * scale)), 1, kThumbnailSide)};
}

bool encodeThumbnail(ByteStream& out, const Surface24& color, const Surface8& alpha, const PngSaveSettings& settings) {
    const Size size = thumbnailSize(color.size());
    Surface24 small;
    Surface8 smallAlpha;
    if (!color.resizeSmoothInto(small, size) || (!alpha.isEmpty() && !alpha.resizeSmoothInto(smallAlpha, size)))
        return false;
    const bool opaque = smallAlpha.isEmpty() || smallAlpha.isAll(255);
    return writePng(out, small, opaque ? nullptr : &smallAlpha, settings);
}

bool encodeEmptyLayer(ByteStream& out, const PngSaveSettings& settings) {
    Surface24 pixel;
    Surface8 clear;
    return pixel.create(1, 1, 24) && clear.create(1, 1, 8) && writePng(out, pixel, &clear, settings);
}

std::vector<uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

// Carried metadata as files of our own, listed in document.xml.
void addMetadataEntries(const ImageMetadata& metadata, OraOwnDocument& own,
                        std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
    auto blob = [](std::string kind, std::string src) {
        OraBlobEntry entry;
        entry.kind = std::move(kind);
        entry.src = std::move(src);
        return entry;
    };
    auto add = [&](OraBlobEntry blob, std::vector<uint8_t> bytes) {
        files.emplace_back(blob.src, std::move(bytes));
        own.metadata.push_back(std::move(blob));
    };
    if (!metadata.exif.empty())
        add(blob("exif", "pictorane/metadata/exif.bin"), metadata.exif);
    if (!metadata.xmp.empty())
        add(blob("xmp", "pictorane/metadata/xmp.xml"), bytesOf(metadata.xmp));
    if (!metadata.icc.empty())
        add(blob("icc", "pictorane/metadata/profile.icc"), metadata.icc);
    for (size_t i = 0; i < metadata.comments.size(); ++i)
        add(blob("comment", "pictorane/metadata/comment" + std::to_string(i) + ".txt"),
            bytesOf(metadata.comments[i]));
    static constexpr const char* kChunkNames[] = {"tEXt", "zTXt", "iTXt"};
    for (size_t i = 0; i < metadata.texts.size(); ++i) {
        const PngTextChunk& chunk = metadata.texts[i];
        OraBlobEntry entry = blob("text", "pictorane/metadata/text" + std::to_string(i) + ".txt");
        entry.keyword = chunk.keyword;
        entry.language = chunk.language;
        entry.translatedKeyword = chunk.translatedKeyword;
        entry.chunk = kChunkNames[int(chunk.kind)];
        entry.compressed = chunk.compressed;
        add(std::move(entry), bytesOf(chunk.text));
    }
}

} // namespace

bool describeDocument(Document& document, LayeredPicture& picture) {
    picture = {};
    const CompositeCache* composite = document.composite();
    if (!composite || composite->size() != document.canvasSize())
        return false;
    const DocumentInfo& info = document.info();
    picture.canvas = document.canvasSize();
    picture.resolution = info.resolution;
    picture.resolutionUnit = info.resolutionUnit;
    picture.compositeColor = &composite->color();
    picture.compositeAlpha = &composite->alpha();
    const LayerStack& stack = document.layers();
    for (int32_t i = 0; i < stack.count(); ++i) {
        const Layer* layer = stack.layerAt(i);
        if (!layer || !layer->isLive())
            continue;
        LayeredLayer entry;
        entry.name = layer->name();
        entry.position = layer->position();
        entry.blendMode = layer->blendMode();
        entry.opacity = layer->opacity();
        entry.visible = layer->isVisible();
        entry.background = layer->isBackground();
        entry.selected = layer == stack.active();
        if (const RasterLayer* raster = layer->asRaster(); raster && raster->color().isValid()) {
            entry.color = &raster->color();
            entry.mask = raster->transparencyMask();
        }
        picture.layers.push_back(std::move(entry));
    }
    if (const AlphaChannelList* channels = document.channelsIfAny())
        for (int32_t i = 0; i < channels->count(); ++i)
            picture.channels.push_back({channels->at(i)->name(), &channels->at(i)->mask()});
    return true;
}

bool writeOpenRaster(ByteStream& out, const LayeredPicture& picture, std::string& error) {
    if (!picture.compositeColor || !picture.compositeColor->isValid() || !picture.compositeAlpha ||
        picture.compositeAlpha->size() != picture.compositeColor->size()) {
        error = "the picture has no composite";
        return false;
    }
    try {
        const PngSaveSettings settings = layerPngSettings();
        OraStack stack;
        stack.width = picture.canvas.width;
        stack.height = picture.canvas.height;
        stack.xres = stack.yres = pixelsPerInch(picture.resolution, picture.resolutionUnit);
        OraOwnDocument own;
        own.resolution = picture.resolution;
        own.resolutionUnit = picture.resolutionUnit;

        std::vector<EntryJob> jobs;
        jobs.reserve(picture.layers.size() + picture.channels.size() + 2);
        for (size_t i = 0; i < picture.layers.size(); ++i) {
            const LayeredLayer& layer = picture.layers[i];
            OraStackEntry entry;
            entry.name = layer.name;
            entry.src = "data/layer" + std::to_string(i) + ".png";
            entry.x = layer.position.x;
            entry.y = layer.position.y;
            entry.opacity = layer.opacity / 255.0;
            entry.visible = layer.visible;
            entry.compositeOp = compositeOpOfBlendMode(layer.blendMode);
            entry.selected = layer.selected;
            entry.background = layer.background;
            entry.empty = layer.color == nullptr;
            stack.entries.insert(stack.entries.begin(), std::move(entry));
            if (layer.color) {
                const Surface24* color = layer.color;
                const Surface8* mask = layer.mask && layer.mask->size() == color->size() ? layer.mask : nullptr;
                jobs.push_back({"data/layer" + std::to_string(i) + ".png",
                                [=](ByteStream& s) { return writePng(s, *color, mask, settings); }, {}, false});
            } else {
                jobs.push_back({"data/layer" + std::to_string(i) + ".png",
                                [=](ByteStream& s) { return encodeEmptyLayer(s, settings); }, {}, false});
            }
        }
        for (size_t i = 0; i < picture.channels.size(); ++i) {
            const Surface8* mask = picture.channels[i].mask;
            const std::string src = "pictorane/channels/channel" + std::to_string(i) + ".png";
            own.channels.push_back({picture.channels[i].name, src});
            jobs.push_back({src, [=](ByteStream& s) { return mask && writeGrayPng(s, *mask, settings); }, {}, false});
        }
        const Surface24* color = picture.compositeColor;
        const Surface8* alpha = picture.compositeAlpha;
        jobs.push_back({"mergedimage.png",
                        [=](ByteStream& s) { return writePng(s, *color, alpha->isAll(255) ? nullptr : alpha, settings); },
                        {}, false});
        jobs.push_back({"Thumbnails/thumbnail.png",
                        [=](ByteStream& s) { return encodeThumbnail(s, *color, *alpha, settings); }, {}, false});

        // One layer per task: the encoders share nothing but the read-only surfaces.
        tbb::parallel_for(size_t(0), jobs.size(), [&](size_t i) { runJob(jobs[i]); });
        for (const EntryJob& job : jobs)
            if (!job.ok) {
                error = "\"" + job.name + "\" cannot be encoded (out of memory?)";
                return false;
            }

        std::vector<std::pair<std::string, std::vector<uint8_t>>> metadataFiles;
        if (picture.metadata)
            addMetadataEntries(*picture.metadata, own, metadataFiles);

        ZipWriter zip(out);
        if (!zip.isOpen()) {
            error = "the archive cannot be started";
            return false;
        }
        // "mimetype" first and stored, so that the file identifies itself at a fixed offset.
        if (!zip.add("mimetype", bytesOf(kMimeType), 0, error) ||
            !zip.add("stack.xml", bytesOf(writeStackXml(stack)), kXmlLevel, error))
            return false;
        for (EntryJob& job : jobs)
            if (!zip.add(job.name, std::move(job.bytes), 0, error))
                return false;
        if (!zip.add("pictorane/document.xml", bytesOf(writeOwnDocumentXml(own)), kXmlLevel, error))
            return false;
        for (auto& [name, bytes] : metadataFiles)
            if (!zip.add(name, std::move(bytes), kXmlLevel, error))
                return false;
        return zip.finish(error);
    } catch (const std::bad_alloc&) {
        error = "there is not enough memory";
        return false;
    }
}

bool saveOpenRaster(Document& document, const std::string& path, const ImageMetadata* metadata, std::string& error) {
    LayeredPicture picture;
    if (!describeDocument(document, picture)) {
        error = "the picture cannot be composed";
        return false;
    }
    picture.metadata = metadata;
    error.clear();
    if (writeReplacingFile(path, [&](ByteStream& out) { return writeOpenRaster(out, picture, error); }))
        return true;
    if (error.empty())
        error = "the file cannot be written there";
    return false;
}

} // namespace pict
