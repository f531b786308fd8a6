// Every file of the bitmap test suite's "good" set against the suite's reference rendering.
#include "codecs/BitmapCodec.h"

#include "codecs/CodecTestSupport.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

struct SuiteCase {
    const char* file;
    const char* reference;
    int tolerance; // 5- and 6-bit channels are widened by shifting, not by replicating bits
    bool alpha;
};

const SuiteCase kGood[] = {
    {"pal1.bmp", "pal1.png", 0, false},          {"pal1wb.bmp", "pal1.png", 0, false},
    {"pal1bg.bmp", "pal1bg.png", 0, false},      {"pal4.bmp", "pal4.png", 0, false},
    {"pal4gs.bmp", "pal4gs.png", 0, false},      {"pal4rle.bmp", "pal4.png", 0, false},
    {"pal8.bmp", "pal8.png", 0, false},          {"pal8-0.bmp", "pal8.png", 0, false},
    {"pal8gs.bmp", "pal8gs.png", 0, false},      {"pal8rle.bmp", "pal8.png", 0, false},
    {"pal8w126.bmp", "pal8w126.png", 0, false},  {"pal8w125.bmp", "pal8w125.png", 0, false},
    {"pal8w124.bmp", "pal8w124.png", 0, false},  {"pal8topdown.bmp", "pal8.png", 0, false},
    {"pal8os2.bmp", "pal8.png", 0, false},       {"pal8v4.bmp", "pal8.png", 0, false},
    {"pal8v5.bmp", "pal8.png", 0, false},        {"rgb16.bmp", "rgb16.png", 7, false},
    {"rgb16bfdef.bmp", "rgb16.png", 7, false},   {"rgb16-565.bmp", "rgb16-565.png", 7, false},
    {"rgb16-565pal.bmp", "rgb16-565.png", 7, false}, {"rgb24.bmp", "rgb24.png", 0, false},
    {"rgb24pal.bmp", "rgb24.png", 0, false},     {"rgb32.bmp", "rgb24.png", 0, false},
    {"rgb32bfdef.bmp", "rgb24.png", 0, false},   {"rgb32bf.bmp", "rgb24.png", 0, true},
};

TEST(BitmapSuite, EveryGoodFileMatchesItsReference) {
    const auto root = test::sharedTestData() / "bmpsuite";
    for (const SuiteCase& c : kGood) {
        SCOPED_TRACE(c.file);
        BitmapImage image;
        ASSERT_TRUE(BitmapCodec().loadFromFile(image, (root / "g" / c.file).string(), false));
        EXPECT_EQ(image.hasAlpha(), c.alpha);
        test::Rgba8 expected;
        ASSERT_TRUE(test::trustedPngDecode(root / "reference" / c.reference, expected));
        const test::Rgba8 actual = test::toRgba(image.color);
        const int difference = test::maxDifference(actual, expected, false);
        EXPECT_GE(difference, 0);
        EXPECT_LE(difference, c.tolerance) << test::savePair(c.file, actual, expected);
    }
}

TEST(BitmapSuite, NonSquarePixelsKeepTheirStoredSize) {
    BitmapImage image;
    const auto path = test::sharedTestData() / "bmpsuite" / "g" / "pal8nonsquare.bmp";
    ASSERT_TRUE(BitmapCodec().loadFromFile(image, path.string(), false));
    EXPECT_EQ(image.bitDepth, 8);
    EXPECT_EQ(image.color.width(), image.width);
    EXPECT_EQ(image.color.height(), image.height);
}

TEST(BitmapSuite, HeaderOnlyGivesDepthAndSizeWithoutPixels) {
    const auto root = test::sharedTestData() / "bmpsuite" / "g";
    const struct {
        const char* file;
        int depth;
    } cases[] = {{"pal1.bmp", 1}, {"pal4rle.bmp", 4}, {"pal8os2.bmp", 8}, {"pal8topdown.bmp", 8},
                 {"rgb16-565.bmp", 16}, {"rgb24.bmp", 24}, {"rgb32bf.bmp", 32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        BitmapImage image;
        ASSERT_TRUE(BitmapCodec().loadFromFile(image, (root / c.file).string(), true));
        EXPECT_EQ(image.bitDepth, c.depth);
        EXPECT_EQ(image.width, 127);
        EXPECT_EQ(image.height, 64);
        EXPECT_TRUE(image.color.isEmpty());
    }
}

} // namespace
} // namespace pict
