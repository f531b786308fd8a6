#include "codecs/BitmapCodec.h"
#include "codecs/BitmapFormat.h"
#include "codecs/ByteStream.h"
#include "codecs/ReadReport.h"

#include "codecs/CodecTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pict {
namespace {

// Builds bitmap files byte by byte so that each test states exactly what the file says.
struct BitmapBytes {
    std::vector<uint8_t> bytes;
    void u16(uint32_t v) { test::appendLe16(bytes, v); }
    void u32(uint32_t v) { test::appendLe32(bytes, v); }
    void raw(std::initializer_list<uint8_t> list) { bytes.insert(bytes.end(), list); }
    void patch32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + size_t(i)] = uint8_t(v >> (8 * i));
    }
};

// File header and a 40-byte info header; the caller appends palette and pixels and then
// calls finish() to fill in the sizes.
BitmapBytes startFile(int32_t width, int32_t height, int depth, uint32_t compression = 0, uint32_t colors = 0) {
    BitmapBytes b;
    b.u16(0x4D42);
    b.u32(0); // file size, patched later
    b.u32(0);
    b.u32(0); // pixel offset, patched later
    b.u32(40);
    b.u32(uint32_t(width));
    b.u32(uint32_t(height));
    b.u16(1);
    b.u16(uint32_t(depth));
    b.u32(compression);
    b.u32(0);
    b.u32(2835);
    b.u32(2835);
    b.u32(colors);
    b.u32(0);
    return b;
}
void setPixelOffset(BitmapBytes& b) { b.patch32(10, uint32_t(b.bytes.size())); }
void finish(BitmapBytes& b) { b.patch32(2, uint32_t(b.bytes.size())); }

bool load(const std::vector<uint8_t>& file, BitmapImage& image, bool headerOnly = false) {
    return BitmapCodec().loadFromMemory(image, file.data(), file.size(), headerOnly);
}

std::vector<uint8_t> gray4Palette() {
    std::vector<uint8_t> p;
    for (int i = 0; i < 4; ++i)
        p.insert(p.end(), {uint8_t(i * 80), uint8_t(i * 80), uint8_t(i * 80), 0});
    return p;
}

TEST(BitmapRead, DataShorterThanTheHeaderClaimsIsRefused) {
    BitmapBytes b = startFile(4, 2, 24);
    setPixelOffset(b);
    b.bytes.resize(b.bytes.size() + 2 * 12, 0x40);
    finish(b);
    BitmapImage image;
    ASSERT_TRUE(load(b.bytes, image));

    BitmapBytes understated = b;
    understated.patch32(2, uint32_t(b.bytes.size() - 1)); // the size field says one byte less
    EXPECT_FALSE(load(understated.bytes, image));
    EXPECT_TRUE(image.color.isEmpty());

    BitmapBytes cut = b;
    cut.bytes.pop_back(); // the file itself is one byte short
    EXPECT_FALSE(load(cut.bytes, image));

    // A huge claimed size in a tiny file fails before anything that size is allocated.
    BitmapBytes huge = startFile(30000, 30000, 32);
    setPixelOffset(huge);
    huge.patch32(2, 0xFFFFFFF0u);
    huge.bytes.resize(huge.bytes.size() + 16);
    EXPECT_FALSE(load(huge.bytes, image));
}

TEST(BitmapRead, RefusesBadSignaturesSizesAndCompressions) {
    BitmapImage image;
    auto valid = [] {
        BitmapBytes b = startFile(1, 1, 24);
        setPixelOffset(b);
        b.raw({1, 2, 3, 0});
        finish(b);
        return b;
    };
    ASSERT_TRUE(load(valid().bytes, image));
    BitmapBytes b = valid();
    b.bytes[0] = 'X';
    EXPECT_FALSE(load(b.bytes, image));
    b = valid();
    b.patch32(14, 41); // header size
    EXPECT_FALSE(load(b.bytes, image));
    b = valid();
    b.patch32(18, 30001); // width
    EXPECT_FALSE(load(b.bytes, image));
    b = valid();
    b.patch32(30, 1); // run-length compression on a 24-bit file
    EXPECT_FALSE(load(b.bytes, image));
    b = valid();
    b.patch32(30, 4); // embedded JPEG
    EXPECT_FALSE(load(b.bytes, image));
    b = valid();
    b.patch32(10, 14); // empty header block
    EXPECT_FALSE(load(b.bytes, image));
    EXPECT_FALSE(load({0x42, 0x4D, 0, 0}, image));
}

TEST(BitmapRead, TopDownFilesLoadUpright) {
    BitmapBytes b = startFile(1, -2, 24);
    setPixelOffset(b);
    b.raw({10, 20, 30, 0, 40, 50, 60, 0}); // first stored row is the top
    finish(b);
    BitmapImage image;
    ASSERT_TRUE(load(b.bytes, image));
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.color.row(0)[0], 10);
    EXPECT_EQ(image.color.row(1)[0], 40);
}

TEST(BitmapRead, ThirtyTwoBitAlphaIsKeptOnlyWhenAnyByteIsSet) {
    for (uint8_t alpha : {uint8_t(0), uint8_t(7)}) {
        BitmapBytes b = startFile(2, 1, 32);
        setPixelOffset(b);
        b.raw({1, 2, 3, 0, 4, 5, 6, alpha});
        finish(b);
        BitmapImage image;
        ASSERT_TRUE(load(b.bytes, image));
        EXPECT_EQ(image.bitDepth, 32);
        EXPECT_EQ(image.hasAlpha(), alpha != 0);
        EXPECT_EQ(image.color.row(0)[3], 4);
        if (alpha) {
            EXPECT_EQ(image.alpha.row(0)[1], alpha);
        }
    }
}

TEST(BitmapRead, SixteenBitFieldsWithAlphaBecomeTransparency) {
    // 56-byte header: 4-4-4-4 masks
    BitmapBytes b = startFile(1, 1, 16, kCompressionBitFields);
    b.patch32(14, 56);
    b.u32(0x0F00);
    b.u32(0x00F0);
    b.u32(0x000F);
    b.u32(0xF000);
    setPixelOffset(b);
    b.raw({0x5F, 0x8A, 0, 0}); // alpha 8, red 10, green 5, blue 15
    finish(b);
    BitmapImage image;
    ASSERT_TRUE(load(b.bytes, image));
    ASSERT_TRUE(image.hasAlpha());
    EXPECT_EQ(image.alpha.row(0)[0], 8 * 255 / 15);
    EXPECT_EQ(image.color.row(0)[0], 15 << 4);
    EXPECT_EQ(image.color.row(0)[1], 5 << 4);
    EXPECT_EQ(image.color.row(0)[2], 10 << 4);
}

// ---- run-length data ----

std::vector<uint8_t> runLengthFile(int32_t width, int32_t height, int depth, std::initializer_list<uint8_t> data) {
    BitmapBytes b = startFile(width, height, depth, depth == 8 ? kCompressionRle8 : kCompressionRle4, 4);
    for (uint8_t v : gray4Palette())
        b.bytes.push_back(v);
    setPixelOffset(b);
    b.raw(data);
    finish(b);
    return b.bytes;
}

TEST(BitmapRunLength, EightBitCodesDecodeBottomUp) {
    // row 0 of the file is the bottom row: run of 2 x index 1, then a literal of 3 (padded),
    // end of line, a delta of (1, 0) and a run of one index 3, end of bitmap.
    const auto file = runLengthFile(5, 2, 8, {2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 0, 1, 3, 0, 1});
    BitmapImage image;
    ASSERT_TRUE(load(file, image));
    const uint8_t* bottom = image.color.row(1);
    const uint8_t* top = image.color.row(0);
    const uint8_t expectBottom[5] = {80, 80, 160, 240, 80};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(bottom[3 * x], expectBottom[x]) << x;
    EXPECT_EQ(top[0], 0);
    EXPECT_EQ(top[3], 240);
}

TEST(BitmapRunLength, FourBitRunsAlternateNibbles) {
    // run of 5 pixels alternating 1 and 2; literal of 3 pixels 3,0,3 (2 bytes, even: no pad)
    const auto file = runLengthFile(8, 1, 4, {5, 0x12, 0, 3, 0x30, 0x30, 0, 1});
    BitmapImage image;
    ASSERT_TRUE(load(file, image));
    const uint8_t expect[8] = {80, 160, 80, 160, 80, 240, 0, 240};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(image.color.row(0)[3 * x], expect[x]) << x;
}

TEST(BitmapRunLength, CodesOutsideTheImageFail) {
    BitmapImage image;
    EXPECT_FALSE(load(runLengthFile(4, 1, 8, {5, 1, 0, 1}), image));          // run past the stride
    EXPECT_FALSE(load(runLengthFile(4, 1, 8, {0, 5, 1, 1, 1, 1, 1, 0}), image)); // literal past the stride
    EXPECT_FALSE(load(runLengthFile(4, 1, 8, {0, 0, 1, 1, 0, 1}), image));    // writing below the last row
    EXPECT_FALSE(load(runLengthFile(4, 2, 8, {0, 2, 0, 9, 1, 1}), image));    // delta beyond the height
    EXPECT_FALSE(load(runLengthFile(4, 1, 8, {2, 1}), image));                // no end-of-bitmap
    EXPECT_FALSE(load(runLengthFile(4, 1, 8, {0, 2, 1}), image));             // delta cut short
    EXPECT_FALSE(load(runLengthFile(4, 1, 4, {9, 0x11, 0, 1}), image));       // 4-bit run past the stride
    EXPECT_TRUE(load(runLengthFile(4, 1, 8, {4, 1, 0, 0, 0, 1}), image));     // end of line on the last row
}

// ---- writing ----

TEST(BitmapWrite, TwentyFourBitLayoutAndRoundTrip) {
    BitmapImage image;
    image.color = test::patternSurface(5, 3);
    image.setPlainHeader(5, 3, 24);
    MemoryStream out;
    ASSERT_TRUE(out.openOwned());
    ASSERT_TRUE(BitmapCodec().saveToMemory(out, image));
    const std::vector<uint8_t>& file = out.ownedBytes();
    ASSERT_EQ(file.size(), 54u + 16 * 3);
    uint32_t offset, size, headerSize;
    int32_t height;
    std::memcpy(&size, file.data() + 2, 4);
    std::memcpy(&offset, file.data() + 10, 4);
    std::memcpy(&headerSize, file.data() + 14, 4);
    std::memcpy(&height, file.data() + 22, 4);
    EXPECT_EQ(offset, 54u);
    EXPECT_EQ(size, file.size());
    EXPECT_EQ(headerSize, 40u);
    EXPECT_EQ(height, 3);

    BitmapImage back;
    ASSERT_TRUE(load(file, back));
    EXPECT_EQ(test::maxDifference(test::toRgba(back.color), test::toRgba(image.color), true), 0);
    EXPECT_FALSE(back.hasAlpha());
}

TEST(BitmapWrite, ThirtyTwoBitKeepsAlphaAndTwentyFourFlattensIt) {
    BitmapImage image;
    image.color = test::patternSurface(3, 2);
    ASSERT_TRUE(image.alpha.create(3, 2, 8));
    image.alpha.fillValue(255);
    image.alpha.setValueAt(1, 1, 0);
    image.alpha.setValueAt(2, 0, 128);
    image.setPlainHeader(3, 2, 32);
    MemoryStream out;
    ASSERT_TRUE(out.openOwned());
    ASSERT_TRUE(BitmapCodec().saveToMemory(out, image));
    BitmapImage back;
    ASSERT_TRUE(load(out.ownedBytes(), back));
    ASSERT_TRUE(back.hasAlpha());
    EXPECT_EQ(test::maxDifference(test::toRgba(back.color, &back.alpha), test::toRgba(image.color, &image.alpha), true), 0);

    image.bitDepth = 24; // now written flattened over white
    MemoryStream flat;
    ASSERT_TRUE(flat.openOwned());
    ASSERT_TRUE(BitmapCodec().saveToMemory(flat, image));
    ASSERT_TRUE(load(flat.ownedBytes(), back));
    EXPECT_FALSE(back.hasAlpha());
    EXPECT_EQ(back.color.row(1)[3], 255); // fully transparent became white
    const int source = image.color.row(0)[6];
    EXPECT_EQ(back.color.row(0)[6], source + ((127 * (255 - source)) >> 8));
}

TEST(BitmapWrite, WritesNothingForAnEmptyImageOrClosedStream) {
    BitmapImage image;
    MemoryStream out;
    ASSERT_TRUE(out.openOwned());
    EXPECT_FALSE(BitmapCodec().saveToMemory(out, image));
    image.color = test::patternSurface(2, 2);
    image.bitDepth = 24;
    MemoryStream closed;
    EXPECT_FALSE(BitmapCodec().save(closed, image));
}

TEST(BitmapPacked, ReadsHeaderTableAndPixelsWithoutAFileHeader) {
    BitmapBytes b = startFile(2, 1, 8, 0, 4);
    for (uint8_t v : gray4Palette())
        b.bytes.push_back(v);
    b.raw({3, 1, 0, 0});
    std::vector<uint8_t> packed(b.bytes.begin() + 14, b.bytes.end());
    AnySurface surface;
    ReadReport report;
    ASSERT_TRUE(readPackedBitmap(packed.data(), packed.size(), surface, report));
    EXPECT_EQ(surface.depth(), 8);
    EXPECT_EQ(surface.paletteCount(), 4);
    EXPECT_EQ(surface.row(0)[0], 3);
    EXPECT_FALSE(readPackedBitmap(packed.data(), packed.size() - 4, surface, report));
    EXPECT_FALSE(readPackedBitmap(packed.data(), 20, surface, report));
}

} // namespace
} // namespace pict
