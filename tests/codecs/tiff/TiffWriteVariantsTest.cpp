// Every TIFF save choice written by our writer and read back by our reader, against the
// pixels the choice should give worked out plainly here; the tags as libtiff itself reads
// them; the choices that cannot go together.
#include "codecs/tiff/TiffCodec.h"

#include "codecs/CodecTestSupport.h"
#include "support/TestData.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <vector>

namespace pict {
namespace {

namespace fs = std::filesystem;
using namespace test;

constexpr TiffCompression kCompressions[] = {TiffCompression::None, TiffCompression::Lzw, TiffCompression::Deflate,
                                             TiffCompression::PackBits, TiffCompression::Jpeg};
constexpr TiffDepth kDepths[] = {TiffDepth::Bits8, TiffDepth::Bits16};
constexpr TiffColor kColors[] = {TiffColor::Rgb, TiffColor::Gray, TiffColor::Palette, TiffColor::Bilevel};

// Every choice, colors outermost and compressions innermost.
std::vector<TiffSaveSettings> everyChoice() {
    std::vector<TiffSaveSettings> all;
    for (TiffColor color : kColors)
        for (TiffDepth depth : kDepths)
            for (TiffCompression compression : kCompressions)
                all.push_back({compression, depth, color});
    return all;
}

// Written plainly: which choices go together.
bool expectedValid(const TiffSaveSettings& s) {
    const bool indexed = s.color == TiffColor::Palette || s.color == TiffColor::Bilevel;
    const bool sixteen = s.depth == TiffDepth::Bits16;
    const bool jpeg = s.compression == TiffCompression::Jpeg;
    return !(sixteen && indexed) && !(jpeg && indexed) && !(jpeg && sixteen);
}

std::string describe(const TiffSaveSettings& s) {
    return "compression " + std::to_string(int(s.compression)) + ", depth " + std::to_string(int(s.depth)) +
           ", color " + std::to_string(int(s.color));
}

std::vector<uint8_t> write(const Surface24& color, const Surface8* alpha, const TiffSaveSettings& settings) {
    MemoryStream out;
    if (!out.openOwned() || !writeTiff(out, color, alpha, settings))
        return {};
    return out.ownedBytes();
}

bool decode(const std::vector<uint8_t>& file, Surface24& color, Surface8& alpha) {
    MemoryStream in(file.data(), int64_t(file.size()));
    ReadReport report;
    return readTiff(in, color, alpha, report) && !report.endsEarly;
}

// A picture of at most `colors` different colors (of a fixed scattered set).
Surface24 fewColors(int32_t width, int32_t height, int32_t colors) {
    Surface24 surface;
    surface.create(width, height, 24);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t k = uint32_t((x * 7 + y * 13) % colors);
            uint8_t* p = surface.row(y) + 3 * x;
            p[0] = uint8_t(k * 37 % 256);
            p[1] = uint8_t(k * 101 % 256);
            p[2] = uint8_t(k * 59 % 256 ^ k >> 3);
        }
    return surface;
}

// ---- plain references ----

uint8_t luminance(const uint8_t* bgr) { return uint8_t((59 * bgr[1] + 30 * bgr[2] + 11 * bgr[0] + 50) / 100); }

// What a pixel the file cannot keep see-through becomes: moved toward white by 255 - alpha,
// wholly white where it was wholly transparent.
uint8_t overWhite(uint8_t value, uint8_t alpha) {
    return alpha == 0 ? 255 : uint8_t(value + (((255 - value) * (255 - alpha)) >> 8));
}

// The expected picture of a choice, as 8-bit blue, green, red, alpha; palette files are
// expected only for pictures of at most 256 colors (which they keep exactly).
Rgba8 expectedPicture(const Surface24& color, const Surface8* alpha, TiffColor layout, bool keepsAlpha) {
    Rgba8 out = toRgba(color, keepsAlpha ? alpha : nullptr);
    for (int32_t y = 0; y < color.height(); ++y)
        for (int32_t x = 0; x < color.width(); ++x) {
            uint8_t* p = out.bgra.data() + 4 * (size_t(y) * size_t(color.width()) + size_t(x));
            if (alpha && !keepsAlpha)
                for (int k = 0; k < 3; ++k)
                    p[k] = overWhite(p[k], alpha->row(y)[x]);
            const uint8_t gray = luminance(p);
            if (layout == TiffColor::Gray)
                p[0] = p[1] = p[2] = gray;
            else if (layout == TiffColor::Bilevel)
                p[0] = p[1] = p[2] = gray >= 128 ? 255 : 0;
        }
    return out;
}

// ---- the tags, as libtiff reads the file ----

struct Tags {
    uint16_t bits = 0, samples = 0, photometric = 0, compression = 0, predictor = 0, extraSamples = 0;
    uint16_t extraKind = 0;
    bool colormap = false;
    std::vector<uint16_t> firstRow16; // the first row's samples of a 16-bit file
};

Tags tagsOf(const std::vector<uint8_t>& file) {
    Tags tags;
    const fs::path path = scratchDir() / "tiff-variant-tags.tif";
    writeWholeFile(path, file);
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff)
        return tags;
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &tags.bits);
    TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &tags.samples);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &tags.photometric);
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &tags.compression);
    tags.predictor = PREDICTOR_NONE;
    if (tags.compression == COMPRESSION_LZW || tags.compression == COMPRESSION_ADOBE_DEFLATE)
        TIFFGetField(tiff, TIFFTAG_PREDICTOR, &tags.predictor);
    uint16_t* extra = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &tags.extraSamples, &extra) && tags.extraSamples > 0)
        tags.extraKind = extra[0];
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    tags.colormap = TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue) == 1;
    if (tags.bits == 16 && tags.compression != COMPRESSION_JPEG) {
        std::vector<uint8_t> line(size_t(TIFFScanlineSize64(tiff)));
        if (TIFFReadScanline(tiff, line.data(), 0, 0) == 1) {
            tags.firstRow16.resize(line.size() / 2);
            std::memcpy(tags.firstRow16.data(), line.data(), line.size());
        }
    }
    TIFFClose(tiff);
    return tags;
}

// ---- every lossless choice ----

TEST(TiffWriteVariants, EveryLosslessChoiceReadsBackAsItsPlainReference) {
    const Surface24 photo = patternSurface(45, 23, 3);
    const Surface24 paletted = fewColors(45, 23, 200);
    const Surface8 alpha = rampAlpha(45, 23, 9, 5);
    // Over white, a palette picture must stay within 256 colors to be kept exactly.
    Surface8 cutOut = rampAlpha(45, 23, 9, 5);
    for (int32_t y = 0; y < 23; ++y)
        for (int32_t x = 0; x < 45; ++x)
            cutOut.row(y)[x] = cutOut.row(y)[x] < 128 ? 0 : 255;
    for (const TiffSaveSettings& settings : everyChoice()) {
        const auto [compression, depth, layout] = settings;
        if (compression == TiffCompression::Jpeg || !expectedValid(settings))
            continue;
        const Surface24& color = layout == TiffColor::Palette ? paletted : photo;
        const Surface8* const alphas[] = {nullptr, layout == TiffColor::Palette ? &cutOut : &alpha};
        for (const Surface8* withAlpha : alphas) {
            SCOPED_TRACE(describe(settings) + (withAlpha ? ", with alpha" : ""));
            const bool keepsAlpha = layout == TiffColor::Rgb || layout == TiffColor::Gray;
            EXPECT_EQ(tiffKeepsTransparency(settings), keepsAlpha);
            const std::vector<uint8_t> file = write(color, withAlpha, settings);
            ASSERT_FALSE(file.empty());
            Surface24 readColor;
            Surface8 readAlpha;
            ASSERT_TRUE(decode(file, readColor, readAlpha));
            const bool alphaRead = !readAlpha.isEmpty();
            EXPECT_EQ(alphaRead, withAlpha && keepsAlpha);
            const Rgba8 expected = expectedPicture(color, withAlpha, layout, keepsAlpha);
            const Rgba8 actual = toRgba(readColor, alphaRead ? &readAlpha : nullptr);
            const int difference = maxDifference(actual, expected, true);
            EXPECT_EQ(difference, 0) << savePair("tiff-variant", actual, expected);
        }
    }
}

TEST(TiffWriteVariants, TheTagsSayWhatEachChoiceWrote) {
    const Surface24 color = patternSurface(21, 19, 4);
    const Surface8 alpha = rampAlpha(21, 19, 9, 5);
    const uint16_t compressionTags[] = {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE,
                                        COMPRESSION_PACKBITS, COMPRESSION_JPEG};
    for (const TiffSaveSettings& settings : everyChoice())
        for (const Surface8* withAlpha : {static_cast<const Surface8*>(nullptr), &alpha}) {
            if (!expectedValid(settings))
                continue;
            const auto [compression, depth, layout] = settings;
            SCOPED_TRACE(describe(settings) + (withAlpha ? ", with alpha" : ""));
            const Tags tags = tagsOf(write(color, withAlpha, settings));
            const bool jpeg = compression == TiffCompression::Jpeg;
            const bool keepsAlpha = withAlpha && !jpeg && (layout == TiffColor::Rgb || layout == TiffColor::Gray);
            const uint16_t colorSamples = layout == TiffColor::Rgb ? 3 : 1;
            EXPECT_EQ(tags.compression, compressionTags[int(compression)]);
            EXPECT_EQ(tags.samples, colorSamples + (keepsAlpha ? 1 : 0));
            EXPECT_EQ(tags.extraSamples, keepsAlpha ? 1 : 0);
            EXPECT_EQ(tags.extraKind, keepsAlpha ? EXTRASAMPLE_UNASSALPHA : 0);
            EXPECT_EQ(tags.colormap, layout == TiffColor::Palette);
            switch (layout) {
            case TiffColor::Rgb:
                EXPECT_EQ(tags.photometric, jpeg ? PHOTOMETRIC_YCBCR : PHOTOMETRIC_RGB);
                EXPECT_EQ(tags.bits, depth == TiffDepth::Bits16 ? 16 : 8);
                break;
            case TiffColor::Gray:
                EXPECT_EQ(tags.photometric, PHOTOMETRIC_MINISBLACK);
                EXPECT_EQ(tags.bits, depth == TiffDepth::Bits16 ? 16 : 8);
                break;
            case TiffColor::Palette:
                EXPECT_EQ(tags.photometric, PHOTOMETRIC_PALETTE);
                EXPECT_EQ(tags.bits, 8);
                break;
            case TiffColor::Bilevel:
                EXPECT_EQ(tags.photometric, PHOTOMETRIC_MINISBLACK);
                EXPECT_EQ(tags.bits, 1);
                break;
            }
            // The predictor only where it helps: LZW and Deflate on levels.
            const bool predicted = (compression == TiffCompression::Lzw || compression == TiffCompression::Deflate) &&
                                   (layout == TiffColor::Rgb || layout == TiffColor::Gray);
            EXPECT_EQ(tags.predictor, predicted ? PREDICTOR_HORIZONTAL : PREDICTOR_NONE);
        }
}

TEST(TiffWriteVariants, SixteenBitSamplesAreTheEightBitValuesTimes257) {
    const Surface24 color = patternSurface(13, 5, 8);
    const Surface8 alpha = rampAlpha(13, 5, 9, 5);
    for (TiffColor layout : {TiffColor::Rgb, TiffColor::Gray}) {
        SCOPED_TRACE(int(layout));
        const Tags tags = tagsOf(write(color, &alpha, {TiffCompression::Deflate, TiffDepth::Bits16, layout}));
        std::vector<uint16_t> expected;
        const uint8_t* p = color.row(0);
        for (int32_t x = 0; x < 13; ++x, p += 3) {
            if (layout == TiffColor::Rgb)
                expected.insert(expected.end(), {uint16_t(p[2] * 257), uint16_t(p[1] * 257), uint16_t(p[0] * 257)});
            else
                expected.push_back(uint16_t(luminance(p) * 257));
            expected.push_back(uint16_t(alpha.row(0)[x] * 257));
        }
        EXPECT_EQ(tags.firstRow16, expected);
    }
}

// ---- palettes ----

TEST(TiffWriteVariants, APaletteFileKeepsUpTo256ColorsExactlyAndReducesMore) {
    // Exactly 256 colors: still every one of them.
    const Surface24 exact = fewColors(64, 40, 256);
    Surface24 readColor;
    Surface8 readAlpha;
    ASSERT_TRUE(decode(write(exact, nullptr, {TiffCompression::Lzw, TiffDepth::Bits8, TiffColor::Palette}), readColor,
                       readAlpha));
    EXPECT_EQ(maxDifference(toRgba(readColor), toRgba(exact), false), 0);

    // A photograph: at most 256 colors, each pixel near its own.
    const Surface24 photo = patternSurface(80, 60, 9);
    ASSERT_TRUE(decode(write(photo, nullptr, {TiffCompression::Lzw, TiffDepth::Bits8, TiffColor::Palette}), readColor,
                       readAlpha));
    std::set<uint32_t> colors;
    int64_t totalError = 0;
    for (int32_t y = 0; y < 60; ++y)
        for (int32_t x = 0; x < 80; ++x) {
            const uint8_t* a = readColor.row(y) + 3 * x;
            const uint8_t* b = photo.row(y) + 3 * x;
            colors.insert(uint32_t(a[0]) | uint32_t(a[1]) << 8 | uint32_t(a[2]) << 16);
            for (int k = 0; k < 3; ++k)
                totalError += std::abs(int(a[k]) - int(b[k]));
        }
    EXPECT_LE(colors.size(), 256u);
    EXPECT_GT(colors.size(), 16u);
    EXPECT_LT(double(totalError) / (80.0 * 60.0 * 3.0), 6.0);
}

// ---- JPEG compression ----

TEST(TiffWriteVariants, JpegCompressedFilesComeBackCloseAndOverWhite) {
    const Surface24 color = patternSurface(64, 48, 6);
    Surface8 seeThrough;
    seeThrough.create(64, 48, 8);
    Surface8& alpha = seeThrough;
    alpha.fillValue(255);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 64; ++x)
            alpha.row(y)[x] = 0; // the top third see-through
    const Surface8* const alphas[] = {nullptr, &alpha};
    for (TiffColor layout : {TiffColor::Rgb, TiffColor::Gray})
        for (const Surface8* withAlpha : alphas) {
            SCOPED_TRACE(std::to_string(int(layout)) + (withAlpha ? ", with alpha" : ""));
            Surface24 readColor;
            Surface8 readAlpha;
            ASSERT_TRUE(
                decode(write(color, withAlpha, {TiffCompression::Jpeg, TiffDepth::Bits8, layout}), readColor, readAlpha));
            EXPECT_TRUE(readAlpha.isEmpty());
            const Rgba8 expected = expectedPicture(color, withAlpha, layout, false);
            const Rgba8 actual = toRgba(readColor);
            int64_t totalError = 0;
            for (size_t i = 0; i < actual.bgra.size(); ++i)
                totalError += std::abs(int(actual.bgra[i]) - int(expected.bgra[i]));
            EXPECT_LT(double(totalError) / double(actual.bgra.size()), 2.5) << savePair("tiff-jpeg", actual, expected);
            EXPECT_LE(maxDifference(actual, expected, false), 48) << savePair("tiff-jpeg", actual, expected);
        }
}

// ---- choices that cannot go together ----

TEST(TiffWriteVariants, ImpossibleChoicesAreRefusedWithAReasonAndWriteNothing) {
    const Surface24 color = patternSurface(9, 7, 2);
    int refused = 0;
    for (const TiffSaveSettings& settings : everyChoice()) {
        SCOPED_TRACE(describe(settings));
        const std::string reason = tiffSettingsRefusal(settings);
        EXPECT_EQ(reason.empty(), expectedValid(settings)) << reason;
        MemoryStream out;
        ASSERT_TRUE(out.openOwned());
        EXPECT_EQ(writeTiff(out, color, nullptr, settings), expectedValid(settings));
        if (!expectedValid(settings)) {
            EXPECT_TRUE(out.ownedBytes().empty());
            ++refused;
        }
    }
    EXPECT_EQ(refused, 40 - 26); // 9 RGB, 9 gray, 4 palette and 4 black and white choices remain
    EXPECT_EQ(tiffSettingsRefusal({TiffCompression::Jpeg, TiffDepth::Bits16, TiffColor::Rgb}),
              "JPEG compression holds 8-bit samples only, not 16-bit");
    EXPECT_EQ(tiffSettingsRefusal({TiffCompression::Lzw, TiffDepth::Bits16, TiffColor::Palette}),
              "a palette file holds 8-bit indices, not 16-bit samples");
    EXPECT_EQ(tiffSettingsRefusal({TiffCompression::Jpeg, TiffDepth::Bits8, TiffColor::Bilevel}),
              "JPEG compression is for RGB and grayscale files, not a black and white file");
}

// ---- another reader ----

TEST(TiffWriteVariants, ImageMagickReadsEveryChoice) {
    if (std::system("command -v identify >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    const Surface24 color = patternSurface(17, 11, 5);
    const Surface8 alpha = rampAlpha(17, 11, 9, 5);
    int index = 0;
    for (const TiffSaveSettings& settings : everyChoice()) {
        if (!expectedValid(settings))
            continue;
        SCOPED_TRACE(describe(settings));
        const fs::path path = scratchDir() / ("tiff-identify-" + std::to_string(index++) + ".tif");
        writeWholeFile(path, write(color, &alpha, settings));
        const std::string command = "identify -regard-warnings '" + path.string() + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
}

} // namespace
} // namespace pict
