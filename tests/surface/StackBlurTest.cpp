// The one stack blur (Gaussian Blur and Feather) against a plain direct sum, its tables, its
// padding rule, and its strips on one thread against four.
#include "surface/StackBlur.h"

#include "support/ThreadCounts.h"
#include "surface/SurfaceTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <type_traits>
#include <utility>
#include <vector>

namespace pict {
namespace {

using testutil::samePixels;

template <class Surface> constexpr int kDepth = std::is_same_v<Surface, Surface24> ? 24 : 8;

template <class Surface>
Surface randomSurface(int32_t width, int32_t height, uint32_t seed, bool mostlyExtremes = false) {
    Surface s;
    EXPECT_TRUE(s.create(width, height, kDepth<Surface>));
    std::mt19937 random(seed);
    const int channels = s.depth() / 8;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width * channels; ++x)
            s.row(y)[x] = mostlyExtremes ? ((random() % 3) ? 255 : 0) : static_cast<uint8_t>(random());
    return s;
}

// 1 / (R + 1)^2 as a multiplier and shift, derived here apart from the blur's own tables: the
// shift is 9 + floor(log2((R + 1)^2)) and the multiplier is rounded up.
uint8_t divideBySquare(uint32_t sum, int32_t radius) {
    const uint64_t weight = uint64_t(radius + 1) * uint64_t(radius + 1);
    uint32_t shift = 9;
    while ((uint64_t(2) << (shift - 9)) <= weight)
        ++shift;
    const uint64_t mul = ((uint64_t(1) << shift) + weight - 1) / weight;
    return static_cast<uint8_t>((sum * mul) >> shift);
}

// One pass in one direction, straight from the definition: the value at x is
// sum over |k| <= R of (R + 1 - |k|) p[clamp(x + k)], divided by (R + 1)^2.
template <class Surface>
void referencePass(Surface& s, int32_t radius, bool alongRows) {
    if (radius == 0)
        return;
    const Surface copy = s.clone();
    const int channels = s.depth() / 8;
    for (int32_t y = 0; y < s.height(); ++y)
        for (int32_t x = 0; x < s.width(); ++x)
            for (int c = 0; c < channels; ++c) {
                uint32_t sum = 0;
                for (int32_t k = -radius; k <= radius; ++k) {
                    const int32_t sx = alongRows ? std::clamp(x + k, 0, s.width() - 1) : x;
                    const int32_t sy = alongRows ? y : std::clamp(y + k, 0, s.height() - 1);
                    sum += uint32_t(radius + 1 - std::abs(k)) * copy.row(sy)[int64_t(sx) * channels + c];
                }
                s.row(y)[int64_t(x) * channels + c] = divideBySquare(sum, radius);
            }
}

template <class Surface>
Surface referenceBlur(const Surface& in, int32_t radiusX, int32_t radiusY) {
    Surface out = in.clone();
    referencePass(out, radiusX, true);
    referencePass(out, radiusY, false);
    return out;
}

TEST(StackBlurTables, PublishedEntries) {
    const uint16_t firstMul[] = {512, 512, 456, 512, 328, 456};
    const uint8_t firstShift[] = {9, 11, 12, 13, 13, 14};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(kStackBlurTables.mul[r], firstMul[r]);
        EXPECT_EQ(kStackBlurTables.shift[r], firstShift[r]);
    }
    EXPECT_EQ(kStackBlurTables.mul[22], 496);
    EXPECT_EQ(kStackBlurTables.shift[22], 18);
    EXPECT_EQ(kStackBlurTables.mul[254], 259);
    EXPECT_EQ(kStackBlurTables.shift[254], 24);
    for (int r = 0; r <= kStackBlurMaxRadius; ++r)
        ASSERT_LE(uint64_t(255) * (r + 1) * (r + 1) * kStackBlurTables.mul[r], uint64_t(UINT32_MAX));
}

TEST(StackBlur, RadiusOneOfALonePixel) {
    Surface8 image;
    ASSERT_TRUE(image.create(5, 5, 8));
    for (int32_t y = 0; y < 5; ++y)
        std::fill_n(image.row(y), 5, uint8_t(0));
    image.row(2)[2] = 255;
    ASSERT_TRUE(stackBlur(image, 1, 0));
    EXPECT_EQ(image.row(2)[2], 127);
    EXPECT_EQ(image.row(2)[1], 63);
    ASSERT_TRUE(stackBlur(image, 0, 1));
    EXPECT_EQ(image.row(2)[2], 63);
    EXPECT_EQ(image.row(1)[2], 31);
    EXPECT_EQ(image.row(2)[3], 31);
    EXPECT_EQ(image.row(1)[1], 15);
}

// Every radius Gaussian Blur and Feather commonly use, on both depths, on surfaces both
// larger and smaller than the window (the edge repeats many times then).
TEST(StackBlur, EveryRadiusUpToFortyMatchesTheDirectSum) {
    for (int32_t r = 1; r <= 40; ++r) {
        SCOPED_TRACE(r);
        const Surface24 color = randomSurface<Surface24>(37, 23, uint32_t(r));
        Surface24 fastColor = color.clone();
        ASSERT_TRUE(stackBlur(fastColor, r));
        EXPECT_TRUE(samePixels(fastColor, referenceBlur(color, r, r)));

        // Selections are mostly fully in or out: that is what Feather gives the blur.
        const Surface8 mask = randomSurface<Surface8>(19, 31, uint32_t(r) + 100, true);
        Surface8 fastMask = mask.clone();
        ASSERT_TRUE(stackBlur(fastMask, r));
        EXPECT_TRUE(samePixels(fastMask, referenceBlur(mask, r, r)));

        const Surface8 plane = randomSurface<Surface8>(5, 3, uint32_t(r) + 200);
        Surface8 fastPlane = plane.clone();
        ASSERT_TRUE(stackBlur(fastPlane, r));
        EXPECT_TRUE(samePixels(fastPlane, referenceBlur(plane, r, r)));
    }
}

TEST(StackBlur, EachDirectionHasItsOwnRadius) {
    for (const auto& [rx, ry] : std::vector<std::pair<int32_t, int32_t>>{{0, 3}, {4, 0}, {1, 17}, {9, 2}}) {
        SCOPED_TRACE(testing::Message() << rx << " x " << ry);
        const Surface24 color = randomSurface<Surface24>(21, 14, uint32_t(rx * 31 + ry));
        Surface24 fast = color.clone();
        ASSERT_TRUE(stackBlur(fast, rx, ry));
        EXPECT_TRUE(samePixels(fast, referenceBlur(color, rx, ry)));
    }
}

TEST(StackBlur, LargestRadiusAndOnePixelSurfaces) {
    for (const auto& [width, height] : std::vector<std::pair<int32_t, int32_t>>{{1, 1}, {1, 9}, {260, 3}}) {
        const Surface24 color = randomSurface<Surface24>(width, height, uint32_t(width + height));
        Surface24 fast = color.clone();
        ASSERT_TRUE(stackBlur(fast, 254));
        EXPECT_TRUE(samePixels(fast, referenceBlur(color, 254, 254))) << width << "x" << height;
    }
    // Radii beyond the tables are taken as the largest.
    const Surface8 plane = randomSurface<Surface8>(7, 6, 5);
    Surface8 beyond = plane.clone();
    ASSERT_TRUE(stackBlur(beyond, 900));
    EXPECT_TRUE(samePixels(beyond, referenceBlur(plane, 254, 254)));
}

TEST(StackBlur, WideImagesUseSeveralColumnStrips) {
    // 150 pixels of three bytes are three strips of 192 lanes, the last one short.
    const Surface24 color = randomSurface<Surface24>(150, 12, 99);
    Surface24 fast = color.clone();
    ASSERT_TRUE(stackBlur(fast, 4));
    EXPECT_TRUE(samePixels(fast, referenceBlur(color, 4, 4)));
}

TEST(StackBlur, RadiusZeroAndAnEmptySurface) {
    const Surface24 color = randomSurface<Surface24>(6, 4, 1);
    Surface24 same = color.clone();
    EXPECT_TRUE(stackBlur(same, 0));
    EXPECT_TRUE(samePixels(same, color));
    Surface8 empty;
    EXPECT_FALSE(stackBlur(empty, 3));
}

TEST(StackBlurPadding, TwoPointSevenTimesTheRadiusRoundedUp) {
    EXPECT_EQ(stackBlurPadding(1.0), 3);   // 2.7 -> 3
    EXPECT_EQ(stackBlurPadding(10.0), 27); // exactly 27
    EXPECT_EQ(stackBlurPadding(0.1), 1);
    EXPECT_EQ(stackBlurPadding(250.0), 675);
    // Never less than the whole-pixel radius a blur of that radius reaches.
    for (double r = 0.1; r <= 250.0; r += 0.37)
        ASSERT_GE(stackBlurPadding(r), static_cast<int32_t>(std::ceil(r))) << r;
}

template <class Surface>
void expectSameOnOneAndFourThreads(int32_t width, int32_t height, int32_t rx, int32_t ry) {
    SCOPED_TRACE(testing::Message() << kDepth<Surface> << "-bit " << rx << " x " << ry);
    const auto result = test::onOneAndFourThreads([&] {
        Surface surface = randomSurface<Surface>(width, height, uint32_t(rx + ry));
        EXPECT_TRUE(stackBlur(surface, rx, ry));
        return surface;
    });
    EXPECT_TRUE(samePixels(result.one, result.four));
}

TEST(StackBlurThreads, SameBytesOnOneAndFourThreads) {
    for (const auto& [rx, ry] :
         std::vector<std::pair<int32_t, int32_t>>{{1, 1}, {0, 9}, {9, 0}, {30, 2}, {40, 40}, {254, 254}}) {
        expectSameOnOneAndFourThreads<Surface24>(131, 67, rx, ry);
        expectSameOnOneAndFourThreads<Surface8>(123, 77, rx, ry);
    }
}

} // namespace
} // namespace pict
