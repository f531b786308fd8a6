// The first page of a TIFF file. The common layouts (gray, bilevel, palette, RGB, with an
// alpha sample, in strips or tiles) are unpacked here so that their samples arrive exactly;
// the rest goes through libtiff's own RGBA conversion.
#include "codecs/CodecImage.h"
#include "codecs/MetadataBlocks.h"
#include "codecs/PictureReaders.h"
#include "codecs/display/PictureOrientation.h"
#include "codecs/tiff/TiffCodec.h"
#include "codecs/tiff/TiffHandle.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string>
#include <vector>

namespace pict {

namespace {

// What rows the data did not reach are shown as: opaque middle gray, as for JPEG and PNG.
constexpr uint8_t kMissingGray = 128;

enum class Layout : uint8_t { Gray, Palette, Rgb };

// More samples per pixel than colour, alpha and a few extra channels is not a picture we show.
constexpr uint16_t kMaxSamplesPerPixel = 16;

// The page's fields that decide how its samples become pixels.
struct PageFormat {
    uint32_t width = 0, height = 0;
    uint16_t bits = 1, samples = 1, photometric = PHOTOMETRIC_MINISBLACK, planar = PLANARCONFIG_CONTIG;
    uint16_t sampleFormat = SAMPLEFORMAT_UINT, compression = COMPRESSION_NONE;
    int alphaSample = -1;       // index of the alpha sample within a pixel, or -1
    bool associatedAlpha = false; // color stored premultiplied by alpha
    Layout layout = Layout::Gray;
};

bool readFormat(TIFF* tiff, PageFormat& page) {
    if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &page.width) || !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &page.height))
        return false;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &page.bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &page.samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &page.planar);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &page.sampleFormat);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &page.compression);
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &page.photometric))
        page.photometric = page.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
    return true;
}

// Which of the page's layouts are unpacked here; false sends it to libtiff's conversion.
bool unpacksDirectly(TIFF* tiff, PageFormat& page) {
    if (page.compression == COMPRESSION_JPEG && page.photometric == PHOTOMETRIC_YCBCR) {
        // libtiff's JPEG codec converts the YCbCr it stores back to RGB itself.
        TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        page.photometric = PHOTOMETRIC_RGB;
    }
    if (page.planar != PLANARCONFIG_CONTIG || page.sampleFormat != SAMPLEFORMAT_UINT)
        return false;
    int colorSamples = 1;
    switch (page.photometric) {
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_MINISWHITE:
        page.layout = Layout::Gray;
        if (page.bits != 1 && page.bits != 2 && page.bits != 4 && page.bits != 8 && page.bits != 16)
            return false;
        break;
    case PHOTOMETRIC_PALETTE:
        page.layout = Layout::Palette;
        if (page.bits != 1 && page.bits != 2 && page.bits != 4 && page.bits != 8)
            return false;
        break;
    case PHOTOMETRIC_RGB:
        page.layout = Layout::Rgb;
        colorSamples = 3;
        if (page.bits != 8 && page.bits != 16)
            return false;
        break;
    default:
        return false;
    }
    if (page.samples < colorSamples)
        return false;
    uint16_t extraCount = 0;
    uint16_t* extras = nullptr;
    if (page.samples > colorSamples && TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extras) && extraCount > 0 &&
        (extras[0] == EXTRASAMPLE_ASSOCALPHA || extras[0] == EXTRASAMPLE_UNASSALPHA)) {
        page.alphaSample = colorSamples;
        page.associatedAlpha = extras[0] == EXTRASAMPLE_ASSOCALPHA;
    }
    return true;
}

// Every sample of a row as a number, whatever its width; libtiff has already put 16-bit
// samples in this machine's byte order.
void unpackSamples(const uint8_t* row, size_t count, int bits, uint16_t* out) {
    if (bits == 8) {
        for (size_t i = 0; i < count; ++i)
            out[i] = row[i];
        return;
    }
    if (bits == 16) {
        std::memcpy(out, row, count * 2);
        return;
    }
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (size_t i = 0; i < count; ++i) {
        const int shift = 8 - bits * (int(i % size_t(perByte)) + 1);
        out[i] = uint16_t((row[i / size_t(perByte)] >> shift) & mask);
    }
}

// Lookup tables from a sample to the 8-bit channel values of the pixel.
struct Levels {
    std::vector<uint8_t> blue, green, red; // per color sample (gray: all three the same table)
    std::vector<uint8_t> alpha;
};

// A sample of this many bits on 0..255: 16 bits keep their high byte, as 16-bit PNGs do.
std::vector<uint8_t> scaleTable(int bits, bool inverted) {
    const size_t count = size_t(1) << bits;
    std::vector<uint8_t> table(count);
    const uint32_t maximum = uint32_t(count - 1);
    for (uint32_t v = 0; v < count; ++v) {
        const uint32_t level = bits == 16 ? v >> 8 : (v * 255 + maximum / 2) / maximum;
        table[v] = uint8_t(inverted ? 255 - level : level);
    }
    return table;
}

bool paletteLevels(TIFF* tiff, int bits, Levels& levels, ReadReport& report) {
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue)
        return report.corrupt("its palette is missing");
    const size_t count = size_t(1) << bits;
    // Some writers store 8-bit entries where 16-bit ones belong.
    bool eightBit = true;
    for (size_t i = 0; i < count; ++i)
        eightBit = eightBit && red[i] < 256 && green[i] < 256 && blue[i] < 256;
    const int shift = eightBit ? 0 : 8;
    levels.red.resize(count);
    levels.green.resize(count);
    levels.blue.resize(count);
    for (size_t i = 0; i < count; ++i) {
        levels.red[i] = uint8_t(red[i] >> shift);
        levels.green[i] = uint8_t(green[i] >> shift);
        levels.blue[i] = uint8_t(blue[i] >> shift);
    }
    return true;
}

// Undoes premultiplied alpha on one pixel's channels.
inline uint8_t unpremultiply(uint32_t value, uint32_t alpha) {
    return alpha == 0 ? 0 : uint8_t(std::min<uint32_t>(255, (value * 255 + alpha / 2) / alpha));
}

// Turns rows of file samples into the surfaces' rows.
class RowConverter {
public:
    RowConverter(const PageFormat& page, Levels levels) : page_(page), levels_(std::move(levels)) {
        samples_.resize(size_t(page.width) * page.samples);
    }

    void convert(const uint8_t* raw, uint8_t* color, uint8_t* alpha) {
        unpackSamples(raw, samples_.size(), page_.bits, samples_.data());
        const size_t step = page_.samples;
        const bool rgb = page_.layout == Layout::Rgb;
        const uint16_t* s = samples_.data();
        for (uint32_t x = 0; x < page_.width; ++x, s += step, color += 3) {
            color[0] = levels_.blue[s[rgb ? 2 : 0]];
            color[1] = levels_.green[s[rgb ? 1 : 0]];
            color[2] = levels_.red[s[0]];
        }
        if (!alpha || page_.alphaSample < 0)
            return;
        s = samples_.data() + page_.alphaSample;
        for (uint32_t x = 0; x < page_.width; ++x, s += step)
            alpha[x] = levels_.alpha[*s];
        if (page_.associatedAlpha) {
            color -= size_t(page_.width) * 3;
            for (uint32_t x = 0; x < page_.width; ++x, color += 3)
                for (int c = 0; c < 3; ++c)
                    color[c] = unpremultiply(color[c], alpha[x]);
        }
    }

private:
    const PageFormat& page_;
    Levels levels_;
    std::vector<uint16_t> samples_;
};

// The largest end of any strip or tile's data: what a complete file must hold.
int64_t dataEnd(TIFF* tiff) {
    uint64_t end = 0;
    const uint32_t count = TIFFIsTiled(tiff) ? TIFFNumberOfTiles(tiff) : TIFFNumberOfStrips(tiff);
    for (uint32_t i = 0; i < count; ++i) {
        int error = 0;
        const uint64_t offset = TIFFGetStrileOffsetWithErr(tiff, i, &error);
        const uint64_t bytes = TIFFGetStrileByteCountWithErr(tiff, i, &error);
        if (!error)
            end = std::max(end, offset + bytes);
    }
    return int64_t(std::min<uint64_t>(end, uint64_t(INT64_MAX)));
}

// Reads a band of rows (one row of a striped file, or one row of tiles) into consecutive
// scanlines.
class BandReader {
public:
    BandReader(TIFF* tiff, const PageFormat& page) : tiff_(tiff), page_(page) {}

    bool start() {
        scanline_ = size_t(TIFFScanlineSize64(tiff_));
        if (scanline_ == 0)
            return false;
        if (TIFFIsTiled(tiff_)) {
            TIFFGetField(tiff_, TIFFTAG_TILEWIDTH, &tileWidth_);
            TIFFGetField(tiff_, TIFFTAG_TILELENGTH, &bandRows_);
            tileRowBytes_ = size_t(TIFFTileRowSize64(tiff_));
            const uint64_t tileBytes = TIFFTileSize64(tiff_);
            if (tileWidth_ == 0 || bandRows_ == 0 || tileRowBytes_ == 0 || tileBytes == 0 ||
                (uint64_t(tileWidth_) * page_.samples * page_.bits) % 8 != 0)
                return false;
            tile_.resize(size_t(tileBytes));
        }
        else
            bandRows_ = 1; // a strip may hold the whole picture, so strips are read a row at a time
        bandRows_ = std::min(bandRows_, page_.height);
        band_.resize(scanline_ * bandRows_);
        return true;
    }

    uint32_t bandRows() const { return bandRows_; }
    const uint8_t* row(uint32_t r) const { return band_.data() + scanline_ * r; }

    // The band that starts at row y, holding rows rows.
    bool read(uint32_t y, uint32_t rows) {
        if (!TIFFIsTiled(tiff_))
            return TIFFReadScanline(tiff_, band_.data(), y, 0) >= 0;
        const size_t bitsPerPixel = size_t(page_.samples) * page_.bits;
        for (uint32_t x = 0; x < page_.width; x += tileWidth_) {
            if (TIFFReadTile(tiff_, tile_.data(), x, y, 0, 0) < 0)
                return false;
            const size_t offset = size_t(x) * bitsPerPixel / 8;
            const size_t bytes = std::min(tileRowBytes_, scanline_ - offset);
            for (uint32_t r = 0; r < rows; ++r)
                std::memcpy(band_.data() + scanline_ * r + offset, tile_.data() + tileRowBytes_ * r, bytes);
        }
        return true;
    }

private:
    TIFF* tiff_;
    const PageFormat& page_;
    size_t scanline_ = 0;
    size_t tileRowBytes_ = 0;
    uint32_t tileWidth_ = 0;
    uint32_t bandRows_ = 0;
    std::vector<uint8_t> band_, tile_;
};

void fillGrayFrom(Surface24& color, Surface8& alpha, uint32_t from) {
    for (int32_t y = int32_t(from); y < color.height(); ++y) {
        std::memset(color.row(y), kMissingGray, size_t(color.width()) * 3);
        if (!alpha.isEmpty())
            std::memset(alpha.row(y), 255, size_t(alpha.width()));
    }
}

// A band that cannot be decoded: when the file simply stops before its data does, the rows
// read so far stay and the rest is gray; otherwise the read fails with libtiff's words.
bool bandFailed(const TiffHandle& handle, int64_t fileBytes, uint32_t y, Surface24& color, Surface8& alpha,
                ReadReport& report) {
    const int64_t need = dataEnd(handle.tiff());
    if (need <= fileBytes)
        return report.corrupt(handle.error().empty() ? "libtiff cannot decode it" : handle.error());
    if (y == 0)
        return report.truncated(fileBytes, need);
    fillGrayFrom(color, alpha, y);
    report.endsEarly = true;
    return true;
}

bool readDirectly(const TiffHandle& handle, const PageFormat& page, int64_t fileBytes, Surface24& color,
                  Surface8& alpha, ReadReport& report) {
    TIFF* tiff = handle.tiff();
    Levels levels;
    const std::vector<uint8_t> scale = scaleTable(page.bits, page.photometric == PHOTOMETRIC_MINISWHITE);
    if (page.layout == Layout::Palette) {
        if (!paletteLevels(tiff, page.bits, levels, report))
            return false;
    }
    else
        levels.blue = levels.green = levels.red = scale;
    if (page.alphaSample >= 0)
        levels.alpha = scaleTable(page.bits, false);

    BandReader bands(tiff, page);
    if (!bands.start())
        return report.corrupt("its strips or tiles have no size");
    if (!color.create(int32_t(page.width), int32_t(page.height), 24) ||
        (page.alphaSample >= 0 && !alpha.create(int32_t(page.width), int32_t(page.height), 8)))
        return report.noMemory();
    RowConverter converter(page, std::move(levels));
    for (uint32_t y = 0; y < page.height; y += bands.bandRows()) {
        const uint32_t rows = std::min(bands.bandRows(), page.height - y);
        if (!bands.read(y, rows))
            return bandFailed(handle, fileBytes, y, color, alpha, report);
        for (uint32_t r = 0; r < rows; ++r)
            converter.convert(bands.row(r), color.row(int32_t(y + r)),
                              alpha.isEmpty() ? nullptr : alpha.row(int32_t(y + r)));
    }
    return true;
}

// CMYK, YCbCr, Lab, separate planes, odd depths: libtiff's conversion to premultiplied
// 8-bit RGBA, taken in stored row order (the orientation tag is applied by the caller).
bool readThroughRgba(TIFF* tiff, const PageFormat& page, Surface24& color, Surface8& alpha, ReadReport& report) {
    char message[1024] = {};
    if (!TIFFRGBAImageOK(tiff, message))
        return report.unsupported(std::string("TIFF ") + message);
    TIFFRGBAImage image{};
    if (!TIFFRGBAImageBegin(&image, tiff, 1, message))
        return report.unsupported(std::string("TIFF ") + message);
    std::unique_ptr<TIFFRGBAImage, void (*)(TIFFRGBAImage*)> ending(&image, TIFFRGBAImageEnd);
    image.req_orientation = ORIENTATION_TOPLEFT;
    image.orientation = ORIENTATION_TOPLEFT;
    std::vector<uint32_t> pixels(size_t(page.width) * page.height);
    if (!TIFFRGBAImageGet(&image, pixels.data(), page.width, page.height))
        return report.corrupt(message[0] ? message : "libtiff cannot decode it");
    const bool hasAlpha = image.alpha != 0;
    if (!color.create(int32_t(page.width), int32_t(page.height), 24) ||
        (hasAlpha && !alpha.create(int32_t(page.width), int32_t(page.height), 8)))
        return report.noMemory();
    for (uint32_t y = 0; y < page.height; ++y) {
        const uint32_t* p = pixels.data() + size_t(y) * page.width;
        uint8_t* c = color.row(int32_t(y));
        uint8_t* a = hasAlpha ? alpha.row(int32_t(y)) : nullptr;
        for (uint32_t x = 0; x < page.width; ++x, c += 3) {
            const uint32_t level = hasAlpha ? TIFFGetA(p[x]) : 255;
            c[0] = unpremultiply(TIFFGetB(p[x]), level);
            c[1] = unpremultiply(TIFFGetG(p[x]), level);
            c[2] = unpremultiply(TIFFGetR(p[x]), level);
            if (a)
                a[x] = uint8_t(level);
        }
    }
    return true;
}

bool looksLikeTiff(ByteStream& stream) {
    uint8_t head[4] = {};
    if (!stream.seekTo(0) || !stream.readExact(head, 4) || !stream.seekTo(0))
        return false;
    const bool little = head[0] == 'I' && head[1] == 'I' && head[3] == 0 && (head[2] == 42 || head[2] == 43);
    const bool big = head[0] == 'M' && head[1] == 'M' && head[2] == 0 && (head[3] == 42 || head[3] == 43);
    return little || big;
}

// The page as it is meant to be seen, and its colour profile.
bool finishPage(TIFF* tiff, Surface24& color, Surface8& alpha, ReadReport& report, ImageMetadata* metadata) {
    uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
    if (!applyOrientation(color, alpha, orientation))
        return report.noMemory();
    uint32_t size = 0;
    const uint8_t* profile = nullptr;
    if (metadata && TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &size, &profile) && profile && size > 0 &&
        size <= kMaxMetadataBlockBytes)
        metadata->icc.assign(profile, profile + size);
    return true;
}

// The first page's format and size, read on a handle that loads neither strip tables nor
// splits strips, so that a claimed size is refused before libtiff builds anything for it.
bool readPageSize(ByteStream& stream, PageFormat& page, ReadReport& report) {
    TiffHandle directory;
    if (!directory.openForRead(stream, TiffHandle::Purpose::Directory))
        return report.corrupt(directory.error().empty() ? "libtiff cannot open it" : directory.error());
    if (!readFormat(directory.tiff(), page) || page.width == 0 || page.height == 0)
        return report.corrupt("its first page has no size");
    if (page.width > uint32_t(kMaxImageDimension) || page.height > uint32_t(kMaxImageDimension))
        return report.tooLarge(page.width, page.height);
    return true;
}

bool readPage(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report, ImageMetadata* metadata) {
    if (!looksLikeTiff(stream))
        return stream.size() < 8 ? report.truncated(stream.size(), 8) : report.notThisKind(FileKind::Tif);
    const int64_t start = stream.position();
    PageFormat page;
    if (!readPageSize(stream, page, report))
        return false;
    // A row buffer holds every sample of a row; a pixel of thousands of samples (the field
    // allows 65535) would ask for gigabytes before a byte is read, and no picture needs it.
    if (page.samples > kMaxSamplesPerPixel)
        return report.unsupported("TIFF with " + std::to_string(page.samples) + " samples per pixel");
    TiffHandle handle;
    if (!stream.seekTo(start) || !handle.openForRead(stream, TiffHandle::Purpose::Pixels))
        return report.corrupt(handle.error().empty() ? "libtiff cannot open it" : handle.error());
    const bool read = unpacksDirectly(handle.tiff(), page)
                          ? readDirectly(handle, page, stream.size(), color, alpha, report)
                          : readThroughRgba(handle.tiff(), page, color, alpha, report);
    return read && finishPage(handle.tiff(), color, alpha, report, metadata);
}

} // namespace

bool readTiff(ByteStream& stream, Surface24& color, Surface8& alpha, ReadReport& report, ImageMetadata* metadata) {
    return readPicture(stream, color, alpha, report,
                       [&] { return readPage(stream, color, alpha, report, metadata); });
}

bool readTiffSize(ByteStream& stream, int32_t& width, int32_t& height) {
    PageFormat page;
    ReadReport ignored;
    if (!stream.isOpen() || !looksLikeTiff(stream) || !readPageSize(stream, page, ignored))
        return false;
    width = int32_t(page.width);
    height = int32_t(page.height);
    return true;
}

} // namespace pict
