#include "codecs/ByteStream.h"
#include "codecs/JpegCodec.h"
#include "codecs/JpegSegments.h"

#include "codecs/CodecTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>

namespace pict {
namespace {

std::vector<uint8_t> saveJpeg(const JpegImage& image) {
    MemoryStream out;
    EXPECT_TRUE(out.openOwned());
    EXPECT_TRUE(JpegCodec().saveToMemory(out, image));
    return out.takeOwnedBytes();
}

std::vector<MarkerSegment> segmentsOf(const std::vector<uint8_t>& file) {
    MemoryStream in(file.data(), int64_t(file.size()));
    std::vector<MarkerSegment> segments;
    EXPECT_TRUE(readJpegSegments(in, false, segments));
    return segments;
}

// A file written by libjpeg itself rather than by our writer: width x height samples of
// `components` in `space`, libjpeg's default settings changed by tune(c), each row filled by
// fillRow(y, row).
template <class Tune, class FillRow>
std::vector<uint8_t> encodeByLibjpeg(int32_t width, int32_t height, int components, J_COLOR_SPACE space, Tune tune,
                                     FillRow fillRow) {
    jpeg_compress_struct c{};
    jpeg_error_mgr errors{};
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &memory, &size);
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    c.input_components = components;
    c.in_color_space = space;
    jpeg_set_defaults(&c);
    tune(c);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(size_t(width) * size_t(components));
    while (c.next_scanline < c.image_height) {
        fillRow(int32_t(c.next_scanline), row.data());
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&c, &rowPointer, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> file(memory, memory + size);
    std::free(memory);
    return file;
}

MarkerSegment segment(int32_t code, const std::string& payload) {
    MarkerSegment s;
    s.code = code;
    const size_t length = payload.size() + 2;
    s.bytes.resize(length);
    s.bytes[0] = uint8_t(length >> 8);
    s.bytes[1] = uint8_t(length);
    std::copy(payload.begin(), payload.end(), s.bytes.begin() + 2);
    return s;
}

MarkerSegment exifSegment() { return segment(kTagExif, std::string("Exif\0\0MM\0*\0\0\0\x08", 14)); }

MarkerSegment photoshopSegment() {
    // one 8BIM block, IPTC (0x0404), empty name, 4 bytes of data
    return segment(kTagPhotoshop, std::string("Photoshop 3.0\0" "8BIM\x04\x04\0\0\0\0\0\x04" "abcd", 30));
}

TEST(JpegQuality, UserQualityMapsToLibraryQuality) {
    EXPECT_EQ(jpegLibraryQuality(95), 93);
    EXPECT_EQ(jpegLibraryQuality(100), 98);
    EXPECT_EQ(jpegLibraryQuality(0), 5);
    EXPECT_EQ(jpegLibraryQuality(-20), 5);
    EXPECT_EQ(jpegLibraryQuality(500), 98);
    EXPECT_EQ(jpegLibraryQuality(50), 52);
}

// Sampling factors of the first component in the start-of-frame segment.
int firstSampling(const std::vector<uint8_t>& file) {
    for (const MarkerSegment& s : segmentsOf(file))
        if (s.code == 0xC0 || s.code == 0xC1 || s.code == 0xC2)
            return s.bytes[9];
    return -1;
}

TEST(JpegWrite, ChromaIsSubsampledBelowTheThreshold) {
    JpegImage image;
    image.color = test::patternSurface(32, 32);
    EXPECT_EQ(firstSampling(saveJpeg(image)), 0x22); // quality 93: library default 2x2
    image.settings.quality = 100;
    EXPECT_EQ(firstSampling(saveJpeg(image)), 0x11);
}

TEST(JpegRoundTrip, DecodesCloseToTheSource) {
    JpegImage image;
    image.color = test::patternSurface(61, 47);
    const auto file = saveJpeg(image);
    JpegImage back;
    ASSERT_TRUE(JpegCodec().loadFromMemory(back, file.data(), file.size(), false));
    EXPECT_EQ(back.bitDepth, 24);
    EXPECT_EQ(back.color.width(), 61);
    EXPECT_EQ(back.color.height(), 47);
    const auto a = test::toRgba(back.color), e = test::toRgba(image.color);
    EXPECT_LE(test::maxDifference(a, e, false), 24);
    long total = 0;
    for (size_t i = 0; i < a.bgra.size(); ++i)
        total += std::abs(int(a.bgra[i]) - int(e.bgra[i]));
    EXPECT_LT(double(total) / double(a.bgra.size()), 2.5);

    JpegImage header;
    ASSERT_TRUE(JpegCodec().loadFromMemory(header, file.data(), file.size(), true));
    EXPECT_EQ(header.width, 61);
    EXPECT_TRUE(header.color.isEmpty());
}

TEST(JpegRoundTrip, GrayscaleLoadsWithEqualChannels) {
    JpegImage image;
    image.color = test::patternSurface(16, 16);
    image.settings.flags = JpegSaveSettings::kGrayscale;
    const auto file = saveJpeg(image);
    JpegImage back;
    ASSERT_TRUE(JpegCodec().loadFromMemory(back, file.data(), file.size(), false));
    EXPECT_EQ(back.bitDepth, 8);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) {
            const uint8_t* p = back.color.row(y) + 3 * x;
            ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]);
        }
}

TEST(JpegRead, CmykUsesTheInvertedChannelsAndBlack) {
    const std::vector<uint8_t> file = encodeByLibjpeg(
        8, 8, 4, JCS_CMYK, [](jpeg_compress_struct& c) { jpeg_set_quality(&c, 100, TRUE); },
        [](int32_t, uint8_t* row) {
            for (int x = 0; x < 8; ++x) {
                row[4 * size_t(x)] = 200;
                row[4 * size_t(x) + 1] = 100;
                row[4 * size_t(x) + 2] = 50;
                row[4 * size_t(x) + 3] = 128;
            }
        });

    JpegImage image;
    ASSERT_TRUE(JpegCodec().loadFromMemory(image, file.data(), file.size(), false));
    EXPECT_EQ(image.bitDepth, 32);
    const uint8_t* p = image.color.row(4) + 12;
    EXPECT_NEAR(p[0], 50 * 128 / 255, 2);
    EXPECT_NEAR(p[1], 100 * 128 / 255, 2);
    EXPECT_NEAR(p[2], 200 * 128 / 255, 2);
}

TEST(JpegRead, TruncatedDataDecodesAsFarAsItGoesEmptyDataFails) {
    JpegImage image;
    image.color = test::patternSurface(64, 64);
    const auto file = saveJpeg(image);
    JpegImage back;
    ASSERT_TRUE(JpegCodec().loadFromMemory(back, file.data(), file.size() * 2 / 3, false));
    EXPECT_EQ(back.color.height(), 64);
    EXPECT_FALSE(JpegCodec().loadFromMemory(back, file.data(), 100, false));
    EXPECT_TRUE(back.color.isEmpty());
    const uint8_t notJpeg[4] = {1, 2, 3, 4};
    EXPECT_FALSE(JpegCodec().loadFromMemory(back, notJpeg, 4, false));
}

// A gray progressive JPEG of a diagonal ramp made by libjpeg itself.
std::vector<uint8_t> grayProgressiveJpeg(int32_t width, int32_t height) {
    return encodeByLibjpeg(
        width, height, 1, JCS_GRAYSCALE, [](jpeg_compress_struct& c) { jpeg_simple_progression(&c); },
        [width](int32_t y, uint8_t* row) {
            for (int32_t x = 0; x < width; ++x)
                row[size_t(x)] = uint8_t((x * 3 + y * 5) ^ (x * y));
        });
}

struct JumpingErrors {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

// What libjpeg's own memory source decodes from the bytes (it also feeds end-of-image markers
// once the data runs out); empty when libjpeg gives up on them.
std::vector<uint8_t> grayByLibjpeg(const std::vector<uint8_t>& bytes, size_t size, int32_t width, int32_t height) {
    std::vector<uint8_t> pixels(size_t(width) * size_t(height));
    jpeg_decompress_struct d{};
    JumpingErrors errors{};
    d.err = jpeg_std_error(&errors.manager);
    errors.manager.emit_message = [](j_common_ptr, int) {};
    errors.manager.error_exit = [](j_common_ptr common) {
        std::longjmp(reinterpret_cast<JumpingErrors*>(common->err)->back, 1);
    };
    jpeg_create_decompress(&d);
    if (setjmp(errors.back)) {
        jpeg_destroy_decompress(&d);
        pixels.clear();
        return pixels;
    }
    jpeg_mem_src(&d, bytes.data(), static_cast<unsigned long>(size));
    jpeg_read_header(&d, TRUE);
    jpeg_start_decompress(&d);
    while (d.output_scanline < d.output_height) {
        JSAMPROW rowPointer = pixels.data() + size_t(d.output_scanline) * size_t(width);
        jpeg_read_scanlines(&d, &rowPointer, 1);
    }
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    return pixels;
}

TEST(JpegRead, CutShortFilesDecodeAsLibjpegsOwnMemorySourceDoes) {
    const int32_t width = 48, height = 40;
    const auto file = grayProgressiveJpeg(width, height);
    int32_t decoded = 0;
    for (size_t cut = file.size(); cut > file.size() / 4; cut -= 7) {
        SCOPED_TRACE(cut);
        const auto expected = grayByLibjpeg(file, cut, width, height);
        JpegImage image;
        const bool loaded = JpegCodec().loadFromMemory(image, file.data(), cut, false);
        ASSERT_EQ(loaded, !expected.empty());
        if (!loaded)
            continue;
        ++decoded;
        ASSERT_EQ(image.color.width(), width);
        ASSERT_EQ(image.color.height(), height);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                ASSERT_EQ(image.color.row(y)[3 * x], expected[size_t(y) * size_t(width) + size_t(x)]) << x << "," << y;
    }
    EXPECT_GT(decoded, 10);
}

TEST(JpegSegments, ExifAndPhotoshopSurviveALoadAndSave) {
    JpegImage image;
    image.color = test::patternSurface(16, 8);
    image.segments = {exifSegment(), photoshopSegment()};
    const auto first = saveJpeg(image);
    ASSERT_EQ(first[2], 0xFF);
    EXPECT_EQ(first[3], 0xE1); // Exif right after SOI: no default JFIF

    JpegImage loaded;
    ASSERT_TRUE(JpegCodec().loadFromMemory(loaded, first.data(), first.size(), false));
    ASSERT_EQ(loaded.segments.size(), 2u);
    EXPECT_EQ(loaded.segments[0].code, kTagExif);
    EXPECT_EQ(loaded.segments[1].code, kTagPhotoshop);
    EXPECT_EQ(loaded.segments[1].bytes, photoshopSegment().bytes);

    const auto second = saveJpeg(loaded);
    const auto segments = segmentsOf(second);
    ASSERT_GE(segments.size(), 4u);
    EXPECT_EQ(segments[0].code, kTagExif);
    EXPECT_EQ(segments[1].code, kTagPhotoshop);
    for (const MarkerSegment& s : segments)
        EXPECT_NE(s.code, kTagJfif);
    JpegImage decoded;
    EXPECT_TRUE(JpegCodec().loadFromMemory(decoded, second.data(), second.size(), false));
}

TEST(JpegSegments, JfifOnlyFilesGetTheLibraryHeaderBack) {
    JpegImage image;
    image.color = test::patternSurface(8, 8);
    const auto plain = saveJpeg(image);
    JpegImage loaded;
    ASSERT_TRUE(JpegCodec().loadFromMemory(loaded, plain.data(), plain.size(), false));
    EXPECT_TRUE(loaded.segments.empty()); // the JFIF segment is not kept
    const auto again = saveJpeg(loaded);
    EXPECT_EQ(std::memcmp(again.data() + 6, "JFIF", 4), 0);
    EXPECT_EQ(again[13], 0); // the library's density unit, not the 300 dpi default segment
    int applications = 0;
    MemoryStream in(again.data(), int64_t(again.size()));
    std::vector<MarkerSegment> all;
    ASSERT_TRUE(readJpegSegments(in, false, all));
    for (const MarkerSegment& s : all)
        applications += isApplicationSegment(s.code);
    EXPECT_EQ(applications, 0); // JFIF is read and dropped; nothing else is there
}

TEST(JpegSegments, OtherFirstSegmentsGetTheDefaultJfif) {
    JpegImage image;
    image.color = test::patternSurface(8, 8);
    image.segments = {photoshopSegment(), segment(0xE2, "ICC_PROFILE")};
    const auto file = saveJpeg(image);
    EXPECT_EQ(std::memcmp(file.data() + 2, kDefaultJfifSegment, sizeof kDefaultJfifSegment), 0);
    const auto segments = segmentsOf(file);
    EXPECT_EQ(segments[0].code, kTagPhotoshop);
    EXPECT_EQ(segments[1].code, 0xE2);
}

TEST(JpegSegments, ReaderRejectsMalformedMarkers) {
    std::vector<MarkerSegment> segments;
    const uint8_t noStart[] = {0xFF, 0xD9};
    MemoryStream a(noStart, 2);
    EXPECT_FALSE(readJpegSegments(a, false, segments));
    const uint8_t earlyEnd[] = {0xFF, 0xD8, 0xFF, 0xD9};
    MemoryStream b(earlyEnd, 4);
    EXPECT_FALSE(readJpegSegments(b, false, segments));
    const uint8_t fill[] = {0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xE0, 0, 2};
    MemoryStream c(fill, sizeof fill);
    EXPECT_FALSE(readJpegSegments(c, false, segments)); // six fill bytes
    const uint8_t shortLength[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 1};
    MemoryStream d(shortLength, sizeof shortLength);
    EXPECT_FALSE(readJpegSegments(d, false, segments));
    const uint8_t cut[] = {0xFF, 0xD8, 0xFF, 0xE1, 0, 40, 'E'};
    MemoryStream e(cut, sizeof cut);
    EXPECT_FALSE(readJpegSegments(e, false, segments));

    MemoryStream out;
    ASSERT_TRUE(out.openOwned());
    EXPECT_FALSE(writeJpegSegments(out, {exifSegment()})); // no scan: nothing written
    EXPECT_EQ(out.size(), 0);
}

TEST(JpegSegments, PhotoshopBlocksAreWalkedWithinThePayload) {
    const uint8_t block[] = {'8', 'B', 'I', 'M', 0x04, 0x04, 3, 'a', 'b', 'c', 0, 0, 0, 1, 'x', 0};
    EXPECT_TRUE(photoshopHasResource(block, sizeof block, 0x0404));
    EXPECT_FALSE(photoshopHasResource(block, sizeof block - 2, 0x0404)); // data beyond the payload
    EXPECT_FALSE(photoshopHasResource(block, sizeof block, 0x0405));
}

} // namespace
} // namespace pict
