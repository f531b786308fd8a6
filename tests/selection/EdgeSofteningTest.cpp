// The magic wand's anti-aliased edge, against a plain reference written pixel by pixel.
#include "selection/EdgeSoftening.h"
#include "selection/MaskTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pict::test {
namespace {

// Each pixel: the smaller of its coverage and the rounded mean of its 3 x 3 neighbourhood,
// neighbours off the canvas read at the nearest canvas pixel.
std::vector<uint8_t> referenceSoftening(const SelectionMask& region) {
    const int32_t w = region.canvasWidth();
    const int32_t h = region.canvasHeight();
    std::vector<uint8_t> out(size_t(w) * size_t(h));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            int sum = 0;
            for (int32_t dy = -1; dy <= 1; ++dy)
                for (int32_t dx = -1; dx <= 1; ++dx)
                    sum += region.coverageAt(std::clamp(x + dx, 0, w - 1), std::clamp(y + dy, 0, h - 1));
            out[size_t(y) * size_t(w) + size_t(x)] = uint8_t(std::min(int(region.coverageAt(x, y)), (sum + 4) / 9));
        }
    return out;
}

void expectMatchesReference(SelectionMask& region) {
    const std::vector<uint8_t> expected = referenceSoftening(region);
    ASSERT_TRUE(softenRegionEdge(region));
    const int32_t w = region.canvasWidth();
    for (int32_t y = 0; y < region.canvasHeight(); ++y)
        for (int32_t x = 0; x < w; ++x)
            ASSERT_EQ(region.coverageAt(x, y), expected[size_t(y) * size_t(w) + size_t(x)]) << x << "," << y;
}

TEST(EdgeSoftening, ASquareGetsASoftRimInsideItself) {
    SelectionMask region(20, 20);
    ASSERT_TRUE(region.setShape({5, 5, 15, 12}, false));
    ASSERT_TRUE(softenRegionEdge(region));
    EXPECT_EQ(region.bounds(), (Rect{5, 5, 15, 12})) << "never grows";
    EXPECT_EQ(region.coverageAt(10, 8), 255) << "inside";
    EXPECT_EQ(region.coverageAt(5, 8), 170) << "an edge: six of nine";
    EXPECT_EQ(region.coverageAt(10, 11), 170);
    EXPECT_EQ(region.coverageAt(5, 5), 113) << "a corner: four of nine";
    EXPECT_EQ(region.coverageAt(14, 11), 113);
    EXPECT_EQ(region.coverageAt(4, 8), 0) << "outside stays out";
}

TEST(EdgeSoftening, TheCanvasBorderStaysHard) {
    SelectionMask whole(12, 9);
    ASSERT_TRUE(whole.selectAll());
    ASSERT_TRUE(softenRegionEdge(whole));
    EXPECT_EQ(test::countAtLeast(whole, 255), 12 * 9);

    SelectionMask left(12, 9);
    ASSERT_TRUE(left.setShape({0, 0, 4, 9}, false));
    ASSERT_TRUE(softenRegionEdge(left));
    EXPECT_EQ(left.coverageAt(0, 0), 255);
    EXPECT_EQ(left.coverageAt(3, 4), 170) << "the edge inside the canvas softens";
}

TEST(EdgeSoftening, RandomRegionsMatchThePlainReference) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        SelectionMask region(37, 23);
        ASSERT_TRUE(region.load(randomMask(37, 23, seed, seed == 3 ? 30 : 0)));
        expectMatchesReference(region);
    }
    // A region in the middle, trimmed to its bounds: the canvas around it reads as unselected.
    SelectionMask inner(40, 30);
    ASSERT_TRUE(inner.place(randomMask(9, 7, 4, 0), {20, 11}));
    expectMatchesReference(inner);
    // Touching two sides of the canvas.
    SelectionMask corner(40, 30);
    ASSERT_TRUE(corner.place(randomMask(9, 7, 5, 0), {31, 23}));
    expectMatchesReference(corner);
}

TEST(EdgeSoftening, SinglePixelsAndEmptyRegions) {
    SelectionMask empty(5, 5);
    EXPECT_TRUE(softenRegionEdge(empty));
    EXPECT_TRUE(empty.isEmpty());

    SelectionMask dot(5, 5);
    ASSERT_TRUE(dot.setShape({2, 2, 3, 3}, false));
    ASSERT_TRUE(softenRegionEdge(dot));
    EXPECT_EQ(dot.coverageAt(2, 2), 28) << "one of nine";
}

} // namespace
} // namespace pict::test
