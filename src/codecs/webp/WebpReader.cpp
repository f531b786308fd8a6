// The first frame through libwebp's animation decoder, which also reads still files and
// composes a frame that covers only part of an animation's canvas.
#include "codecs/CodecImage.h"
#include "codecs/MetadataBlocks.h"
#include "codecs/PictureReaders.h"
#include "codecs/PixelPacking.h"
#include "codecs/webp/WebpCodec.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace pict {

namespace {

constexpr size_t kRiffHeaderBytes = 12;

uint32_t littleEndian32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }

bool isWebp(const uint8_t* data, size_t size) {
    return size >= kRiffHeaderBytes && std::string_view(reinterpret_cast<const char*>(data), 4) == "RIFF" &&
           std::string_view(reinterpret_cast<const char*>(data) + 8, 4) == "WEBP";
}

struct AnimDecoderDeleter {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

// A metadata chunk's bytes; empty when absent or too large.
std::vector<uint8_t> chunkOf(const WebPDemuxer* demux, const char* fourcc) {
    WebPChunkIterator chunk;
    std::vector<uint8_t> bytes;
    if (WebPDemuxGetChunk(demux, fourcc, 1, &chunk)) {
        if (chunk.chunk.size <= kMaxMetadataBlockBytes)
            bytes.assign(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    return bytes;
}

void readMetadataChunks(const WebPDemuxer* demux, ImageMetadata& metadata) {
    metadata.icc = chunkOf(demux, "ICCP");
    metadata.exif = chunkOf(demux, "EXIF");
    // Some writers keep the JPEG prefix in front of the TIFF structure.
    static constexpr uint8_t kJpegPrefix[] = {'E', 'x', 'i', 'f', 0, 0};
    if (metadata.exif.size() > sizeof kJpegPrefix && std::equal(kJpegPrefix, kJpegPrefix + 6, metadata.exif.begin()))
        metadata.exif.erase(metadata.exif.begin(), metadata.exif.begin() + 6);
    const std::vector<uint8_t> xmp = chunkOf(demux, "XMP ");
    metadata.xmp.assign(xmp.begin(), xmp.end());
}

bool decodeFirstFrame(const std::vector<uint8_t>& file, Surface24& color, Surface8& alpha, ReadReport& report,
                      ImageMetadata* metadata) {
    if (file.size() < kRiffHeaderBytes)
        return report.truncated(int64_t(file.size()), int64_t(kRiffHeaderBytes));
    if (!isWebp(file.data(), file.size()))
        return report.notThisKind(FileKind::Webp);
    const uint64_t need = uint64_t(littleEndian32(file.data() + 4)) + 8;
    if (need > file.size())
        return report.truncated(int64_t(file.size()), int64_t(need));

    WebPData data{file.data(), file.size()};
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return report.corrupt("libwebp cannot start");
    options.color_mode = MODE_BGRA;
    options.use_threads = 0;
    std::unique_ptr<WebPAnimDecoder, AnimDecoderDeleter> decoder(WebPAnimDecoderNew(&data, &options));
    if (!decoder)
        return report.corrupt("libwebp cannot read its chunks");
    WebPAnimInfo info{};
    if (!WebPAnimDecoderGetInfo(decoder.get(), &info) || info.canvas_width == 0 || info.canvas_height == 0)
        return report.corrupt("it has no picture");
    if (info.canvas_width > uint32_t(kMaxImageDimension) || info.canvas_height > uint32_t(kMaxImageDimension))
        return report.tooLarge(info.canvas_width, info.canvas_height);
    uint8_t* pixels = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &pixels, &timestamp) || !pixels)
        return report.corrupt("libwebp cannot decode its picture");

    const int32_t width = int32_t(info.canvas_width), height = int32_t(info.canvas_height);
    if (!color.create(width, height, 24) || !alpha.create(width, height, 8))
        return report.noMemory();
    const size_t stride = size_t(width) * 4;
    for (int32_t y = 0; y < height; ++y)
        splitRow(pixels + stride * size_t(y), width, color.row(y), alpha.row(y));
    // A file without transparency may still leave part of an animation's canvas uncovered.
    const uint32_t flags = WebPDemuxGetI(WebPAnimDecoderGetDemuxer(decoder.get()), WEBP_FF_FORMAT_FLAGS);
    if (!(flags & ALPHA_FLAG) && alpha.isAll(255))
        alpha.destroy();
    if (metadata)
        readMetadataChunks(WebPAnimDecoderGetDemuxer(decoder.get()), *metadata);
    return true;
}

} // namespace

bool readWebp(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report, ImageMetadata* metadata) {
    return readPicture(stream, color, alpha, report, [&] {
        const std::vector<uint8_t> file = readWholeStream(stream);
        if (file.empty())
            return report.fail(ReadFault::CannotRead, "The file cannot be read.");
        return decodeFirstFrame(file, color, alpha, report, metadata);
    });
}

bool readWebpSize(const uint8_t* data, size_t size, int32_t& width, int32_t& height) {
    if (!isWebp(data, size))
        return false;
    WebPData bytes{data, size};
    WebPDemuxState state = WEBP_DEMUX_PARSE_ERROR;
    WebPDemuxer* demux = WebPDemuxPartial(&bytes, &state);
    if (!demux)
        return false;
    const uint32_t w = WebPDemuxGetI(demux, WEBP_FF_CANVAS_WIDTH), h = WebPDemuxGetI(demux, WEBP_FF_CANVAS_HEIGHT);
    WebPDemuxDelete(demux);
    if (w == 0 || h == 0 || state < WEBP_DEMUX_PARSED_HEADER)
        return false;
    width = int32_t(w);
    height = int32_t(h);
    return true;
}

} // namespace pict
