// libjpeg reports fatal errors through error_exit, which jumps back to the setjmp of the
// function that started the work. Those functions hold no objects with destructors; what
// must be freed lives in the session record of their caller. The library's own text of the
// error is kept there too, for the reader's report; warnings stay silent.
#include "codecs/JpegCodec.h"

#include "codecs/ByteStream.h"
#include "codecs/JpegSegments.h"
#include "codecs/ReadReport.h"

#include <cstdio>
#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>

#include <algorithm>
#include <csetjmp>
#include <climits>
#include <new>
#include <string>
#include <vector>

namespace pict {

namespace {

constexpr size_t kBridgeBufferBytes = 4096;
// Progressive files with absurd scan counts take quadratic time; real files stay far below.
constexpr int kMaxScans = 1000;
// Huffman coding spends at least one bit on every 8 x 8 block of the full-resolution
// component, so a file holds at most 512 pixels per byte; allow twice that (arithmetic-coded
// flat images could in theory go further, but real ones do not).
constexpr int64_t kMaxPixelsPerByte = 1024;
constexpr int64_t kHeaderSlackBytes = 1024;

struct CapturedErrors {
    jpeg_error_mgr manager;
    jmp_buf jump;
    char text[JMSG_LENGTH_MAX];
    bool tooManyScans;
};

void jumpBack(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<CapturedErrors*>(cinfo->err);
    cinfo->err->format_message(cinfo, errors->text);
    longjmp(errors->jump, 1);
}
void sayNothing(j_common_ptr) {}

jpeg_error_mgr* installErrors(CapturedErrors& errors) {
    errors.text[0] = 0;
    errors.tooManyScans = false;
    jpeg_error_mgr* manager = jpeg_std_error(&errors.manager);
    manager->error_exit = jumpBack;
    manager->output_message = sayNothing;
    return manager;
}

// ---- source manager over a ByteStream ----

struct StreamSource {
    jpeg_source_mgr manager;
    ByteStream* stream;
    bool atStart;
    bool endedEarly;
    JOCTET buffer[kBridgeBufferBytes];
};

void initSource(j_decompress_ptr cinfo) { reinterpret_cast<StreamSource*>(cinfo->src)->atStart = true; }

boolean fillInput(j_decompress_ptr cinfo) {
    auto* source = reinterpret_cast<StreamSource*>(cinfo->src);
    int64_t got = source->stream->read(source->buffer, 1, kBridgeBufferBytes);
    if (got <= 0) {
        if (source->atStart)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        // A truncated file decodes as far as its data goes: past the end the decoder reads
        // end-of-image markers, a whole buffer of them at once, so that skipping a long
        // segment the file cut short takes a few refills rather than one per two bytes.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        source->endedEarly = true;
        for (size_t at = 0; at + 1 < kBridgeBufferBytes; at += 2) {
            source->buffer[at] = 0xFF;
            source->buffer[at + 1] = JPEG_EOI;
        }
        got = int64_t(kBridgeBufferBytes & ~size_t(1));
    }
    source->manager.next_input_byte = source->buffer;
    source->manager.bytes_in_buffer = size_t(got);
    source->atStart = false;
    return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count) {
    auto* source = reinterpret_cast<StreamSource*>(cinfo->src);
    while (count > 0) {
        if (long(source->manager.bytes_in_buffer) >= count) {
            source->manager.next_input_byte += count;
            source->manager.bytes_in_buffer -= size_t(count);
            return;
        }
        count -= long(source->manager.bytes_in_buffer);
        fillInput(cinfo);
    }
}

void termSource(j_decompress_ptr) {}

void attachSource(j_decompress_ptr cinfo, StreamSource& source, ByteStream& stream) {
    source.manager.init_source = initSource;
    source.manager.fill_input_buffer = fillInput;
    source.manager.skip_input_data = skipInput;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = termSource;
    source.manager.bytes_in_buffer = 0;
    source.manager.next_input_byte = nullptr;
    source.stream = &stream;
    source.atStart = true;
    source.endedEarly = false;
    cinfo->src = &source.manager;
}

// ---- destination manager over a ByteStream ----

struct StreamDestination {
    jpeg_destination_mgr manager;
    ByteStream* stream;
    JOCTET buffer[kBridgeBufferBytes];
};

void initDestination(j_compress_ptr cinfo) {
    auto* destination = reinterpret_cast<StreamDestination*>(cinfo->dest);
    destination->manager.next_output_byte = destination->buffer;
    destination->manager.free_in_buffer = kBridgeBufferBytes;
}

boolean emptyOutput(j_compress_ptr cinfo) {
    auto* destination = reinterpret_cast<StreamDestination*>(cinfo->dest);
    if (!destination->stream->writeExact(destination->buffer, kBridgeBufferBytes))
        ERREXIT(cinfo, JERR_FILE_WRITE);
    destination->manager.next_output_byte = destination->buffer;
    destination->manager.free_in_buffer = kBridgeBufferBytes;
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    auto* destination = reinterpret_cast<StreamDestination*>(cinfo->dest);
    const size_t pending = kBridgeBufferBytes - destination->manager.free_in_buffer;
    if (!destination->stream->writeExact(destination->buffer, pending) || !destination->stream->flush() ||
        destination->stream->isBad())
        ERREXIT(cinfo, JERR_FILE_WRITE);
}

void attachDestination(j_compress_ptr cinfo, StreamDestination& destination, ByteStream& stream) {
    destination.manager.init_destination = initDestination;
    destination.manager.empty_output_buffer = emptyOutput;
    destination.manager.term_destination = termDestination;
    destination.stream = &stream;
    cinfo->dest = &destination.manager;
}

void limitScans(j_common_ptr cinfo) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->is_decompressor && decompress->input_scan_number > kMaxScans) {
        reinterpret_cast<CapturedErrors*>(cinfo->err)->tooManyScans = true;
        ERREXIT(cinfo, JERR_NOTIMPL);
    }
}

// ---- decompression ----

struct DecodeSession {
    jpeg_decompress_struct cinfo{};
    CapturedErrors errors{};
    StreamSource source{};
    jpeg_progress_mgr progress{};
    bool created = false;
    ~DecodeSession() {
        if (created)
            jpeg_destroy_decompress(&cinfo);
    }
    Surface24 color;
    std::vector<uint8_t> fourComponentRow;
    std::vector<JSAMPROW> rows;
};

// Turns the library's last error into the reader's report.
bool reportLibraryError(const DecodeSession& s, ReadReport& report) {
    const jpeg_error_mgr& e = s.errors.manager;
    if (s.errors.tooManyScans)
        return report.unsupported("progressive JPEG of more than " + std::to_string(kMaxScans) + " scans");
    switch (e.msg_code) {
    case JERR_NO_SOI:
        return report.notThisKind(FileKind::Jpg);
    case JERR_INPUT_EMPTY:
        return report.fail(ReadFault::Truncated, "The file is empty.");
    case JERR_BAD_PRECISION:
        return report.unsupported(std::to_string(e.msg_parm.i[0]) + "-bit JPEG");
    case JERR_SOF_UNSUPPORTED:
        return report.unsupported((e.msg_parm.i[0] & 3) == 3 ? "lossless JPEG" : "hierarchical JPEG");
    case JERR_OUT_OF_MEMORY:
        return report.noMemory();
    default:
        return report.corrupt(s.errors.text[0] ? s.errors.text : "the JPEG library stopped");
    }
}

bool createDecoder(DecodeSession& s, ByteStream& stream) {
    s.cinfo.err = installErrors(s.errors);
    if (setjmp(s.errors.jump))
        return false;
    jpeg_create_decompress(&s.cinfo);
    s.created = true;
    // The library's own working memory stays within a multiple of what the image may take.
    const int64_t limit = maxSurfaceBytes() > int64_t(LONG_MAX / 4) ? int64_t(LONG_MAX / 4) : maxSurfaceBytes();
    s.cinfo.mem->max_memory_to_use = long(limit * 3 + (64 << 20));
    s.progress.progress_monitor = limitScans;
    s.cinfo.progress = &s.progress;
    attachSource(&s.cinfo, s.source, stream);
    jpeg_read_header(&s.cinfo, TRUE);
    return true;
}

bool startDecoder(DecodeSession& s) {
    if (setjmp(s.errors.jump))
        return false;
    jpeg_decompress_struct& c = s.cinfo;
    if (c.jpeg_color_space == JCS_GRAYSCALE || c.num_components != 4)
        c.out_color_space = JCS_EXT_BGR;
    jpeg_calc_output_dimensions(&c);
    if (c.output_width == 0 || c.output_height == 0 || c.output_width > JDIMENSION(kMaxImageDimension) ||
        c.output_height > JDIMENSION(kMaxImageDimension))
        return false;
    jpeg_start_decompress(&c);
    return true;
}

bool readScanlines(DecodeSession& s) {
    if (setjmp(s.errors.jump))
        return false;
    jpeg_decompress_struct& c = s.cinfo;
    if (c.output_components == 3) {
        while (c.output_scanline < c.output_height) {
            const JDIMENSION y = c.output_scanline;
            const JDIMENSION batch = std::min<JDIMENSION>(JDIMENSION(s.rows.size()), c.output_height - y);
            for (JDIMENSION i = 0; i < batch; ++i)
                s.rows[i] = s.color.row(int32_t(y + i));
            jpeg_read_scanlines(&c, s.rows.data(), batch);
        }
    } else {
        JSAMPROW cmyk = s.fourComponentRow.data();
        while (c.output_scanline < c.output_height) {
            uint8_t* out = s.color.row(int32_t(c.output_scanline));
            if (jpeg_read_scanlines(&c, &cmyk, 1) != 1)
                continue;
            for (JDIMENSION x = 0; x < c.output_width; ++x, out += 3) {
                const uint8_t* p = cmyk + 4 * size_t(x);
                const unsigned k = p[3];
                out[0] = uint8_t(p[2] * k / 255);
                out[1] = uint8_t(p[1] * k / 255);
                out[2] = uint8_t(p[0] * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&c);
    return true;
}

bool decode(DecodeSession& s, JpegImage& image, ByteStream& stream, bool headerOnly) {
    ReadReport& report = image.report;
    if (!createDecoder(s, stream))
        return reportLibraryError(s, report);
    image.bitDepth = 8 * s.cinfo.num_components;
    image.width = int32_t(s.cinfo.image_width);
    image.height = int32_t(s.cinfo.image_height);
    if (image.width < 1 || image.height < 1)
        return report.corrupt("the header gives a size of " + std::to_string(image.width) + " \xC3\x97 " +
                              std::to_string(image.height) + " pixels");
    if (image.width > kMaxImageDimension || image.height > kMaxImageDimension)
        return report.tooLarge(image.width, image.height);
    if (headerOnly)
        return true;
    // A file far shorter than its image needs is refused before the pixels are allocated
    // (smaller truncations still decode as far as their data goes).
    if (int64_t(image.width) * image.height > (stream.size() + kHeaderSlackBytes) * kMaxPixelsPerByte)
        return report.tooShortFor(stream.size(), image.width, image.height);
    if (!startDecoder(s))
        return reportLibraryError(s, report);
    const jpeg_decompress_struct& c = s.cinfo;
    if (c.output_components != 3 && c.output_components != 4)
        return report.unsupported("JPEG of " + std::to_string(c.output_components) + " color components");
    if (!s.color.create(int32_t(c.output_width), int32_t(c.output_height), 24))
        return report.noMemory();
    s.rows.resize(std::max(1, c.rec_outbuf_height) * 4);
    if (c.output_components == 4)
        s.fourComponentRow.resize(size_t(c.output_width) * 4);
    if (!readScanlines(s))
        return reportLibraryError(s, report);
    image.color = std::move(s.color);
    report.endsEarly = s.source.endedEarly;
    return true;
}

// ---- compression ----

struct EncodeSession {
    jpeg_compress_struct cinfo{};
    CapturedErrors errors{};
    StreamDestination destination{};
    bool created = false;
    ~EncodeSession() {
        if (created)
            jpeg_destroy_compress(&cinfo);
    }
    std::vector<JSAMPROW> rows;
};

bool encode(EncodeSession& s, ByteStream& stream, const Surface24& color, const JpegSaveSettings& settings) {
    s.cinfo.err = installErrors(s.errors);
    if (setjmp(s.errors.jump))
        return false;
    jpeg_create_compress(&s.cinfo);
    s.created = true;
    jpeg_compress_struct& c = s.cinfo;
    attachDestination(&c, s.destination, stream);
    c.image_width = JDIMENSION(color.width());
    c.image_height = JDIMENSION(color.height());
    c.input_components = 3;
    c.in_color_space = JCS_EXT_BGR; // surface rows are blue, green, red
    jpeg_set_defaults(&c);
    if (settings.flags & JpegSaveSettings::kOptimizeHuffman)
        c.optimize_coding = TRUE;
    if (settings.flags & JpegSaveSettings::kGrayscale)
        jpeg_set_colorspace(&c, JCS_GRAYSCALE);
    if (settings.smoothing != 0)
        c.smoothing_factor = std::clamp(settings.smoothing, 1, JpegSaveSettings::kSmoothingMax);
    const int quality = jpegLibraryQuality(settings.quality);
    jpeg_set_quality(&c, quality, (settings.flags & JpegSaveSettings::kForceBaseline) ? TRUE : FALSE);
    const bool fullChroma = settings.subsampling == ChromaSubsampling::ByQuality
                                ? quality >= settings.subsamplingThreshold
                                : settings.subsampling == ChromaSubsampling::Full;
    if (fullChroma) {
        c.comp_info[0].h_samp_factor = 1;
        c.comp_info[0].v_samp_factor = 1;
    }
    if (settings.progressive)
        jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        const JDIMENSION y = c.next_scanline;
        const JDIMENSION batch = std::min<JDIMENSION>(JDIMENSION(s.rows.size()), c.image_height - y);
        for (JDIMENSION i = 0; i < batch; ++i)
            s.rows[i] = const_cast<JSAMPROW>(color.row(int32_t(y + i)));
        jpeg_write_scanlines(&c, s.rows.data(), batch);
    }
    jpeg_finish_compress(&c);
    return true;
}

} // namespace

int32_t jpegLibraryQuality(int32_t userQuality) {
    const double q = std::clamp(userQuality, JpegSaveSettings::kQualityMin, JpegSaveSettings::kQualityMax);
    return std::clamp(int32_t(q * 0.93 + 5.0 + 0.5), 5, 98);
}

bool JpegCodec::load(CodecImage& target, ByteStream& stream, bool headerOnly) const {
    return guardedLoad<JpegImage>(target, FileKind::Jpg, [&](JpegImage& image) {
        if (!stream.isOpen() || stream.isBad())
            return image.report.fail(ReadFault::CannotRead, "The file cannot be read.");
        if (!headerOnly) {
            const int64_t start = stream.position();
            std::vector<MarkerSegment> segments;
            if (!readJpegSegments(stream, true, segments))
                segments.clear(); // the decoder decides whether the file is usable
            if (!stream.seekTo(start))
                return image.report.fail(ReadFault::CannotRead, "The file cannot be read again from its start.");
            image.segments = std::move(segments);
        }
        DecodeSession session;
        return decode(session, image, stream, headerOnly);
    });
}

bool writeJpeg(ByteStream& stream, const Surface24& color, const JpegSaveSettings& settings) {
    if (!stream.isOpen() || !color.isValid())
        return false;
    try {
        EncodeSession session;
        session.rows.resize(16);
        return encode(session, stream, color, settings);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool JpegCodec::save(ByteStream& stream, const CodecImage& target) const {
    const auto* image = dynamic_cast<const JpegImage*>(&target);
    if (!image || !writeJpeg(stream, image->color, image->settings))
        return false;
    try {
        // The JPEG is complete here; a failed merge leaves it as the library wrote it.
        const bool anyApplication = std::any_of(image->segments.begin(), image->segments.end(),
                                                [](const MarkerSegment& s) { return isApplicationSegment(s.code); });
        return !anyApplication || mergeJpegSegments(stream, image->segments);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace pict
