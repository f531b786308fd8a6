#include "SurfaceTestUtil.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

using testutil::numbered24;
using testutil::positionColor;
using testutil::rgb24;
using testutil::samePixels;

int countSet(const Surface8& s) {
    int n = 0;
    for (int32_t y = 0; y < s.height(); ++y)
        for (int32_t x = 0; x < s.width(); ++x)
            n += s.valueAt(x, y) != 0;
    return n;
}

TEST(SurfaceDrawing, FillWithExclusion) {
    Surface24 s;
    ASSERT_TRUE(s.create(6, 4));
    ASSERT_TRUE(s.fillRect({-3, -3, 4, 3}, 0x0000FF, {1, 1, 3, 9})); // red, 0x00BBGGRR
    EXPECT_EQ(rgb24(s, 0, 0), 0xFF0000u);
    EXPECT_EQ(rgb24(s, 3, 2), 0xFF0000u);
    EXPECT_EQ(rgb24(s, 1, 1), 0u); // excluded
    EXPECT_EQ(rgb24(s, 2, 2), 0u);
    EXPECT_EQ(rgb24(s, 4, 0), 0u); // outside
    EXPECT_EQ(rgb24(s, 0, 3), 0u);
    ASSERT_TRUE(s.fillSolid24({0, 0, 6, 4}, 0x00FF00, {-1, -1, 9, 9})); // all excluded
    EXPECT_EQ(rgb24(s, 0, 0), 0xFF0000u);
    ASSERT_TRUE(s.fillSolid24({5, 3, 4, 2}, 0xFF0000));
    EXPECT_EQ(rgb24(s, 4, 2), 0x0000FFu);

    Surface8 mask;
    ASSERT_TRUE(mask.create(3, 3, 8));
    ASSERT_TRUE(mask.fillAll(0x808080));
    EXPECT_EQ(mask.valueAt(2, 2), 128);
}

TEST(SurfaceDrawing, InvertTwiceRestores) {
    const Surface24 original = numbered24(5, 5);
    Surface24 s = original.clone();
    ASSERT_TRUE(s.invertRect({1, 1, 4, 4}, {2, 2, 3, 3}));
    EXPECT_EQ(s.getColor(1, 1), 0xFF000000u | (~positionColor(1, 1) & 0xFFFFFFu));
    EXPECT_EQ(s.getColor(2, 2), positionColor(2, 2));
    EXPECT_EQ(s.getColor(0, 0), positionColor(0, 0));
    ASSERT_TRUE(s.invertRect({1, 1, 4, 4}, {2, 2, 3, 3}));
    EXPECT_TRUE(samePixels(s, original));

    Surface1 mono;
    ASSERT_TRUE(mono.create(3, 1, 1));
    mono.setIndex(1, 0, 1);
    ASSERT_TRUE(mono.invertAll());
    EXPECT_EQ(mono.getIndex(0, 0), 1u);
    EXPECT_EQ(mono.getIndex(1, 0), 0u);
}

TEST(SurfaceDrawing, LinesIncludeBothEnds) {
    Surface8 s;
    ASSERT_TRUE(s.create(10, 10, 8));
    ASSERT_TRUE(s.drawLine({1, 1}, {8, 4}, 0xFFFFFF));
    EXPECT_EQ(s.valueAt(1, 1), 255);
    EXPECT_EQ(s.valueAt(8, 4), 255);
    EXPECT_EQ(countSet(s), 8); // one pixel per column of the longer axis
    ASSERT_TRUE(s.fillValue(0));
    ASSERT_TRUE(s.drawLine({3, 9}, {3, 9}, 0xFFFFFF));
    EXPECT_EQ(countSet(s), 1);
    ASSERT_TRUE(s.drawLine({-5, 0}, {20, 0}, 0xFFFFFF)); // clipped, no stray writes
    EXPECT_EQ(countSet(s), 11);
    ASSERT_TRUE(s.fillValue(0));
    ASSERT_TRUE(s.drawLine({9, 0}, {0, 9}, 0xFFFFFF));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(s.valueAt(9 - i, i), 255);
}

TEST(SurfaceDrawing, RectangleOutlineAndFill) {
    Surface8 s;
    ASSERT_TRUE(s.create(6, 6, 8));
    ASSERT_TRUE(s.drawRectangle({1, 1, 5, 4}, 0xFFFFFF));
    EXPECT_EQ(countSet(s), 10); // 4 x 3 outline
    EXPECT_EQ(s.valueAt(4, 3), 255);
    EXPECT_EQ(s.valueAt(2, 2), 0);
    ASSERT_TRUE(s.drawRectangle({1, 1, 5, 4}, 0xFFFFFF, 0));
    EXPECT_EQ(countSet(s), 12);
}

TEST(SurfaceDrawing, EllipseIsSymmetricAndInsideItsRect) {
    Surface8 s;
    ASSERT_TRUE(s.create(20, 20, 8));
    ASSERT_TRUE(s.fillEllipse({2, 3, 15, 11}, 0xFFFFFF));
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 20; ++x) {
            if (x < 2 || x >= 15 || y < 3 || y >= 11) {
                ASSERT_EQ(s.valueAt(x, y), 0) << x << "," << y;
            }
            ASSERT_EQ(s.valueAt(x, y), s.valueAt(2 + 14 - x, y));
            ASSERT_EQ(s.valueAt(x, y), s.valueAt(x, 3 + 10 - y));
        }
    EXPECT_EQ(s.valueAt(8, 3), 255);  // touches every side at its middle
    EXPECT_EQ(s.valueAt(2, 7), 255);
    EXPECT_EQ(s.valueAt(2, 3), 0);    // but not the corners
    ASSERT_TRUE(s.fillValue(0));
    ASSERT_TRUE(s.fillEllipse({5, 5, 6, 6}, 0xFFFFFF));
    EXPECT_EQ(countSet(s), 1);
}

TEST(SurfaceDrawing, ScrollAndTile) {
    Surface24 s = numbered24(5, 5);
    ASSERT_TRUE(s.scroll({0, 0, 5, 5}, 2, 1));
    EXPECT_EQ(s.getColor(2, 1), positionColor(0, 0));
    EXPECT_EQ(s.getColor(4, 4), positionColor(2, 3));
    EXPECT_EQ(s.getColor(0, 0), positionColor(0, 0)); // uncovered: as it was
    Surface24 t = numbered24(5, 5);
    ASSERT_TRUE(t.scroll({1, 1, 4, 4}, -1, -1));
    EXPECT_EQ(t.getColor(1, 1), positionColor(2, 2));
    EXPECT_EQ(t.getColor(0, 0), positionColor(0, 0)); // outside the rectangle

    const Surface24 pattern = numbered24(2, 3);
    Surface24 wall;
    ASSERT_TRUE(wall.create(5, 7));
    ASSERT_TRUE(wall.tile(pattern));
    for (int32_t y = 0; y < 7; ++y)
        for (int32_t x = 0; x < 5; ++x)
            ASSERT_EQ(wall.getColor(x, y), positionColor(x % 2, y % 3));
}

} // namespace
} // namespace pict
