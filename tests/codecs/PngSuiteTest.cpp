// Every PngSuite file against libpng's simplified API as the trusted decoder, and every
// corrupted "x" file refused.
#include "codecs/PngCodec.h"

#include "codecs/CodecTestSupport.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <map>

namespace pict {
namespace {

std::vector<std::filesystem::path> suiteFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(test::sharedTestData() / "pngsuite" / "png"))
        if (entry.path().extension() == ".png")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

bool isCorrupt(const std::filesystem::path& path) { return path.filename().string()[0] == 'x'; }
bool hasGamma(const std::filesystem::path& path) { return path.filename().string()[0] == 'g'; }

// libpng 1.6's simplified reader shifts the rows of interlaced 16-bit images, so those are
// checked against their non-interlaced twin, which holds the same picture.
std::filesystem::path trustedReference(const std::filesystem::path& path) {
    std::string name = path.filename().string();
    const bool interlaced16 = name.size() > 8 && name[3] == 'i' && name.compare(6, 2, "16") == 0;
    if (interlaced16 && (name.starts_with("basi") || name.starts_with("bgai")))
        name = "basn" + name.substr(4);
    return path.parent_path() / name;
}

TEST(PngSuite, EveryGoodFileDecodesLikeTheTrustedDecoder) {
    const auto files = suiteFiles();
    ASSERT_GT(files.size(), 150u);
    int checked = 0;
    for (const auto& path : files) {
        if (isCorrupt(path))
            continue;
        SCOPED_TRACE(path.filename().string());
        PngImage image;
        ASSERT_TRUE(PngCodec().loadFromFile(image, path.string(), false));
        test::Rgba8 expected;
        ASSERT_TRUE(test::trustedPngDecode(trustedReference(path), expected));
        const test::Rgba8 actual = test::toRgba(image.color, &image.alpha);
        // Gamma and 16-to-8-bit reduction round slightly differently in the two decoders.
        const int tolerance = hasGamma(path) ? 3 : 1;
        const int difference = test::maxDifference(actual, expected, true);
        EXPECT_GE(difference, 0);
        EXPECT_LE(difference, tolerance) << test::savePair(path.stem().string(), actual, expected);
        ++checked;
    }
    EXPECT_GT(checked, 150);
}

TEST(PngSuite, EveryCorruptFileFailsCleanly) {
    for (const auto& path : suiteFiles()) {
        if (!isCorrupt(path))
            continue;
        SCOPED_TRACE(path.filename().string());
        PngImage image;
        EXPECT_FALSE(PngCodec().loadFromFile(image, path.string(), false));
        EXPECT_TRUE(image.color.isEmpty());
        EXPECT_TRUE(image.alpha.isEmpty());
        EXPECT_EQ(image.width, 0);
    }
}

TEST(PngSuite, RecordsWhatTheFileSays) {
    const auto dir = test::sharedTestData() / "pngsuite" / "png";
    const struct {
        const char* file;
        int bits, channels, colorType, interlace;
        bool alpha;
    } cases[] = {
        {"basn0g01.png", 1, 1, 0, 0, false}, // 1-bit gray: black and white, no alpha
        {"basn3p08.png", 8, 1, 3, 0, false}, {"tbbn3p08.png", 8, 1, 3, 0, true}, // palette with tRNS
        {"basn6a16.png", 16, 4, 6, 0, true}, {"basi2c08.png", 8, 3, 2, 1, false},
        {"tbrn2c08.png", 8, 3, 2, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        PngImage image;
        ASSERT_TRUE(PngCodec().loadFromFile(image, (dir / c.file).string(), false));
        EXPECT_EQ(image.bitsPerChannel, c.bits);
        EXPECT_EQ(image.channels, c.channels);
        EXPECT_EQ(image.colorType, c.colorType);
        EXPECT_EQ(image.interlace, c.interlace);
        EXPECT_EQ(image.bitDepth, c.bits * c.channels);
        EXPECT_EQ(image.hasAlpha(), c.alpha);
        EXPECT_EQ(image.color.width(), 32);
    }
    PngImage gray;
    ASSERT_TRUE(PngCodec().loadFromFile(gray, (dir / "basn0g01.png").string(), false));
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x) {
            const uint8_t* p = gray.color.row(y) + 3 * x;
            ASSERT_TRUE((p[0] == 0 || p[0] == 255) && p[0] == p[1] && p[1] == p[2]);
        }
}

TEST(PngSuite, HeaderOnlyReadsNoPixels) {
    PngImage image;
    const auto path = test::sharedTestData() / "pngsuite" / "png" / "basn2c16.png";
    ASSERT_TRUE(PngCodec().loadFromFile(image, path.string(), true));
    EXPECT_EQ(image.width, 32);
    EXPECT_EQ(image.bitDepth, 48);
    EXPECT_TRUE(image.color.isEmpty());
}

} // namespace
} // namespace pict
