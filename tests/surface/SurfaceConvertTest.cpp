#include "SurfaceTestUtil.h"
#include "surface/OctreeQuantizer.h"
#include "surface/PixelCodec.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace pict {
namespace {

using testutil::rgb24;
using testutil::samePixels;

Surface24 solid(int32_t w, int32_t h, uint32_t rgb) {
    Surface24 s;
    s.create(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            s.setColor(x, y, rgb);
    return s;
}

TEST(SurfaceConvert, GrayOfPrimaries) {
    Surface24 s;
    ASSERT_TRUE(s.create(3, 1));
    s.setColor(0, 0, 0xFF0000);
    s.setColor(1, 0, 0x00FF00);
    s.setColor(2, 0, 0x0000FF);
    const Surface24 before = s.clone();
    Surface8 gray;
    ASSERT_TRUE(s.toGray(gray));
    EXPECT_EQ(gray.valueAt(0, 0), 77);
    EXPECT_EQ(gray.valueAt(1, 0), 150);
    EXPECT_EQ(gray.valueAt(2, 0), 28);
    EXPECT_EQ(gray.palette()->at(77), 0x4D4D4Du);
    EXPECT_TRUE(samePixels(s, before)); // the source never changes

    Surface24 wrong;
    EXPECT_FALSE(s.toGray(wrong)); // a 24-bit class refuses the 8-bit result
    EXPECT_TRUE(wrong.isEmpty());
}

TEST(SurfaceConvert, BilevelThresholdAndDiffusion) {
    const Surface24 mid = solid(8, 8, 0x808080);
    Surface1 out;
    ASSERT_TRUE(mid.toBilevelThreshold(out, 0));
    EXPECT_EQ(out.getIndex(7, 7), 1u);
    ASSERT_TRUE(mid.toBilevelThreshold(out, 255));
    EXPECT_EQ(out.getIndex(0, 0), 0u);
    ASSERT_TRUE(mid.toBilevelThreshold(out, 128));
    EXPECT_EQ(out.getIndex(3, 3), 1u);
    ASSERT_TRUE(mid.toBilevelThreshold(out, 129));
    EXPECT_EQ(out.getIndex(3, 3), 0u);

    // Diffusing mid gray: the first pixel (128 < 129) is black, and about half end up white.
    ASSERT_TRUE(mid.toBilevel(out));
    EXPECT_EQ(out.getIndex(0, 0), 0u);
    int white = 0;
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x)
            white += int(out.getIndex(x, y));
    EXPECT_GT(white, 24);
    EXPECT_LT(white, 40);
    // The second pixel gets 128 + 128 * 8 / 32 = 160 and turns white.
    EXPECT_EQ(out.getIndex(1, 0), 1u);

    ASSERT_TRUE(solid(4, 4, 0xFFFFFF).toBilevel(out));
    EXPECT_EQ(out.getIndex(2, 2), 1u);
    EXPECT_EQ(out.getColor(2, 2), 0xFFFFFFu);
    Surface1 copy;
    ASSERT_TRUE(out.toBilevel(copy));
    EXPECT_TRUE(samePixels(copy, out));
}

TEST(SurfaceConvert, ThirtyTwoBitsOverWhite) {
    Surface32 s;
    ASSERT_TRUE(s.create(3, 1, 32));
    s.setColor(0, 0, 0x00102030); // alpha 0
    s.setColor(1, 0, 0xFF102030); // opaque
    s.setColor(2, 0, 0x80000000); // half black
    Surface24 c;
    ASSERT_TRUE(s.to24(c));
    EXPECT_EQ(rgb24(c, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(rgb24(c, 1, 0), 0x102030u);
    EXPECT_EQ(rgb24(c, 2, 0), 0x7F7F7Fu); // 255 + (128 * -255 >> 8)
    Surface24 onBlack;
    ASSERT_TRUE(s.compositeOver(onBlack, 0x000000));
    EXPECT_EQ(rgb24(onBlack, 0, 0), 0u);
    EXPECT_EQ(rgb24(onBlack, 1, 0), 0x102030u);

    Surface32 back;
    ASSERT_TRUE(c.to32(back));
    EXPECT_EQ(back.getColor(1, 0), 0xFF102030u);
}

TEST(SurfaceConvert, NormalizeBitFields) {
    // 32-bit with masks in another order and no alpha anywhere: opaque afterwards.
    std::vector<uint8_t> block(56, 0);
    SurfaceHeader h;
    h.size = 56;
    h.width = 2;
    h.height = 1;
    h.bitCount = 32;
    h.compression = kCompressionBitFields;
    std::memcpy(block.data(), &h, 40);
    const uint32_t masks[4] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0};
    std::memcpy(block.data() + 40, masks, 16);
    Surface32 s;
    ASSERT_TRUE(s.createFromHeader(block.data(), block.size()));
    const uint32_t word = 0x00332211; // red 0x11, green 0x22, blue 0x33
    std::memcpy(s.row(0), &word, 4);
    ASSERT_TRUE(s.normalize());
    EXPECT_EQ(s.getColor(0, 0), 0xFF112233u);
    EXPECT_EQ(s.getColor(1, 0), 0xFF000000u);
    EXPECT_EQ(s.masks()[kRed], 0xFF0000u);
    ASSERT_TRUE(s.normalize()); // already canonical
    EXPECT_EQ(s.getColor(0, 0), 0xFF112233u);

    Surface16 six;
    ASSERT_TRUE(six.create(1, 1, 16, 0, true));
    six.setColor(0, 0, 0xFFF8FCF8);
    ASSERT_TRUE(six.normalize());
    EXPECT_FALSE(six.isBitFields());
    EXPECT_EQ(six.masks()[kGreen], 0x03E0u);
    EXPECT_EQ(six.getColor(0, 0), 0xFFF8F8F8u);
}

TEST(SurfaceConvert, SixteenBits) {
    const Surface24 s = solid(2, 2, 0xF8FC08);
    Surface16 five, six;
    ASSERT_TRUE(s.to16(five, true));
    EXPECT_FALSE(five.isBitFields());
    EXPECT_EQ(five.getColor(1, 1), 0xFFF8F808u);
    ASSERT_TRUE(s.to16(six, false));
    EXPECT_TRUE(six.isBitFields());
    EXPECT_EQ(six.getColor(1, 1), 0xFFF8FC08u);
    Surface16 again;
    ASSERT_TRUE(six.to16(again, false)); // same layout: a copy
    EXPECT_TRUE(samePixels(again, six));
    Surface24 back;
    ASSERT_TRUE(six.to24(back));
    EXPECT_EQ(rgb24(back, 0, 0), 0xF8FC08u);
}

TEST(SurfaceConvert, IndexedThreeColorsExactly) {
    Surface24 s;
    ASSERT_TRUE(s.create(9, 7));
    const uint32_t colors[3] = {0x123456, 0xFEDCBA, 0x00FF00};
    for (int32_t y = 0; y < 7; ++y)
        for (int32_t x = 0; x < 9; ++x)
            s.setColor(x, y, colors[(x + 2 * y) % 3]);
    Surface8 indexed;
    ASSERT_TRUE(s.toIndexed8(indexed));
    ASSERT_EQ(indexed.paletteCount(), 3);
    std::set<uint32_t> entries;
    for (int i = 0; i < 3; ++i)
        entries.insert(indexed.palette()->at(i) & 0xFFFFFF);
    EXPECT_EQ(entries, (std::set<uint32_t>{colors[0], colors[1], colors[2]}));
    for (int32_t y = 0; y < 7; ++y)
        for (int32_t x = 0; x < 9; ++x)
            ASSERT_EQ(indexed.getColor(x, y) & 0xFFFFFF, colors[(x + 2 * y) % 3]); // no dithering error

    Surface4 four;
    ASSERT_TRUE(s.toIndexed4(four));
    EXPECT_EQ(four.paletteCount(), 3);
    Surface24 back;
    ASSERT_TRUE(four.to24(back));
    EXPECT_TRUE(samePixels(back, s));
}

TEST(SurfaceConvert, IndexedManyColors) {
    std::mt19937 rng(5);
    Surface24 s;
    ASSERT_TRUE(s.create(64, 64));
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < 64; ++x)
            s.setColor(x, y, uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8 | (rng() & 0xFF));
    Surface8 eight;
    ASSERT_TRUE(s.toIndexed8(eight, 256));
    EXPECT_LE(eight.paletteCount(), 256);
    EXPECT_GE(eight.paletteCount(), 16);
    Surface4 four;
    ASSERT_TRUE(s.toIndexed4(four, 5));
    EXPECT_EQ(four.paletteCount(), 5);
    // The dithered image keeps the average color of the original closely.
    int64_t sumIn = 0, sumOut = 0;
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < 64; ++x) {
            sumIn += (s.getColor(x, y) >> 16) & 0xFF;
            sumOut += (eight.getColor(x, y) >> 16) & 0xFF;
        }
    EXPECT_NEAR(double(sumOut) / 4096.0, double(sumIn) / 4096.0, 2.0);

    Surface32 alpha;
    ASSERT_TRUE(s.to32(alpha));
    Surface8 fromAlpha;
    ASSERT_TRUE(alpha.toIndexed8(fromAlpha, 3)); // the requested count holds for 32 bits too
    EXPECT_EQ(fromAlpha.paletteCount(), 3);
}

TEST(SurfaceConvert, WidenAndMapPalettes) {
    Surface1 mono;
    ASSERT_TRUE(mono.create(3, 1, 1));
    mono.setIndex(2, 0, 1);
    Surface8 wide;
    ASSERT_TRUE(mono.widenIndexed(wide, 8));
    EXPECT_EQ(wide.paletteCount(), 2);
    EXPECT_EQ(wide.getIndex(2, 0), 1u);
    EXPECT_EQ(wide.getColor(2, 0), 0xFFFFFFu);
    Surface1 narrow;
    EXPECT_FALSE(wide.widenIndexed(narrow, 1));
    Surface8 same;
    ASSERT_TRUE(mono.toIndexed8(same));
    EXPECT_EQ(same.getIndex(2, 0), 1u);

    const Surface24 s = solid(4, 4, 0x202020);
    Surface1 mapped;
    EXPECT_FALSE(s.mapToPalette(mapped, 1, ColorTable{}, true));
    ASSERT_TRUE(s.mapToPalette(mapped, 1, ColorTable{0x000000, 0xFFFFFF}, false));
    EXPECT_EQ(mapped.getIndex(3, 3), 0u);
    Surface4 wrongDepth;
    EXPECT_FALSE(mapped.mapToPalette(wrongDepth, 4, ColorTable{0x0}, false)); // must get smaller
}

TEST(SurfaceConvert, ConvertDispatchesEveryDepth) {
    const Surface24 s = solid(3, 2, 0x336699);
    for (int depth : {1, 4, 8, 15, 16, 24, 32}) {
        AnySurface out;
        ASSERT_TRUE(s.convert(out, depth)) << depth;
        EXPECT_EQ(out.depth(), depth == 15 ? 16 : depth);
        EXPECT_EQ(out.size(), s.size());
    }
    AnySurface out;
    EXPECT_FALSE(s.convert(out, 12));
    EXPECT_FALSE(Surface24{}.convert(out, 8));
}

// The nearest entry by a plain search over the whole palette: least squared distance, the
// lower index on ties.
int32_t nearestByScan(const ColorTable& palette, uint32_t color) {
    int32_t best = 0, bestDistance = INT32_MAX;
    for (int32_t i = 0; i < palette.count(); ++i) {
        const uint32_t e = palette.at(i);
        const int32_t db = int32_t(e & 0xFF) - int32_t(color & 0xFF);
        const int32_t dg = int32_t(e >> 8 & 0xFF) - int32_t(color >> 8 & 0xFF);
        const int32_t dr = int32_t(e >> 16 & 0xFF) - int32_t(color >> 16 & 0xFF);
        const int32_t distance = db * db + dg * dg + dr * dr;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// Whatever size its cache is given, the search answers as the plain scan does, also when
// colours come back after their cache slots were taken by others.
TEST(NearestPaletteIndexTest, EveryCacheSizeAnswersAsAPlainScan) {
    std::mt19937 random(7);
    ColorTable palette;
    palette.resize(200);
    for (int32_t i = 0; i < palette.count(); ++i)
        palette.set(i, random() & 0xFFFFFFu);
    palette.set(199, palette.at(3)); // a tie goes to the lower index
    std::vector<uint32_t> colors(5000);
    for (uint32_t& color : colors)
        color = random() & 0xFFFFFFu;
    for (const int64_t lookups : {int64_t(1), int64_t(300), int64_t(1) << 20}) {
        NearestPaletteIndex nearest(palette, lookups);
        for (int round = 0; round < 2; ++round)
            for (const uint32_t color : colors)
                ASSERT_EQ(nearest(color), nearestByScan(palette, color)) << lookups << " " << color;
        EXPECT_EQ(nearest(palette.at(199)), 3);
    }
}

TEST(OctreeQuantizerTest, ReducesToTheLeafLimit) {
    OctreeQuantizer q(16, 8);
    for (int r = 0; r < 256; r += 8)
        for (int g = 0; g < 256; g += 32)
            q.add(uint8_t(r), uint8_t(g), 7);
    EXPECT_LE(q.leafCount(), 16);
    ColorTable small(8);
    EXPECT_EQ(q.producePalette(small), 0); // the table is smaller than the wanted size
    ColorTable table(16);
    const int32_t n = q.producePalette(table);
    EXPECT_EQ(n, q.leafCount());
    for (int32_t i = 0; i < n; ++i)
        EXPECT_EQ(table.at(i) & 0xFF, 7u); // blue never varied

    OctreeQuantizer few(2, 8); // two entries from many leaves: grouped by pixel count
    few.add(0, 0, 0);
    few.add(0, 0, 0);
    few.add(255, 255, 255);
    few.add(250, 250, 250);
    ColorTable two(2);
    ASSERT_EQ(few.producePalette(two), 2);
    EXPECT_EQ(two.at(0), 0x000000u);
    EXPECT_EQ(two.at(1), 0xFCFCFCu);
}

TEST(SurfacePainting, CoverageMaskAndDarken) {
    PaintSurface24 p;
    ASSERT_TRUE(p.create(3, 3));
    ASSERT_TRUE(p.paintCoverage(0xFFFFFF, 128));
    EXPECT_EQ(rgb24(p, 1, 1), 0x7F7F7Fu);
    Surface8 mask;
    ASSERT_TRUE(mask.create(2, 2, 8));
    mask.setValueAt(0, 0, 255);
    mask.setValueAt(1, 1, 0);
    ASSERT_TRUE(p.paintMasked(mask, {2, 2}, 0x0000FF));
    EXPECT_EQ(rgb24(p, 2, 2), 0xFF0000u);
    EXPECT_EQ(rgb24(p, 1, 1), 0x7F7F7Fu);

    Surface24 s = solid(2, 1, 0xC8C8C8);
    Surface8 m;
    ASSERT_TRUE(m.create(2, 1, 8));
    m.setValueAt(0, 0, 128);
    m.setValueAt(1, 0, 255);
    ASSERT_TRUE(s.darkenByMask({0, 0}, m, 255));
    EXPECT_EQ(rgb24(s, 0, 0), 0x646464u); // 200 * 128 / 255 = 100
    EXPECT_EQ(rgb24(s, 1, 0), 0xC8C8C8u);
    Surface24 t = solid(1, 1, 0xC8C8C8);
    ASSERT_TRUE(t.darkenByMask({0, 0}, m, 128));
    EXPECT_EQ(rgb24(t, 0, 0), 0x959595u); // (100 * 128 + 127 * 200) / 255 = 149.8, truncated
}

TEST(SurfacePainting, Gradients) {
    Surface24 s;
    ASSERT_TRUE(s.create(5, 2));
    ASSERT_TRUE(s.gradientHorizontal({0, 0, 5, 2}, 0x000000, 0x0000FF, false, 1.0)); // to red
    EXPECT_EQ(rgb24(s, 0, 1), 0x000000u);
    EXPECT_EQ(rgb24(s, 2, 0), 0x7F0000u);
    EXPECT_EQ(rgb24(s, 4, 1), 0xFF0000u);
    ASSERT_TRUE(s.gradientVertical({0, 0, 5, 2}, 0xFFFFFF, 0x000000, true, 2.0));
    EXPECT_EQ(rgb24(s, 3, 0), 0xFFFFFFu);
    EXPECT_EQ(rgb24(s, 3, 1), 0x000000u);
    ASSERT_TRUE(s.gradientVertical({0, 0, 5, 1}, 0x000000, 0x00FF00, false, 1.0)); // too short
    EXPECT_EQ(rgb24(s, 3, 0), 0xFFFFFFu);
}

TEST(SurfacePackedBitmap, HeaderPaletteAndRows) {
    Surface8 s;
    ASSERT_TRUE(s.create(3, 2, 8));
    s.setValueAt(0, 0, 9); // top row, stored last
    const std::vector<uint8_t> block = s.toPackedBitmap();
    ASSERT_EQ(block.size(), 40u + 1024u + 8u);
    SurfaceHeader h;
    std::memcpy(&h, block.data(), 40);
    EXPECT_EQ(h.size, 40u);
    EXPECT_EQ(h.width, 3);
    EXPECT_EQ(h.height, 2);
    EXPECT_EQ(h.clrUsed, 256u);
    EXPECT_EQ(block[40 + 1024 + 4], 9);
    Surface8 back;
    ASSERT_TRUE(back.createFromHeader(block.data(), block.size()));
    EXPECT_EQ(back.paletteCount(), 256);

    Surface16 bits;
    ASSERT_TRUE(bits.create(1, 1, 16, 0, true));
    const std::vector<uint8_t> fields = bits.toPackedBitmap();
    ASSERT_EQ(fields.size(), 40u + 12u + 4u);
    uint32_t red;
    std::memcpy(&red, fields.data() + 40, 4);
    EXPECT_EQ(red, 0xF800u);
    EXPECT_TRUE(Surface24{}.toPackedBitmap().empty());
}

} // namespace
} // namespace pict
