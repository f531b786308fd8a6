// One page in strips, assembled in memory (libtiff seeks back to write its directory) and
// then written to the stream in one piece. The picture is first brought into the file's
// layout (gray levels, palette indices or bits) by the surface conversions; each row is
// then packed into the samples the file holds.
#include "codecs/PixelPacking.h"
#include "codecs/tiff/TiffChoices.h"
#include "codecs/tiff/TiffHandle.h"

#include <cstring>
#include <new>
#include <vector>

namespace pict {

namespace {

// The quality of JPEG-compressed TIFF files: little visible loss at about a tenth of the size.
constexpr int kJpegQuality = 90;
// Black and white files are white where the luminance is at least this.
constexpr int kBilevelThreshold = 128;

// The picture in the file's layout, made once before the rows.
struct FilePixels {
    const Surface24* color = nullptr; // RGB: the picture, or its copy over white
    const Surface8* alpha = nullptr;  // the transparency the file keeps, or null
    Surface24 flattened;
    Surface8 levels; // gray levels or palette indices
    Surface1 bits;   // black and white, 1 where white
};

bool prepare(const Surface24& color, const Surface8* alpha, const TiffSaveSettings& settings, FilePixels& pixels) {
    pixels.color = &color;
    if (alpha && tiffKeepsTransparency(settings)) {
        pixels.alpha = alpha;
    } else if (alpha) {
        // What the file cannot keep see-through is shown over white, as in a JPEG file.
        pixels.flattened = color.clone();
        if (!pixels.flattened.isValid() || !flattenOverWhite(pixels.flattened, *alpha))
            return false;
        pixels.color = &pixels.flattened;
    }
    switch (settings.color) {
    case TiffColor::Rgb: return true;
    case TiffColor::Gray: return pixels.color->toGray(pixels.levels);
    case TiffColor::Palette: return pixels.color->toIndexed8(pixels.levels, 256);
    case TiffColor::Bilevel: return pixels.color->toBilevelThreshold(pixels.bits, kBilevelThreshold);
    }
    return false;
}

bool writeColormap(TIFF* tiff, const Surface8& indices) {
    std::vector<uint16_t> red(256), green(256), blue(256);
    const ColorTable* palette = indices.palette();
    for (int32_t i = 0; palette && i < palette->count() && i < 256; ++i) {
        const uint32_t entry = palette->at(i); // 0x00RRGGBB
        red[size_t(i)] = uint16_t((entry >> 16 & 0xFF) * 257);
        green[size_t(i)] = uint16_t((entry >> 8 & 0xFF) * 257);
        blue[size_t(i)] = uint16_t((entry & 0xFF) * 257);
    }
    return TIFFSetField(tiff, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
}

bool writeFields(TIFF* tiff, const Surface24& color, const FilePixels& pixels, const TiffSaveSettings& settings) {
    const TiffCompressionTraits& compression = traitsOf(settings.compression);
    const TiffColorTraits& layout = traitsOf(settings.color);
    const bool withAlpha = pixels.alpha != nullptr;
    const uint16_t samples = uint16_t(layout.colorSamples + (withAlpha ? 1 : 0));
    const uint16_t bits = settings.color == TiffColor::Bilevel   ? 1
                          : settings.depth == TiffDepth::Bits16 ? 16
                                                                : 8;
    // libtiff's JPEG codec compresses RGB best as YCbCr, converting the rows itself.
    const bool ycbcr = settings.compression == TiffCompression::Jpeg && settings.color == TiffColor::Rgb;
    bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(color.width())) &&
              TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(color.height())) &&
              TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, bits) && TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples) &&
              TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, ycbcr ? PHOTOMETRIC_YCBCR : layout.photometric) &&
              TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
              TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression.tag);
    if (ok && compression.predicts && layout.continuousTone)
        ok = TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    if (ok && settings.compression == TiffCompression::Jpeg)
        ok = TIFFSetField(tiff, TIFFTAG_JPEGQUALITY, kJpegQuality) &&
             (!ycbcr || TIFFSetField(tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB));
    if (ok && withAlpha) {
        const uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        ok = TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    if (ok && settings.color == TiffColor::Palette)
        ok = writeColormap(tiff, pixels.levels);
    return ok && TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
}

// ---- rows ----

template <class Sample>
constexpr Sample sampleOf(uint8_t value) {
    return static_cast<Sample>(sizeof(Sample) == 2 ? value * 257 : value);
}

// One row of levels (gray) or blue, green, red pixels (RGB) into the file's samples, red
// first, with the alpha after each pixel when the file keeps it.
template <class Sample, int Channels, bool WithAlpha>
void packRow(const uint8_t* pixels, const uint8_t* alpha, int32_t width, void* line) {
    Sample* out = static_cast<Sample*>(line);
    for (int32_t x = 0; x < width; ++x, pixels += Channels) {
        if constexpr (Channels == 3) {
            *out++ = sampleOf<Sample>(pixels[2]);
            *out++ = sampleOf<Sample>(pixels[1]);
        }
        *out++ = sampleOf<Sample>(pixels[0]);
        if constexpr (WithAlpha)
            *out++ = sampleOf<Sample>(alpha[x]);
    }
}

using RowPacker = void (*)(const uint8_t*, const uint8_t*, int32_t, void*);

// By 16 bits, RGB, alpha.
constexpr RowPacker kPackers[2][2][2] = {
    {{packRow<uint8_t, 1, false>, packRow<uint8_t, 1, true>}, {packRow<uint8_t, 3, false>, packRow<uint8_t, 3, true>}},
    {{packRow<uint16_t, 1, false>, packRow<uint16_t, 1, true>},
     {packRow<uint16_t, 3, false>, packRow<uint16_t, 3, true>}},
};

bool writeRows(TIFF* tiff, const FilePixels& pixels, const TiffSaveSettings& settings) {
    const int32_t width = pixels.color->width();
    // libtiff may work on the row it is given (byte order, predictor), so it gets a copy.
    std::vector<uint8_t> line(size_t(TIFFScanlineSize64(tiff)));
    const bool tone = traitsOf(settings.color).continuousTone;
    const bool rgb = settings.color == TiffColor::Rgb;
    const bool sixteen = settings.depth == TiffDepth::Bits16;
    const RowPacker pack = kPackers[sixteen][rgb][pixels.alpha != nullptr];
    const size_t samples = (rgb ? 3u : 1u) + (pixels.alpha ? 1u : 0u);
    if (tone && line.size() < size_t(width) * samples * (sixteen ? 2u : 1u))
        return false; // libtiff expects rows of another layout than the one packed here
    const RasterSurface* stored = nullptr;
    switch (settings.color) {
    case TiffColor::Rgb: stored = pixels.color; break;
    case TiffColor::Gray:
    case TiffColor::Palette: stored = &pixels.levels; break;
    case TiffColor::Bilevel: stored = &pixels.bits; break;
    }
    for (int32_t y = 0; y < pixels.color->height(); ++y) {
        if (tone)
            pack(stored->row(y), pixels.alpha ? pixels.alpha->row(y) : nullptr, width, line.data());
        else
            std::memcpy(line.data(), stored->row(y), line.size()); // indices or bits as they are
        if (TIFFWriteScanline(tiff, line.data(), uint32_t(y), 0) < 0)
            return false;
    }
    return true;
}

} // namespace

bool writeTiff(ByteStream& out, const Surface24& color, const Surface8* alpha, const TiffSaveSettings& settings) {
    if (!color.isValid() || color.width() < 1 || color.height() < 1 || (alpha && alpha->size() != color.size()) ||
        !tiffSettingsRefusal(settings).empty())
        return false;
    try {
        FilePixels pixels;
        TiffHandle handle;
        if (!prepare(color, alpha, settings, pixels) || !handle.openForWrite() ||
            !writeFields(handle.tiff(), color, pixels, settings) || !writeRows(handle.tiff(), pixels, settings) ||
            !handle.finish())
            return false;
        return out.writeExact(handle.bytes().data(), handle.bytes().size());
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace pict
