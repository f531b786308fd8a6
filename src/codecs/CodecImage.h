#pragma once
// What a codec loads into and saves from: a 24-bit color surface, an optional 8-bit alpha
// surface and what the file said about itself. One image class per codec kind carries that
// codec's own fields; codecs themselves are stateless.

#include "codecs/FileKind.h"
#include "codecs/ReadReport.h"
#include "surface/RasterSurface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pict {

// No image wider or taller than this is read or created by any codec.
constexpr int32_t kMaxImageDimension = 30000;

class ImageCodec;

class CodecImage {
public:
    virtual ~CodecImage() = default;
    virtual FileKind kind() const = 0;
    // The codec of this image's kind (a shared stateless object).
    const ImageCodec& codec() const;

    bool hasAlpha() const { return !alpha.isEmpty(); }
    // Drops the pixels and what was read from a file; the codec settings stay.
    virtual void clearLoaded();

    Surface24 color;
    Surface8 alpha;      // same size as color, or empty
    int32_t bitDepth = 0; // bits per pixel found in the file (JPEG: 8 x components)
    int32_t width = 0;
    int32_t height = 0;
    std::string path; // the file after a successful load from a file
    // How the last load went: why it failed, or that the file ended early. Each load starts
    // it afresh; clearLoaded leaves it, so that a failed load keeps its reason.
    ReadReport report;
};

class BitmapImage : public CodecImage {
public:
    FileKind kind() const override { return FileKind::Bmp; }
    void clearLoaded() override;
    // The file's header as a surface would describe it: 40 bytes, masks when bit fields,
    // color table. Only its first 40 bytes matter for saving.
    std::vector<uint8_t> header;
    // Sets header to a fresh 40-byte header of the given size and depth.
    void setPlainHeader(int32_t width, int32_t height, int depth);
};

// A JPEG marker segment as captured from a file: the marker (or a tag for recognised
// application segments), and the bytes from the length field on.
struct MarkerSegment {
    int32_t code = 0;
    std::vector<uint8_t> bytes;
};

// Tags that replace the marker code of segments the merge treats specially.
constexpr int32_t kTagJfif = 0x10E0;
constexpr int32_t kTagExif = 0x10E1;
constexpr int32_t kTagPhotoshop = 0x10ED;
constexpr int32_t kRawSegment = -1; // every byte after the start-of-scan segment

// How the chroma (colour) planes of a JPEG are sampled. ByQuality is the long-standing rule:
// full resolution only from library quality subsamplingThreshold up, half otherwise.
enum class ChromaSubsampling : uint8_t { ByQuality, Half /* 4:2:0 */, Full /* 4:4:4 */ };

struct JpegSaveSettings {
    static constexpr int32_t kQualityMin = 0, kQualityMax = 100, kQualityDefault = 95;
    static constexpr uint32_t kForceBaseline = 1, kOptimizeHuffman = 2, kGrayscale = 4;
    static constexpr int32_t kSmoothingMax = 100;

    int32_t quality = kQualityDefault;     // user level 0..100
    int32_t subsamplingThreshold = 95;     // library quality at which chroma is not subsampled
    uint32_t flags = 0;                    // kForceBaseline | kOptimizeHuffman | kGrayscale
    int32_t smoothing = 0;                 // 0 library default, else 1..100
    ChromaSubsampling subsampling = ChromaSubsampling::ByQuality;
    bool progressive = false;

    friend bool operator==(const JpegSaveSettings&, const JpegSaveSettings&) = default;
};

class JpegImage : public CodecImage {
public:
    FileKind kind() const override { return FileKind::Jpg; }
    void clearLoaded() override;
    std::vector<MarkerSegment> segments; // application segments captured on load
    JpegSaveSettings settings;
};

// The PNG compression a user chooses: zlib levels 1, 5 (the long-standing default) and 9.
enum class PngCompression : uint8_t { Fast, Normal, Best };
constexpr int32_t pngLevelOf(PngCompression compression) {
    return compression == PngCompression::Fast ? 1 : compression == PngCompression::Best ? 9 : 5;
}

struct PngSaveSettings {
    static constexpr int32_t kLevelMin = 0, kLevelMax = 9, kLevelDefault = 5;
    int32_t compressionLevel = kLevelDefault;
    // libpng's filter set (PNG_FILTER_* flags); -1 leaves libpng's own choice.
    int32_t filters = -1;
    // The "Software" and "Modification Time" texts; the layers inside a layered file go without.
    bool programTexts = true;
};

class PngImage : public CodecImage {
public:
    FileKind kind() const override { return FileKind::Png; }
    void clearLoaded() override;
    int32_t bitsPerChannel = 8;
    int32_t channels = 4;
    int32_t colorType = 6;
    int32_t interlace = 0;
    PngSaveSettings settings;
};

// A codec's load as every codec frames it: the image starts without loaded data and with a
// fresh report, an image of another kind is refused, and when body(image) fails or memory
// runs out the image is cleared, its report saying why.
template <class Image, class Body>
bool guardedLoad(CodecImage& target, FileKind kind, Body&& body) {
    target.clearLoaded();
    target.report = {};
    auto* image = dynamic_cast<Image*>(&target);
    if (!image)
        return target.report.notThisKind(kind);
    return guardedRead(target.report, [&] { return body(*image); }, [&] { target.clearLoaded(); });
}

// Bitmap, JPEG or PNG image; null for the other kinds.
std::unique_ptr<CodecImage> createCodecImage(FileKind kind);

class ByteStream;
class MemoryStream;

class ImageCodec {
public:
    virtual ~ImageCodec() = default;
    virtual FileKind kind() const = 0;

    // Codec-specific: load fills the image only on success (on failure the image's loaded
    // data is cleared and its report says why); headerOnly records depth and size without
    // pixels.
    virtual bool load(CodecImage& image, ByteStream& stream, bool headerOnly) const = 0;
    virtual bool save(ByteStream& stream, const CodecImage& image) const = 0;

    // Writes to a temporary file beside path and renames it over path only when the whole
    // file was written and flushed; an existing file survives any failure untouched.
    bool saveToFile(const std::string& path, const CodecImage& image) const;
    // Saves into an open, owned memory stream.
    bool saveToMemory(MemoryStream& stream, const CodecImage& image) const;
    bool loadFromFile(CodecImage& image, const std::string& path, bool headerOnly) const;
    bool loadFromMemory(CodecImage& image, const void* data, size_t size, bool headerOnly) const;

    bool sameKind(const CodecImage& image) const { return image.kind() == kind(); }
};

const ImageCodec* codecOfKind(FileKind kind);

} // namespace pict
