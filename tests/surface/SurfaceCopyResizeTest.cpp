#include "SurfaceTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

namespace pict {
namespace {

using testutil::numbered24;
using testutil::positionColor;
using testutil::rgb24;
using testutil::samePixels;

TEST(SurfaceCopy, CopyRectClipsOnBothSides) {
    Surface24 dest;
    ASSERT_TRUE(dest.create(4, 4));
    const Surface24 source = numbered24(3, 3);
    ASSERT_TRUE(dest.copyRect(source, {0, 0, 3, 3}, {-1, 2}));
    EXPECT_EQ(dest.getColor(0, 2), positionColor(1, 0));
    EXPECT_EQ(dest.getColor(1, 3), positionColor(2, 1));
    EXPECT_EQ(rgb24(dest, 2, 2), 0u);
    EXPECT_EQ(rgb24(dest, 0, 1), 0u);
    // A source rectangle reaching outside the source only copies what exists.
    ASSERT_TRUE(dest.copyRect(source, {-2, -2, 1, 1}, {0, 0}));
    EXPECT_EQ(dest.getColor(2, 2), positionColor(0, 0));
    EXPECT_TRUE(dest.copyRect(source, {0, 0, 3, 3}, {10, 10})); // nothing to do
    Surface24 empty;
    EXPECT_FALSE(dest.copyRect(empty, {0, 0, 1, 1}, {0, 0}));
}

TEST(SurfaceCopy, DepthConversionThroughColors) {
    Surface8 gray;
    ASSERT_TRUE(gray.create(2, 1, 8));
    gray.setValueAt(0, 0, 77);
    gray.setValueAt(1, 0, 200);
    Surface24 color;
    ASSERT_TRUE(color.create(2, 1));
    ASSERT_TRUE(color.copyRect(gray, gray.bounds(), {0, 0}));
    EXPECT_EQ(rgb24(color, 0, 0), 0x4D4D4Du);
    EXPECT_EQ(rgb24(color, 1, 0), 0xC8C8C8u);

    color.setColor(0, 0, 0x00101112);
    ASSERT_TRUE(gray.copyRect(color, color.bounds(), {0, 0})); // nearest gray entry
    EXPECT_EQ(gray.valueAt(0, 0), 0x11);

    Surface4 vga;
    ASSERT_TRUE(vga.create(2, 1, 4));
    color.setColor(1, 0, 0x00F00505); // closest to red (index 12)
    ASSERT_TRUE(vga.copyRect(color, color.bounds(), {0, 0}));
    EXPECT_EQ(vga.getIndex(1, 0), 12u);

    Surface32 alpha;
    ASSERT_TRUE(alpha.create(1, 1, 32));
    alpha.setColor(0, 0, 0x00ABCDEF);
    Surface24 opaque;
    ASSERT_TRUE(opaque.copyFrom(alpha)); // the blit drops alpha
    EXPECT_EQ(opaque.getColor(0, 0), 0xFFABCDEFu);
    ASSERT_TRUE(alpha.copyRect(opaque, opaque.bounds(), {0, 0}));
    EXPECT_EQ(alpha.getColor(0, 0), 0xFFABCDEFu);
}

TEST(SurfaceCopy, CopyFromMakesTwentyFourBits) {
    Surface1 mono;
    ASSERT_TRUE(mono.create(5, 5, 1));
    mono.setIndex(3, 2, 1);
    Surface24 s;
    ASSERT_TRUE(s.copyFrom(mono, {2, 1, 9, 9})); // clipped to 3 x 4
    ASSERT_EQ(s.size(), (Size{3, 4}));
    EXPECT_EQ(rgb24(s, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(rgb24(s, 0, 0), 0u);
    EXPECT_FALSE(s.copyFrom(mono, {7, 7, 9, 9}));
    EXPECT_TRUE(s.isEmpty());

    Surface24 self = numbered24(4, 4);
    ASSERT_TRUE(self.copyFrom(self, {1, 1, 3, 3}));
    EXPECT_EQ(self.getColor(0, 0), positionColor(1, 1));

    Surface24 fromEmpty = numbered24(2, 2);
    ASSERT_TRUE(fromEmpty.copyFrom(Surface24{}));
    EXPECT_TRUE(fromEmpty.isEmpty());

    Surface8 mask;
    EXPECT_FALSE(mask.copyFrom(mono)); // an 8-bit class cannot hold the 24-bit copy
}

TEST(SurfaceCopy, DrawToIsAClippedBlit) {
    const Surface24 tile = numbered24(2, 2);
    Surface24 target;
    ASSERT_TRUE(target.create(3, 3));
    ASSERT_TRUE(tile.drawTo(target, {2, -1}));
    EXPECT_EQ(target.getColor(2, 0), positionColor(0, 1));
    EXPECT_EQ(rgb24(target, 1, 0), 0u);
}

TEST(SurfaceResize, PlainStretchNeverMixes) {
    Surface24 one;
    ASSERT_TRUE(one.create(1, 1));
    one.setColor(0, 0, 0x00336699);
    ASSERT_TRUE(one.resize({3, 3}, false));
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(rgb24(one, x, y), 0x336699u);

    const Surface24 source = numbered24(7, 5);
    std::set<uint32_t> colors;
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 7; ++x)
            colors.insert(source.getColor(x, y));
    for (Size size : {Size{3, 2}, Size{16, 11}, Size{7, 1}}) {
        Surface24 out;
        ASSERT_TRUE(source.resizePlainInto(out, size));
        ASSERT_EQ(out.size(), size);
        for (int32_t y = 0; y < size.height; ++y)
            for (int32_t x = 0; x < size.width; ++x)
                ASSERT_TRUE(colors.count(out.getColor(x, y)));
    }
    // Halving picks one pixel of every 2 x 2 block.
    Surface24 half;
    ASSERT_TRUE(numbered24(4, 4).resizePlainInto(half, {2, 2}));
    EXPECT_EQ(half.getColor(1, 1), positionColor(3, 3));
}

TEST(SurfaceResize, SizesAndFailures) {
    Surface24 s = numbered24(4, 4);
    EXPECT_FALSE(s.resize({0, 4}, true));
    EXPECT_FALSE(s.resize({4, -1}, false));
    EXPECT_EQ(s.size(), (Size{4, 4}));
    const Surface24 before = s.clone();
    ASSERT_TRUE(s.resize({4, 4}, true));
    EXPECT_TRUE(samePixels(s, before));
    Surface8 wrong;
    EXPECT_FALSE(s.resizeInto(wrong, {2, 2}, true)); // the target class refuses 24 bits
    Surface24 empty;
    EXPECT_FALSE(empty.resize({2, 2}, true));
}

// The smooth shrink against a direct floating-point area average.
TEST(SurfaceResize, SmoothShrinkAveragesTheCoveredArea) {
    std::mt19937 rng(11);
    Surface24 source;
    ASSERT_TRUE(source.create(17, 13));
    for (int32_t y = 0; y < 13; ++y)
        for (int32_t i = 0; i < 17 * 3; ++i)
            source.row(y)[i] = uint8_t(rng());
    for (Size size : {Size{8, 6}, Size{5, 13}, Size{1, 1}, Size{16, 4}}) {
        Surface24 out;
        ASSERT_TRUE(source.resizeSmoothInto(out, size));
        const double fx = 17.0 / size.width, fy = 13.0 / size.height;
        for (int32_t y = 0; y < size.height; ++y)
            for (int32_t x = 0; x < size.width; ++x)
                for (int c = 0; c < 3; ++c) {
                    double sum = 0;
                    for (int32_t sy = 0; sy < 13; ++sy)
                        for (int32_t sx = 0; sx < 17; ++sx) {
                            const double ox = std::max(0.0, std::min(x * fx + fx, sx + 1.0) - std::max(x * fx, double(sx)));
                            const double oy = std::max(0.0, std::min(y * fy + fy, sy + 1.0) - std::max(y * fy, double(sy)));
                            sum += ox * oy * source.row(sy)[3 * sx + c];
                        }
                    const double expected = sum / (fx * fy);
                    ASSERT_NEAR(out.row(y)[3 * x + c], expected, 1.0) << size.width << "x" << size.height;
                }
    }
}

TEST(SurfaceResize, SmoothEnlargeInterpolates) {
    Surface24 two;
    ASSERT_TRUE(two.create(2, 1));
    two.setColor(0, 0, 0);
    two.setColor(1, 0, 0x00C8C8C8);
    Surface24 wide;
    ASSERT_TRUE(two.resizeSmoothInto(wide, {8, 3}));
    // Pixels outside the outer centres repeat the edge; between them values rise steadily.
    EXPECT_EQ(rgb24(wide, 0, 0), 0u);
    EXPECT_EQ(rgb24(wide, 7, 2), 0xC8C8C8u);
    for (int32_t x = 1; x < 8; ++x)
        EXPECT_GE(wide.row(1)[3 * x], wide.row(1)[3 * (x - 1)]);
    EXPECT_NEAR(wide.row(0)[3 * 3], 200 * 0.375, 1.0); // centre 3.5 / 4 - 0.5 = 0.375

    Surface24 flat;
    ASSERT_TRUE(flat.create(5, 3));
    flat.fillAll(0x00808080);
    ASSERT_TRUE(flat.resize({13, 2}, true)); // enlarge one axis, shrink the other
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 13; ++x)
            ASSERT_EQ(rgb24(flat, x, y), 0x808080u);
}

TEST(SurfaceResize, SmoothOtherDepths) {
    Surface8 mask;
    ASSERT_TRUE(mask.create(2, 2, 8));
    mask.setValueAt(0, 0, 255);
    mask.setValueAt(1, 1, 255);
    ASSERT_TRUE(mask.resize({1, 1}, true));
    EXPECT_EQ(mask.valueAt(0, 0), 128); // the levels are averaged

    Surface4 vga;
    ASSERT_TRUE(vga.create(4, 4, 4));
    vga.fillAll(0x0000FF); // red
    ASSERT_TRUE(vga.resize({2, 2}, true));
    EXPECT_EQ(vga.depth(), 4);
    EXPECT_EQ(vga.getIndex(1, 1), 12u);
}

} // namespace
} // namespace pict
