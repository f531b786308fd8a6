#include "SurfaceTestUtil.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(SurfacePixels, ColorAccessByDepth) {
    Surface24 color;
    ASSERT_TRUE(color.create(3, 2));
    EXPECT_TRUE(color.setColor(1, 1, 0x00123456));
    EXPECT_EQ(color.getColor(1, 1), 0xFF123456u); // always opaque
    EXPECT_EQ(color.row(1)[3], 0x56);               // blue first in memory
    EXPECT_EQ(color.row(1)[5], 0x12);

    Surface1 mono;
    ASSERT_TRUE(mono.create(9, 1, 1));
    EXPECT_EQ(mono.getColor(8, 0), 0x000000u);
    EXPECT_TRUE(mono.setIndex(8, 0, 1));
    EXPECT_EQ(mono.getColor(8, 0), 0xFFFFFFu);
    EXPECT_EQ(mono.row(0)[1], 0x80); // most significant bit first
    EXPECT_TRUE(mono.setIndex(8, 0, 0x100)); // low byte zero writes 0
    EXPECT_EQ(mono.getIndex(8, 0), 0u);
    EXPECT_TRUE(mono.setIndex(0, 0, 0x02));
    EXPECT_EQ(mono.getIndex(0, 0), 1u);

    Surface4 nibbles;
    ASSERT_TRUE(nibbles.create(3, 1, 4));
    nibbles.setIndex(0, 0, 12);
    nibbles.setIndex(1, 0, 0x19);
    EXPECT_EQ(nibbles.row(0)[0], 0xC9); // even x in the high nibble
    EXPECT_EQ(nibbles.getColor(0, 0), 0xFF0000u);
    EXPECT_EQ(nibbles.getColor(1, 0), 0x0000FFu);

    Surface8 gray;
    ASSERT_TRUE(gray.create(2, 2, 8));
    EXPECT_TRUE(gray.setColor(0, 0, 0x000A0A0B)); // nearest gray entry
    EXPECT_EQ(gray.getIndex(0, 0), 10u);

    Surface32 alpha;
    ASSERT_TRUE(alpha.create(1, 1, 32));
    alpha.setColor(0, 0, 0x80FF0000);
    EXPECT_EQ(alpha.getColor(0, 0), 0x80FF0000u);
}

TEST(SurfacePixels, SixteenBitLayouts) {
    Surface16 five;
    ASSERT_TRUE(five.create(1, 1, 15));
    five.setColor(0, 0, 0xFFF80408);
    EXPECT_EQ(five.row(0)[0] | five.row(0)[1] << 8, (31 << 10) | (0 << 5) | 1);
    EXPECT_EQ(five.getColor(0, 0), 0xFFF80008u);

    Surface16 six;
    ASSERT_TRUE(six.create(1, 1, 16, 0, true));
    six.setColor(0, 0, 0xFF08FC08); // green keeps 6 bits
    EXPECT_EQ(six.row(0)[0] | six.row(0)[1] << 8, (1 << 11) | (63 << 5) | 1);
    EXPECT_EQ(six.getColor(0, 0), 0xFF08FC08u);
}

TEST(SurfacePixels, OutOfRangeAndWrongDepth) {
    Surface24 s;
    ASSERT_TRUE(s.create(2, 2));
    s.fillAll(0xFFFFFF);
    EXPECT_EQ(s.getColor(-1, 0), 0u);
    EXPECT_EQ(s.getColor(2, 0), 0u);
    EXPECT_EQ(s.getColor(0, 2), 0u);
    EXPECT_TRUE(s.setColor(5, 5, 0)); // ignored, not a failure
    EXPECT_EQ(s.getIndex(0, 0), 0u);  // no index in a color surface
    EXPECT_FALSE(s.setIndex(0, 0, 1));

    Surface24 empty;
    EXPECT_EQ(empty.getColor(0, 0), 0u);
    EXPECT_FALSE(empty.setColor(0, 0, 1));

    Surface8 noPalette;
    ASSERT_TRUE(noPalette.create(1, 1, 8));
    noPalette.buffer()->palette = ColorTable{};
    EXPECT_FALSE(noPalette.setColor(0, 0, 0));
}

TEST(SurfacePixels, AnySurfaceForwardsByDepth) {
    AnySurface any;
    ASSERT_TRUE(any.create(2, 1, 4));
    EXPECT_TRUE(any.setIndex(1, 0, 9));
    EXPECT_EQ(any.getIndex(1, 0), 9u);
    EXPECT_EQ(any.getColor(1, 0), 0x0000FFu);
    ASSERT_TRUE(any.create(2, 1, 24));
    EXPECT_TRUE(any.setColor(0, 0, 0x00ABCDEF));
    EXPECT_EQ(any.getColor(0, 0), 0xFFABCDEFu);
    EXPECT_FALSE(any.setIndex(0, 0, 1));
}

// Every depth class must read and write exactly as AnySurface does for a buffer of that
// depth, refuse the other depths, and clone into its own class.
template <class S>
class DepthClasses : public ::testing::Test {};
using AllDepthClasses = ::testing::Types<Surface1, Surface4, Surface8, Surface16, Surface24, Surface32>;
TYPED_TEST_SUITE(DepthClasses, AllDepthClasses);

TYPED_TEST(DepthClasses, MatchAnySurfaceAndRefuseOtherDepths) {
    constexpr int depth = TypeParam::kDepth;
    TypeParam typed;
    AnySurface any;
    ASSERT_TRUE(typed.create(7, 3, depth));
    ASSERT_TRUE(any.create(7, 3, depth));
    uint32_t seed = 12345;
    for (int32_t y = -1; y <= 3; ++y)
        for (int32_t x = -1; x <= 7; ++x) {
            seed = seed * 1103515245u + 12345u;
            const uint32_t value = seed >> 3;
            EXPECT_EQ(typed.setColor(x, y, value), any.setColor(x, y, value));
            EXPECT_EQ(typed.getColor(x, y), any.getColor(x, y));
            EXPECT_EQ(typed.setIndex(x, y, value >> 5), any.setIndex(x, y, value >> 5));
            EXPECT_EQ(typed.getIndex(x, y), any.getIndex(x, y));
        }
    EXPECT_TRUE(testutil::samePixels(typed, any));

    TypeParam copy = typed.clone();
    EXPECT_TRUE(testutil::samePixels(copy, typed));
    EXPECT_NE(copy.buffer(), typed.buffer());

    for (int other : {1, 4, 8, 16, 24, 32}) {
        AnySurface source;
        ASSERT_TRUE(source.create(2, 2, other));
        EXPECT_EQ(typed.accepts(*source.buffer()), other == depth) << other;
        EXPECT_EQ(typed.attach(source.detach()), other == depth) << other;
    }

    TypeParam empty;
    EXPECT_EQ(empty.getColor(0, 0), 0u);
    EXPECT_FALSE(empty.setColor(0, 0, 1));
    EXPECT_FALSE(empty.setIndex(0, 0, 1));
}

} // namespace
} // namespace pict
