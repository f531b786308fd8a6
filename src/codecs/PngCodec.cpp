// libpng reports errors by jumping back to the setjmp of the call that started the work. The
// functions that set a jump target hold no objects with destructors; everything that must be
// freed lives in the caller's session record, and so does libpng's own text of the error,
// which becomes the reader's report. Warnings stay silent.
#include "codecs/PngCodec.h"

#include "codecs/ByteStream.h"
#include "codecs/PixelPacking.h"
#include "codecs/ReadReport.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace pict {

namespace {

constexpr double kDefaultFileGamma = 0.45455;
constexpr double kScreenGamma = 2.2;
constexpr int kSignatureBytes = 8;
// Deflate never packs more than 258 bytes into 2 bits, so no PNG holds more raw image data
// than this many times its remaining bytes (plus a little for the stream's own framing).
constexpr int64_t kDeflateMaxRatio = 1032;
constexpr int64_t kDeflateSlackBytes = 64;
// libpng holds a chunk it interprets (texts, profiles, ...) whole in memory, allocated from
// the chunk's length field before a byte of it is read. Of the ancillary chunks only the
// gamma matters here (tRNS is always read), so the others are skipped unread; and no chunk
// may ask for more than this.
constexpr png_alloc_size_t kMaxChunkBytes = png_alloc_size_t(8) << 20;
constexpr png_byte kInterpretedChunks[] = "gAMA";
// What rows the data did not reach are shown as: opaque middle gray.
constexpr uint8_t kMissingGray = 128;
constexpr size_t kErrorTextBytes = 200;
// libpng reads picture data in pieces of this size; a file cut inside a piece loses the rows
// of the whole piece, so it is kept small (libpng's own default is 8192).
constexpr size_t kPictureDataPieceBytes = 1024;

// Where libpng's error callback leaves its text (the error pointer of a read).
struct ErrorText {
    char text[kErrorTextBytes] = {};
};

void silentError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void keepError(png_structp png, png_const_charp message) {
    auto* kept = static_cast<ErrorText*>(png_get_error_ptr(png));
    if (kept && message)
        std::snprintf(kept->text, sizeof kept->text, "%s", message);
    png_longjmp(png, 1);
}
void silentWarning(png_structp, png_const_charp) {}

// The read side of the stream bridge; it notes when the data ran out.
struct StreamInput {
    ByteStream* stream = nullptr;
    bool endedEarly = false;
};

void readFromStream(png_structp png, png_bytep data, size_t length) {
    auto* input = static_cast<StreamInput*>(png_get_io_ptr(png));
    if (!input->stream->readExact(data, length)) {
        input->endedEarly = true;
        png_error(png, "the file ends early");
    }
}

void writeToStream(png_structp png, png_bytep data, size_t length) {
    auto* stream = static_cast<ByteStream*>(png_get_io_ptr(png));
    if (!stream->writeExact(data, length))
        png_error(png, "write");
}

void flushNothing(png_structp) {}

struct ReadSession {
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_infop endInfo = nullptr;
    ~ReadSession() { png_destroy_read_struct(&png, info ? &info : nullptr, endInfo ? &endInfo : nullptr); }

    ErrorText error;
    StreamInput input;
    png_uint_32 rowsRead = 0; // rows complete before an error; all of them after a whole read
    std::vector<png_bytep> rows;
    std::vector<png_byte> rowBuffer;
    Surface24 color;
    Surface32 withAlpha;
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0, interlace = 0, channels = 0;
    bool hasAlpha = false;
};

// The file after the header is too short for the image the header describes, so the pixels
// are not allocated only to fail at the first missing byte.
bool tooShortForImage(const ReadSession& s, const ByteStream& stream) {
    const int64_t rowBytes = (int64_t(s.width) * s.channels * s.bitDepth + 7) / 8;
    return rowBytes * int64_t(s.height) > (stream.remaining() + kDeflateSlackBytes) * kDeflateMaxRatio;
}

// Returns false through libpng's jump for every library error.
bool readHeader(ReadSession& s, ByteStream& stream) {
    if (setjmp(png_jmpbuf(s.png)))
        return false;
    s.input.stream = &stream;
    png_set_read_fn(s.png, &s.input, readFromStream);
    // The size is checked after the header, where a refusal can name it; libpng's own limit
    // would only say that one was passed.
    png_set_user_limits(s.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_compression_buffer_size(s.png, kPictureDataPieceBytes);
    png_set_chunk_malloc_max(s.png, kMaxChunkBytes);
    png_set_keep_unknown_chunks(s.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_keep_unknown_chunks(s.png, PNG_HANDLE_CHUNK_AS_DEFAULT, kInterpretedChunks, 1);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    png_set_crc_action(s.png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#ifdef PNG_IGNORE_ADLER32
    png_set_option(s.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
#endif
    png_set_sig_bytes(s.png, kSignatureBytes);
    png_read_info(s.png, s.info);
    png_get_IHDR(s.png, s.info, &s.width, &s.height, &s.bitDepth, &s.colorType, &s.interlace, nullptr, nullptr);
    s.channels = png_get_channels(s.png, s.info);
    return true;
}

bool setTransformations(ReadSession& s) {
    if (setjmp(png_jmpbuf(s.png)))
        return false;
    png_structp png = s.png;
    if (s.colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (s.colorType == PNG_COLOR_TYPE_GRAY && s.bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, s.info, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(png);
        s.hasAlpha = true;
    } else {
        s.hasAlpha = (s.colorType & PNG_COLOR_MASK_ALPHA) != 0;
    }
    if (s.bitDepth == 16)
        png_set_strip_16(png);
    if (s.bitDepth < 8)
        png_set_packing(png);
    if (s.colorType == PNG_COLOR_TYPE_GRAY || s.colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_bgr(png); // gray arrives as equal channels, so the order only matters for color
    double fileGamma = kDefaultFileGamma;
    if (!png_get_gAMA(png, s.info, &fileGamma))
        fileGamma = kDefaultFileGamma;
    png_set_gamma(png, kScreenGamma, fileGamma);
    png_set_interlace_handling(png);
    png_read_update_info(png, s.info);
    return true;
}

// Reads every row into s.rows, counting the rows done (interlaced passes revisit each row,
// so there rowsRead only counts the whole read).
bool readRows(ReadSession& s) {
    if (setjmp(png_jmpbuf(s.png)))
        return false;
    if (s.interlace != PNG_INTERLACE_NONE) {
        png_read_image(s.png, s.rows.data());
        s.rowsRead = s.height;
        return true;
    }
    for (png_uint_32 y = 0; y < s.height; ++y) {
        png_read_row(s.png, s.rows[y], nullptr);
        s.rowsRead = y + 1;
    }
    return true;
}

// Rows of a non-interlaced file with alpha go through one row buffer straight into the
// color and alpha surfaces, instead of through a whole 32-bit picture.
bool readRowsSplitting(ReadSession& s, Surface24& color, Surface8& alpha) {
    if (setjmp(png_jmpbuf(s.png)))
        return false;
    for (png_uint_32 y = 0; y < s.height; ++y) {
        png_read_row(s.png, s.rowBuffer.data(), nullptr);
        splitRow(s.rowBuffer.data(), int32_t(s.width), color.row(int32_t(y)), alpha.row(int32_t(y)));
        s.rowsRead = y + 1;
    }
    return true;
}

// The chunks after the picture data; a file that ends without them still has its picture.
bool readEnd(ReadSession& s) {
    if (setjmp(png_jmpbuf(s.png)))
        return s.input.endedEarly;
    png_read_end(s.png, s.endInfo);
    return true;
}

// After rows failed: a file that simply ran out keeps the rows it had, the rest gray; any
// other error fails the read with libpng's words.
bool keepWhatWasRead(ReadSession& s, ReadReport& report) {
    if (!s.input.endedEarly)
        return report.corrupt(s.error.text[0] ? s.error.text : "libpng stopped");
    report.endsEarly = true;
    return true;
}

void fillMissingRows(RasterSurface& surface, png_uint_32 from) {
    const size_t bytes = size_t(surface.width()) * size_t(surface.depth() / 8);
    for (png_uint_32 y = from; y < png_uint_32(surface.height()); ++y)
        std::memset(surface.row(int32_t(y)), kMissingGray, bytes);
    if (surface.depth() == 32)
        for (png_uint_32 y = from; y < png_uint_32(surface.height()); ++y) {
            uint8_t* row = surface.row(int32_t(y));
            for (int32_t x = 0; x < surface.width(); ++x)
                row[4 * size_t(x) + 3] = 255;
        }
}

// Why the header could not be read.
bool reportHeaderError(const ReadSession& s, ByteStream& stream, ReadReport& report) {
    if (s.input.endedEarly)
        return report.fail(ReadFault::Truncated, "The file is truncated: its " + std::to_string(stream.size()) +
                                                     " bytes end before the picture data begins.");
    return report.corrupt(s.error.text[0] ? s.error.text : "libpng stopped");
}

bool decode(ReadSession& s, PngImage& image, ByteStream& stream, bool headerOnly) {
    ReadReport& report = image.report;
    if (!readHeader(s, stream))
        return reportHeaderError(s, stream, report);
    if (s.width == 0 || s.height == 0)
        return report.corrupt("the header gives a size of 0 pixels");
    if (s.width > png_uint_32(kMaxImageDimension) || s.height > png_uint_32(kMaxImageDimension))
        return report.tooLarge(s.width, s.height);
    image.width = int32_t(s.width);
    image.height = int32_t(s.height);
    image.bitsPerChannel = s.bitDepth;
    image.channels = s.channels;
    image.colorType = s.colorType;
    image.interlace = s.interlace;
    image.bitDepth = s.channels * s.bitDepth;
    if (headerOnly)
        return true;
    if (tooShortForImage(s, stream))
        return report.tooShortFor(stream.size(), s.width, s.height);
    if (!setTransformations(s))
        return report.corrupt(s.error.text[0] ? s.error.text : "libpng stopped");
    const int bytesPerPixel = s.hasAlpha ? 4 : 3;
    if (png_get_rowbytes(s.png, s.info) != size_t(s.width) * size_t(bytesPerPixel)) // never let libpng write past our rows
        return report.unsupported("PNG of " + std::to_string(s.bitDepth) + "-bit color type " + std::to_string(s.colorType));
    if (s.hasAlpha && s.interlace == PNG_INTERLACE_NONE) {
        Surface24 color;
        Surface8 alpha;
        if (!color.create(int32_t(s.width), int32_t(s.height), 24) || !alpha.create(int32_t(s.width), int32_t(s.height), 8))
            return report.noMemory();
        s.rowBuffer.resize(size_t(s.width) * 4);
        if (!readRowsSplitting(s, color, alpha)) {
            if (!keepWhatWasRead(s, report))
                return false;
            fillMissingRows(color, s.rowsRead);
            for (png_uint_32 y = s.rowsRead; y < s.height; ++y)
                std::memset(alpha.row(int32_t(y)), 255, s.width);
        } else if (!readEnd(s)) {
            return report.corrupt(s.error.text[0] ? s.error.text : "libpng stopped");
        }
        image.color = std::move(color);
        image.alpha = std::move(alpha);
        return true;
    }
    RasterSurface& target = s.hasAlpha ? static_cast<RasterSurface&>(s.withAlpha) : s.color;
    if (!target.create(int32_t(s.width), int32_t(s.height), s.hasAlpha ? 32 : 24))
        return report.noMemory();
    // Interlaced passes revisit every row, so the picture is read whole; what a cut-off file
    // leaves unvisited must already be gray.
    if (s.interlace != PNG_INTERLACE_NONE)
        fillMissingRows(target, 0);
    s.rows.resize(s.height);
    for (png_uint_32 y = 0; y < s.height; ++y)
        s.rows[y] = target.row(int32_t(y));
    if (!readRows(s)) {
        if (!keepWhatWasRead(s, report))
            return false;
        if (s.interlace == PNG_INTERLACE_NONE)
            fillMissingRows(target, s.rowsRead);
    } else if (!readEnd(s)) {
        return report.corrupt(s.error.text[0] ? s.error.text : "libpng stopped");
    }
    if (s.hasAlpha) {
        bool anyAlpha = false;
        if (!splitColorAlpha(s.withAlpha, image.color, image.alpha, anyAlpha))
            return report.noMemory();
    } else {
        image.color = std::move(s.color);
    }
    return true;
}

struct WriteSession {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~WriteSession() { png_destroy_write_struct(&png, info ? &info : nullptr); }
    std::vector<png_byte> rowBuffer; // one combined row when writing alpha
    std::string modified;
};

// What one PNG write takes its rows from: color (with alpha when given), or one gray mask.
struct RowSource {
    const Surface24* color = nullptr;
    const Surface8* alpha = nullptr;
    const Surface8* gray = nullptr;
    int32_t width() const { return gray ? gray->width() : color->width(); }
    int32_t height() const { return gray ? gray->height() : color->height(); }
    int colorType() const {
        return gray ? PNG_COLOR_TYPE_GRAY : alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
    }
};

bool encode(WriteSession& s, ByteStream& stream, const RowSource& source, const PngSaveSettings& settings) {
    if (setjmp(png_jmpbuf(s.png)))
        return false;
    png_structp png = s.png;
    png_set_write_fn(png, &stream, writeToStream, flushNothing);
    png_set_compression_level(png, std::clamp(settings.compressionLevel, PngSaveSettings::kLevelMin,
                                              PngSaveSettings::kLevelMax));
    if (settings.filters >= 0)
        png_set_filter(png, PNG_FILTER_TYPE_BASE, settings.filters);
    const int32_t width = source.width(), height = source.height();
    png_set_IHDR(png, s.info, png_uint_32(width), png_uint_32(height), 8, source.colorType(), PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    char softwareKey[] = "Software", softwareText[] = "Pictorane", timeKey[] = "Modification Time";
    png_text texts[2] = {};
    texts[0].compression = PNG_TEXT_COMPRESSION_NONE;
    texts[0].key = softwareKey;
    texts[0].text = softwareText;
    texts[1].compression = PNG_TEXT_COMPRESSION_NONE;
    texts[1].key = timeKey;
    texts[1].text = s.modified.data();
    if (settings.programTexts)
        png_set_text(png, s.info, texts, 2);
    png_write_info(png, s.info);
    if (!source.gray)
        png_set_bgr(png);
    // Rows top to bottom, as png_write_image would pass them; with alpha each is combined
    // into one row buffer rather than into a whole 32-bit copy of the picture.
    for (int32_t y = 0; y < height; ++y) {
        if (source.gray) {
            png_write_row(png, source.gray->row(y));
        } else if (source.alpha) {
            combineRow(source.color->row(y), source.alpha->row(y), width, s.rowBuffer.data());
            png_write_row(png, s.rowBuffer.data());
        } else {
            png_write_row(png, source.color->row(y));
        }
    }
    png_write_end(png, s.info);
    return true;
}

bool writeRows(ByteStream& stream, const RowSource& source, const PngSaveSettings& settings) {
    try {
        WriteSession session;
        session.modified = pngModificationTime(std::time(nullptr));
        if (source.alpha)
            session.rowBuffer.resize(size_t(source.width()) * 4);
        session.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, silentError, silentWarning);
        if (!session.png || !(session.info = png_create_info_struct(session.png)))
            return false;
        return encode(session, stream, source, settings);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace

std::string pngModificationTime(std::time_t when) {
    static constexpr const char* kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm utc{};
    if (!gmtime_r(&when, &utc))
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%s, %d %s %d %02d:%02d:%02d GMT", kWeekdays[utc.tm_wday % 7], utc.tm_mday,
                  kMonths[utc.tm_mon % 12], utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

bool PngCodec::load(CodecImage& target, ByteStream& stream, bool headerOnly) const {
    return guardedLoad<PngImage>(target, FileKind::Png, [&](PngImage& image) {
        if (!stream.isOpen() || stream.isBad())
            return image.report.fail(ReadFault::CannotRead, "The file cannot be read.");
        png_byte signature[kSignatureBytes] = {};
        const int64_t present = stream.remaining();
        const bool whole = stream.readExact(signature, sizeof signature);
        const size_t compared = size_t(std::clamp<int64_t>(present, 0, kSignatureBytes));
        if (compared == 0 || png_sig_cmp(signature, 0, compared) != 0)
            return image.report.notThisKind(FileKind::Png);
        if (!whole)
            return image.report.truncated(present, kSignatureBytes);
        ReadSession session;
        session.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &session.error, keepError, silentWarning);
        if (!session.png || !(session.info = png_create_info_struct(session.png)))
            return image.report.noMemory();
        if (!headerOnly && !(session.endInfo = png_create_info_struct(session.png)))
            return image.report.noMemory();
        return decode(session, image, stream, headerOnly);
    });
}

bool writePng(ByteStream& stream, const Surface24& color, const Surface8* alpha, const PngSaveSettings& settings) {
    if (!stream.isOpen() || !color.isValid() || (alpha && alpha->size() != color.size()))
        return false;
    return writeRows(stream, {&color, alpha, nullptr}, settings);
}

bool writeGrayPng(ByteStream& stream, const Surface8& gray, const PngSaveSettings& settings) {
    if (!stream.isOpen() || !gray.isValid())
        return false;
    return writeRows(stream, {nullptr, nullptr, &gray}, settings);
}

bool PngCodec::save(ByteStream& stream, const CodecImage& target) const {
    const auto* image = dynamic_cast<const PngImage*>(&target);
    if (!image)
        return false;
    return writePng(stream, image->color, image->hasAlpha() ? &image->alpha : nullptr, image->settings);
}

} // namespace pict
