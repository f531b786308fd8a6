#include "SurfaceTestUtil.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

using testutil::numbered24;
using testutil::numbered8;
using testutil::positionColor;
using testutil::rgb24;
using testutil::samePixels;

TEST(SurfaceOrientation, QuarterTurnOfThreeByTwo) {
    Surface24 s = numbered24(3, 2);
    ASSERT_TRUE(s.rotate90Clockwise());
    ASSERT_EQ(s.width(), 2);
    ASSERT_EQ(s.height(), 3);
    EXPECT_EQ(s.getColor(1, 0), positionColor(0, 0)); // top-left went top-right
    // (x, y) of a W x H surface moves to (H - 1 - y, x).
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(s.getColor(2 - 1 - y, x), positionColor(x, y));

    Surface24 c = numbered24(3, 2);
    ASSERT_TRUE(c.rotate90CounterClockwise());
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(c.getColor(y, 3 - 1 - x), positionColor(x, y));
}

TEST(SurfaceOrientation, TurnsComposeToIdentity) {
    // Sizes beyond one transposition band and with odd edges.
    const Surface24 original = numbered24(71, 45);
    Surface24 s = original.clone();
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(s.rotate90Clockwise());
    EXPECT_TRUE(samePixels(s, original));
    ASSERT_TRUE(s.rotate90Clockwise());
    ASSERT_TRUE(s.rotate90CounterClockwise());
    EXPECT_TRUE(samePixels(s, original));

    Surface24 twice = original.clone();
    ASSERT_TRUE(twice.rotate90Clockwise());
    ASSERT_TRUE(twice.rotate90Clockwise());
    Surface24 half = original.clone();
    ASSERT_TRUE(half.rotate180());
    EXPECT_TRUE(samePixels(twice, half));
    EXPECT_EQ(half.getColor(0, 0), positionColor(70, 44));

    const Surface8 mask = numbered8(33, 70);
    Surface8 m = mask.clone();
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(m.rotate90CounterClockwise());
    EXPECT_TRUE(samePixels(m, mask));
    ASSERT_TRUE(m.rotate180());
    EXPECT_EQ(m.valueAt(0, 0), mask.valueAt(32, 69));
    ASSERT_TRUE(m.rotate180());
    EXPECT_TRUE(samePixels(m, mask));
}

TEST(SurfaceOrientation, MirrorFlipTransposeTransverse) {
    const Surface24 original = numbered24(5, 4);
    Surface24 s = original.clone();
    ASSERT_TRUE(s.mirror());
    EXPECT_EQ(s.getColor(4, 1), positionColor(0, 1));
    EXPECT_EQ(s.getColor(2, 3), positionColor(2, 3)); // the middle column stays
    ASSERT_TRUE(s.mirror());
    EXPECT_TRUE(samePixels(s, original));

    ASSERT_TRUE(s.flip());
    EXPECT_EQ(s.getColor(1, 0), positionColor(1, 3));
    ASSERT_TRUE(s.flip());
    EXPECT_TRUE(samePixels(s, original));

    Surface24 t = original.clone();
    ASSERT_TRUE(t.transpose());
    ASSERT_EQ(t.size(), (Size{4, 5}));
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 5; ++x)
            EXPECT_EQ(t.getColor(y, x), positionColor(x, y));

    Surface24 v = original.clone();
    ASSERT_TRUE(v.transverse());
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 5; ++x)
            EXPECT_EQ(v.getColor(4 - 1 - y, 5 - 1 - x), positionColor(x, y));
}

TEST(SurfaceOrientation, PackedDepths) {
    Surface4 nibbles;
    ASSERT_TRUE(nibbles.create(5, 2, 4));
    for (int32_t x = 0; x < 5; ++x)
        nibbles.setIndex(x, 0, uint32_t(x + 1));
    ASSERT_TRUE(nibbles.mirror());
    for (int32_t x = 0; x < 5; ++x)
        EXPECT_EQ(nibbles.getIndex(x, 0), uint32_t(5 - x));
    ASSERT_TRUE(nibbles.flip());
    EXPECT_EQ(nibbles.getIndex(0, 1), 5u);
    EXPECT_EQ(nibbles.getIndex(0, 0), 0u);

    Surface1 mono;
    ASSERT_TRUE(mono.create(10, 3, 1));
    mono.setIndex(9, 0, 1);
    ASSERT_TRUE(mono.flip());
    EXPECT_EQ(mono.getIndex(9, 2), 1u);
    // Quarter turns are for whole-byte pixels; a refusal keeps the surface as it was.
    EXPECT_FALSE(mono.rotate90Clockwise());
    EXPECT_EQ(mono.size(), (Size{10, 3}));
    EXPECT_EQ(mono.getIndex(9, 2), 1u);

    Surface24 empty;
    EXPECT_FALSE(empty.rotate90Clockwise());
    EXPECT_FALSE(empty.mirror());
    EXPECT_FALSE(empty.flip());
}

TEST(SurfaceCanvas, SetBoundsGrowsShrinksAndShifts) {
    Surface24 s = numbered24(4, 3);
    ASSERT_TRUE(s.setBounds({-2, -1, 5, 3}, true)); // grow left and up, cut on the right
    ASSERT_EQ(s.size(), (Size{7, 4}));
    EXPECT_EQ(rgb24(s, 0, 0), 0u); // new area is zero
    EXPECT_EQ(rgb24(s, 1, 3), 0u);
    EXPECT_EQ(s.getColor(2, 1), positionColor(0, 0));
    EXPECT_EQ(s.getColor(5, 3), positionColor(3, 2));
    EXPECT_EQ(rgb24(s, 6, 3), 0u);

    ASSERT_TRUE(s.setBounds({5, 3, 2, 1}, true)); // not normalised: the rect 2..5 x 1..3
    ASSERT_EQ(s.size(), (Size{3, 2}));
    EXPECT_EQ(s.getColor(0, 0), positionColor(0, 0));

    Surface24 same = numbered24(3, 3);
    ASSERT_TRUE(same.setBounds({1, 0, 4, 3}, true)); // same size: only a shift
    EXPECT_EQ(same.getColor(0, 0), positionColor(1, 0));
    EXPECT_EQ(rgb24(same, 2, 0), 0u);

    Surface8 mask = numbered8(3, 3);
    ASSERT_TRUE(mask.setBounds({0, 0, 6, 6}, false));
    EXPECT_EQ(mask.valueAt(1, 1), 0);
    EXPECT_FALSE(mask.setBounds({2, 2, 2, 5}, true));
    EXPECT_EQ(mask.size(), (Size{6, 6}));

    Surface24 empty;
    ASSERT_TRUE(empty.setBounds({0, 0, 8, 2}, true));
    EXPECT_EQ(empty.size(), (Size{8, 2}));
}

TEST(SurfaceCanvas, TrimToDifferingPixels) {
    Surface24 s;
    ASSERT_TRUE(s.create(20, 20));
    s.fillAll(0xFFFFFF);
    ASSERT_TRUE(s.trim()); // uniform: unchanged
    EXPECT_EQ(s.size(), (Size{20, 20}));
    s.setColor(5, 7, 0);
    ASSERT_TRUE(s.trim());
    EXPECT_EQ(s.size(), (Size{1, 1}));
    EXPECT_EQ(rgb24(s, 0, 0), 0u);

    Surface8 m;
    ASSERT_TRUE(m.create(10, 10, 8));
    m.setValueAt(2, 8, 1);
    m.setValueAt(7, 3, 1);
    ASSERT_TRUE(m.trim());
    EXPECT_EQ(m.size(), (Size{6, 6}));
    EXPECT_EQ(m.valueAt(0, 5), 1);
    EXPECT_EQ(m.valueAt(5, 0), 1);

    AnySurface any;
    ASSERT_TRUE(any.create(2, 2, 24));
    EXPECT_FALSE(any.trim());
}

TEST(SurfaceCanvas, SetSizeWithOffset) {
    Surface8 m = numbered8(4, 4);
    const uint8_t inner = m.valueAt(1, 1);
    ASSERT_NE(inner, 0);
    ASSERT_TRUE(m.setSizeWithOffset({4, 4}, {2, 2})); // unchanged size: nothing happens
    EXPECT_EQ(m.valueAt(1, 1), inner);
    ASSERT_TRUE(m.setSizeWithOffset({6, 5}, {2, 1}));
    EXPECT_EQ(m.size(), (Size{6, 5}));
    EXPECT_EQ(m.valueAt(3, 2), inner);
    EXPECT_EQ(m.valueAt(1, 1), 0);
    EXPECT_FALSE(m.setSizeWithOffset({0, 5}, {0, 0}));
}

} // namespace
} // namespace pict
