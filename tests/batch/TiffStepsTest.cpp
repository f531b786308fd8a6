// The TIFF save steps before -o: --tiff-compression, --tiff-depth and --tiff-color, what
// they write, and the values and combinations they refuse.
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <set>
#include <string>
#include <vector>

namespace pict::test {
namespace {

struct Tags {
    uint16_t compression = 0, bits = 0, samples = 0, photometric = 0;
};

Tags tagsOf(const std::string& path) {
    Tags tags;
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff)
        return tags;
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &tags.compression);
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &tags.bits);
    TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &tags.samples);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &tags.photometric);
    TIFFClose(tiff);
    return tags;
}

uint32_t sourceColor(int32_t x, int32_t y) {
    return uint32_t((x * 37 + y * 11) & 0xFF) << 16 | uint32_t((x * y) & 0xFF) << 8 | uint32_t((x ^ y) * 5 & 0xFF);
}

std::string source() {
    const std::string path = scratchPath("tiff-source.png");
    writeImage(path, 40, 30, sourceColor);
    return path;
}

TEST(TiffSteps, WithoutStepsATiffIsEightBitRgbWithLzw) {
    const std::string out = scratchPath("plain.tif");
    ASSERT_EQ(runCli({source(), "-o", out}).code, 0);
    const Tags tags = tagsOf(out);
    EXPECT_EQ(tags.compression, COMPRESSION_LZW);
    EXPECT_EQ(tags.bits, 8);
    EXPECT_EQ(tags.samples, 3);
    EXPECT_EQ(tags.photometric, PHOTOMETRIC_RGB);
}

TEST(TiffSteps, EachStepChoosesWhatTheNextTiffHolds) {
    struct Case {
        std::vector<std::string> steps;
        Tags tags;
    };
    const Case cases[] = {
        {{"--tiff-compression", "none"}, {COMPRESSION_NONE, 8, 3, PHOTOMETRIC_RGB}},
        {{"--tiff-compression", "deflate"}, {COMPRESSION_ADOBE_DEFLATE, 8, 3, PHOTOMETRIC_RGB}},
        {{"--tiff-compression", "packbits"}, {COMPRESSION_PACKBITS, 8, 3, PHOTOMETRIC_RGB}},
        {{"--tiff-compression", "jpeg"}, {COMPRESSION_JPEG, 8, 3, PHOTOMETRIC_YCBCR}},
        {{"--tiff-depth", "16"}, {COMPRESSION_LZW, 16, 3, PHOTOMETRIC_RGB}},
        {{"--tiff-color", "gray", "--tiff-depth", "16"}, {COMPRESSION_LZW, 16, 1, PHOTOMETRIC_MINISBLACK}},
        {{"--tiff-color", "gray", "--tiff-compression", "jpeg"}, {COMPRESSION_JPEG, 8, 1, PHOTOMETRIC_MINISBLACK}},
        {{"--tiff-color", "palette"}, {COMPRESSION_LZW, 8, 1, PHOTOMETRIC_PALETTE}},
        {{"--tiff-color", "bilevel", "--tiff-compression", "packbits"}, {COMPRESSION_PACKBITS, 1, 1, PHOTOMETRIC_MINISBLACK}},
        // The last of each step counts.
        {{"--tiff-depth", "16", "--tiff-depth", "8", "--tiff-compression", "jpeg"}, {COMPRESSION_JPEG, 8, 3, PHOTOMETRIC_YCBCR}},
    };
    const std::string from = source();
    int index = 0;
    for (const Case& c : cases) {
        const std::string out = scratchPath("case" + std::to_string(index++) + ".tif");
        std::vector<std::string> arguments{from};
        arguments.insert(arguments.end(), c.steps.begin(), c.steps.end());
        arguments.insert(arguments.end(), {"-o", out});
        const CliRun run = runCli(arguments);
        ASSERT_EQ(run.code, 0) << run.err;
        const Tags tags = tagsOf(out);
        SCOPED_TRACE(out);
        EXPECT_EQ(tags.compression, c.tags.compression);
        EXPECT_EQ(tags.bits, c.tags.bits);
        EXPECT_EQ(tags.samples, c.tags.samples);
        EXPECT_EQ(tags.photometric, c.tags.photometric);
    }
}

TEST(TiffSteps, WhatTheChoicesWriteReadsBackAsExpected) {
    const std::string from = source();
    const DecodedImage original = readImage(from);
    // 16-bit RGB keeps every value.
    const std::string deep = scratchPath("deep.tif");
    ASSERT_EQ(runCli({from, "--tiff-depth", "16", "--tiff-compression", "deflate", "-o", deep}).code, 0);
    EXPECT_EQ(readImage(deep).color, original.color);
    // Gray: every pixel its luminance.
    const std::string gray = scratchPath("gray.tif");
    ASSERT_EQ(runCli({from, "--tiff-color", "gray", "-o", gray}).code, 0);
    const DecodedImage grayRead = readImage(gray);
    for (int32_t y = 0; y < 30; ++y)
        for (int32_t x = 0; x < 40; ++x) {
            const uint32_t c = original.at(x, y);
            const uint32_t level = (59 * (c >> 8 & 0xFF) + 30 * (c >> 16 & 0xFF) + 11 * (c & 0xFF) + 50) / 100;
            ASSERT_EQ(grayRead.at(x, y), level << 16 | level << 8 | level) << x << "," << y;
        }
    // Black and white: only black and white.
    const std::string bilevel = scratchPath("bilevel.tif");
    ASSERT_EQ(runCli({from, "--tiff-color", "bilevel", "-o", bilevel}).code, 0);
    const DecodedImage bilevelRead = readImage(bilevel);
    EXPECT_EQ(std::set<uint32_t>(bilevelRead.color.begin(), bilevelRead.color.end()),
              (std::set<uint32_t>{0u, 0xFFFFFFu}));
}

TEST(TiffSteps, BadValuesAreRefusedBeforeAnythingIsWritten) {
    const std::string from = source();
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--tiff-compression", "zip"}, {"--tiff-compression", "lzw2"},
          {"--tiff-compression", ""}, {"--tiff-depth", "12"}, {"--tiff-depth", "8bit"}, {"--tiff-depth", "32"},
          {"--tiff-color", "grey"}, {"--tiff-color", "cmyk"}, {"--tiff-color", "bw"}}) {
        const std::string target = scratchPath("refused.tif");
        const CliRun run = runCli({from, bad[0], bad[1], "-o", target});
        EXPECT_EQ(run.code, 2) << bad[0] << " " << bad[1];
        EXPECT_TRUE(contains(run.err, bad[0])) << run.err;
        EXPECT_TRUE(fileBytes(target).empty()) << bad[0] << " " << bad[1];
    }
}

TEST(TiffSteps, ChoicesThatCannotGoTogetherFailTheSaveWithTheReasonAndWriteNothing) {
    const std::string from = source();
    struct Bad {
        std::vector<std::string> steps;
        const char* reason;
    };
    const Bad cases[] = {
        {{"--tiff-compression", "jpeg", "--tiff-depth", "16"}, "JPEG compression holds 8-bit samples only"},
        {{"--tiff-depth", "16", "--tiff-compression", "jpeg"}, "JPEG compression holds 8-bit samples only"},
        {{"--tiff-color", "palette", "--tiff-compression", "jpeg"}, "not a palette file"},
        {{"--tiff-color", "bilevel", "--tiff-depth", "16"}, "a black and white file holds 1 bit per pixel"},
        {{"--tiff-color", "palette", "--tiff-depth", "16"}, "a palette file holds 8-bit indices"},
    };
    for (const Bad& bad : cases) {
        const std::string target = scratchPath("impossible.tif");
        std::vector<std::string> arguments{from};
        arguments.insert(arguments.end(), bad.steps.begin(), bad.steps.end());
        arguments.insert(arguments.end(), {"-o", target});
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.code, 1);
        EXPECT_TRUE(contains(run.err, bad.reason)) << run.err;
        EXPECT_TRUE(contains(run.err, "-o")) << run.err;
        EXPECT_TRUE(fileBytes(target).empty());
    }
    // Other kinds of file do not care about the TIFF choices.
    const std::string png = scratchPath("unaffected.png");
    EXPECT_EQ(runCli({from, "--tiff-compression", "jpeg", "--tiff-depth", "16", "-o", png}).code, 0);
    EXPECT_EQ(readImage(png).color, readImage(from).color);
}

} // namespace
} // namespace pict::test
