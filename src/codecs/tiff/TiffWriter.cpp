// One page of 8-bit RGB or RGBA in strips, assembled in memory (libtiff seeks back to write
// its directory) and then written to the stream in one piece.
#include "codecs/tiff/TiffCodec.h"
#include "codecs/tiff/TiffHandle.h"

#include <new>
#include <vector>

namespace pict {

namespace {

constexpr uint16_t kCompressionTags[] = {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE,
                                         COMPRESSION_PACKBITS};

bool predicts(TiffCompression compression) {
    return compression == TiffCompression::Lzw || compression == TiffCompression::Deflate;
}

bool writeFields(TIFF* tiff, const Surface24& color, bool withAlpha, const TiffSaveSettings& settings) {
    const uint16_t samples = withAlpha ? 4 : 3;
    bool ok = TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(color.width())) &&
              TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(color.height())) &&
              TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8) && TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, samples) &&
              TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB) &&
              TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
              TIFFSetField(tiff, TIFFTAG_COMPRESSION, kCompressionTags[size_t(settings.compression)]);
    if (ok && predicts(settings.compression))
        ok = TIFFSetField(tiff, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    if (ok && withAlpha) {
        const uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        ok = TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    return ok && TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
}

// Rows of blue, green, red (and alpha) become the file's red, green, blue (and alpha).
bool writeRows(TIFF* tiff, const Surface24& color, const Surface8* alpha) {
    const int32_t width = color.width();
    const size_t step = alpha ? 4 : 3;
    std::vector<uint8_t> line(size_t(width) * step);
    for (int32_t y = 0; y < color.height(); ++y) {
        const uint8_t* c = color.row(y);
        uint8_t* out = line.data();
        for (int32_t x = 0; x < width; ++x, out += step, c += 3) {
            out[0] = c[2];
            out[1] = c[1];
            out[2] = c[0];
        }
        if (alpha) {
            const uint8_t* a = alpha->row(y);
            for (int32_t x = 0; x < width; ++x)
                line[size_t(x) * 4 + 3] = a[x];
        }
        if (TIFFWriteScanline(tiff, line.data(), uint32_t(y), 0) < 0)
            return false;
    }
    return true;
}

} // namespace

bool writeTiff(ByteStream& out, const Surface24& color, const Surface8* alpha, const TiffSaveSettings& settings) {
    if (!color.isValid() || color.width() < 1 || color.height() < 1 || (alpha && alpha->size() != color.size()))
        return false;
    try {
        TiffHandle handle;
        if (!handle.openForWrite() || !writeFields(handle.tiff(), color, alpha != nullptr, settings) ||
            !writeRows(handle.tiff(), color, alpha) || !handle.finish())
            return false;
        return out.writeExact(handle.bytes().data(), handle.bytes().size());
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace pict
