#include "codecs/ByteStream.h"
#include "codecs/PictureReaders.h"
#include "codecs/ReadReport.h"

#include "codecs/CodecTestSupport.h"
#include "codecs/PictureFileBuilders.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pict {
namespace {

using namespace test;

// ---- GIF files made with giflib's encoder ----

bool decodeGif(const std::vector<uint8_t>& file, Surface24& color, Surface8& alpha) {
    MemoryStream in(file.data(), int64_t(file.size()));
    ReadReport report;
    return readGif(in, color, alpha, report);
}

TEST(GifRead, OpaqueFramesLoadWithTheirPaletteColors) {
    for (bool interlace : {false, true}) {
        SCOPED_TRACE(interlace);
        GifFrame frame = checkerFrame(7, 11);
        frame.interlace = interlace;
        Surface24 color;
        Surface8 alpha;
        ASSERT_TRUE(decodeGif(makeGif(7, 11, {frame}), color, alpha));
        EXPECT_TRUE(alpha.isEmpty());
        ASSERT_EQ(color.width(), 7);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 7; ++x) {
                const int index = (x + 2 * y) % 4;
                const uint8_t* p = color.row(y) + 3 * x;
                ASSERT_EQ(p[2], index * 60) << x << "," << y;
                ASSERT_EQ(p[1], 255 - index * 60);
                ASSERT_EQ(p[0], 10);
            }
    }
}

TEST(GifRead, TransparentIndexAndUncoveredScreenBecomeTransparent) {
    GifFrame frame = checkerFrame(4, 4);
    frame.left = 2;
    frame.top = 1;
    frame.transparent = 3;
    GifFrame second = checkerFrame(8, 8); // only the first frame counts
    Surface24 color;
    Surface8 alpha;
    ASSERT_TRUE(decodeGif(makeGif(8, 6, {frame, second}), color, alpha));
    ASSERT_FALSE(alpha.isEmpty());
    EXPECT_EQ(color.width(), 8);
    EXPECT_EQ(color.height(), 6);
    EXPECT_EQ(alpha.valueAt(0, 0), 0);           // outside the frame
    EXPECT_EQ(alpha.valueAt(2, 1), 255);         // index 0
    EXPECT_EQ(alpha.valueAt(2 + 3, 1), 0);       // index 3 is transparent
    EXPECT_EQ(color.row(1)[3 * 2 + 1], 255);     // green of index 0
}

TEST(GifRead, BrokenFilesFail) {
    const auto file = makeGif(8, 8, {checkerFrame(8, 8)});
    Surface24 color;
    Surface8 alpha;
    for (size_t cut : {size_t(6), size_t(13), file.size() / 2}) {
        std::vector<uint8_t> part(file.begin(), file.begin() + long(cut));
        EXPECT_FALSE(decodeGif(part, color, alpha)) << cut;
        EXPECT_TRUE(color.isEmpty());
    }
    std::vector<uint8_t> noFrames = makeGif(8, 8, {});
    EXPECT_FALSE(decodeGif(noFrames, color, alpha));
    std::vector<uint8_t> huge = file;
    huge[6] = 0x31;
    huge[7] = 0x75; // screen width 30001
    EXPECT_FALSE(decodeGif(huge, color, alpha));
}

// ---- icons assembled by hand ----

bool decodeIcon(const std::vector<uint8_t>& file, Surface24& color, Surface8& alpha) {
    MemoryStream in(file.data(), int64_t(file.size()));
    ReadReport report;
    return readIcon(in, color, alpha, report);
}

TEST(IconRead, PicksTheLargestThenDeepestEntry) {
    Surface24 color;
    Surface8 alpha;
    ASSERT_TRUE(decodeIcon(makeIcon({bitmapEntry(4, 24, false, false), bitmapEntry(8, 24, false, false),
                                     pngEntry(6)}),
                           color, alpha));
    EXPECT_EQ(color.width(), 8);
    EXPECT_TRUE(alpha.isEmpty()); // an empty AND mask means opaque
    EXPECT_EQ(color.row(7)[3 * 2 + 1], 0); // bottom row: green = y * 20 = 0
    EXPECT_EQ(color.row(0)[3 * 2], 40);

    ASSERT_TRUE(decodeIcon(makeIcon({bitmapEntry(8, 24, false, false), bitmapEntry(8, 32, true, false)}), color, alpha));
    ASSERT_FALSE(alpha.isEmpty());
    EXPECT_EQ(alpha.valueAt(3, 0), 90); // the deeper entry, with its alpha channel

    ASSERT_TRUE(decodeIcon(makeIcon({bitmapEntry(8, 24, false, false), pngEntry(16)}), color, alpha));
    EXPECT_EQ(color.width(), 16);
    EXPECT_EQ(alpha.valueAt(5, 5), 77);
}

TEST(IconRead, TheAndMaskClearsPixels) {
    Surface24 color;
    Surface8 alpha;
    ASSERT_TRUE(decodeIcon(makeIcon({bitmapEntry(8, 24, false, true)}), color, alpha));
    ASSERT_FALSE(alpha.isEmpty());
    EXPECT_EQ(alpha.valueAt(0, 0), 0);
    EXPECT_EQ(alpha.valueAt(1, 0), 255);
    EXPECT_EQ(alpha.valueAt(0, 1), 255);
    // A 32-bit entry without alpha bytes falls back to the mask too.
    ASSERT_TRUE(decodeIcon(makeIcon({bitmapEntry(8, 32, false, true)}), color, alpha));
    EXPECT_EQ(alpha.valueAt(0, 0), 0);
}

TEST(IconRead, MalformedDirectoriesFail) {
    Surface24 color;
    Surface8 alpha;
    auto file = makeIcon({bitmapEntry(8, 24, false, false)});
    auto badType = file;
    badType[2] = 3;
    EXPECT_FALSE(decodeIcon(badType, color, alpha));
    auto tooMany = file;
    tooMany[4] = 40;
    EXPECT_FALSE(decodeIcon(tooMany, color, alpha));
    auto offsetOut = file;
    offsetOut[6 + 12] = 0xFF;
    offsetOut[6 + 13] = 0xFF;
    EXPECT_FALSE(decodeIcon(offsetOut, color, alpha));
    file.resize(file.size() - 40); // color rows cut short
    EXPECT_FALSE(decodeIcon(file, color, alpha));
    EXPECT_TRUE(color.isEmpty());
}

} // namespace
} // namespace pict
