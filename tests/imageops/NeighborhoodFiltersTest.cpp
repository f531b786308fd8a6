#include "FilterTestSupport.h"

#include "imageops/ConvolutionFilter.h"
#include "imageops/CoverageBlend.h"
#include "imageops/GaussianBlurFilter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pict {
namespace {

using namespace pict::test;

// ---- plain references: direct sums over clamped coordinates ----

uint8_t at(const RasterSurface& s, int32_t x, int32_t y, int c, int channels) {
    x = std::clamp(x, 0, s.width() - 1);
    y = std::clamp(y, 0, s.height() - 1);
    return s.row(y)[int64_t(x) * channels + c];
}

int32_t referenceConvolution(const RasterSurface& s, const ConvolutionFilter& f, int32_t x, int32_t y, int c,
                             int channels) {
    const int32_t r = f.radius();
    int32_t sum = 0;
    for (int32_t j = 0; j < f.size(); ++j)
        for (int32_t i = 0; i < f.size(); ++i)
            sum += f.kernel()[j * f.size() + i] * at(s, x + i - r, y + j - r, c, channels);
    return std::clamp(sum / f.divisor() + f.offset(), 0, 255);
}

// What a masked convolution leaves in a 24-bit channel: the source where the selection does
// not reach, the filtered value where it fully does, and in between the filtered value moved
// back toward the source by the uncovered share.
int32_t referenceMaskedColor(const Surface24& source, const ConvolutionFilter& f, int32_t x, int32_t y, int c,
                             int32_t coverage) {
    const int32_t src = source.row(y)[x * 3 + c];
    const int32_t fresh = referenceConvolution(source, f, x, y, c, 3);
    if (coverage == 0)
        return src;
    return coverage == 255 ? fresh : fresh + (((src - fresh) * (255 - coverage)) >> 8);
}

TEST(Convolution, UniformImagesStayUniform) {
    for (FilterKind kind : {FilterKind::Blur, FilterKind::BlurMore, FilterKind::Sharpen, FilterKind::SharpenMore}) {
        Surface24 image = makeRgb(5, 4, {9, 130, 250});
        ConvolutionFilter filter(kind);
        EXPECT_TRUE(filter.apply(image));
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 5; ++x)
                ASSERT_EQ(pixel(image, x, y), (Bgr{9, 130, 250})) << filter.name();
    }
}

TEST(Convolution, SharpenAndBlurOfALonePixel) {
    Surface24 field = makeRgb(5, 5, gray(100));
    setPixel(field, 2, 2, gray(200));
    ConvolutionFilter(FilterKind::Sharpen).apply(field);
    EXPECT_EQ(pixel(field, 2, 2), gray(255));
    EXPECT_EQ(pixel(field, 2, 1), gray(75));
    EXPECT_EQ(pixel(field, 3, 2), gray(75));
    EXPECT_EQ(pixel(field, 1, 1), gray(100));

    Surface24 spot = makeRgb(5, 5);
    setPixel(spot, 2, 2, Bgr{0, 255, 0});
    ConvolutionFilter(FilterKind::Blur).apply(spot);
    EXPECT_EQ(pixel(spot, 2, 2), (Bgr{0, 127, 0}));
    EXPECT_EQ(pixel(spot, 2, 3), (Bgr{0, 31, 0}));
    EXPECT_EQ(pixel(spot, 3, 3), (Bgr{}));

    Surface8 dark = makeGray(5, 5, 0);
    dark.row(2)[2] = 255;
    ConvolutionFilter(FilterKind::Blur).apply(dark);
    EXPECT_EQ(dark.row(2)[2], 127);
    EXPECT_EQ(dark.row(1)[2], 31);
    EXPECT_EQ(dark.row(2)[1], 31);
    EXPECT_EQ(dark.row(1)[1], 0);
}

TEST(Convolution, BorderRepeatsEdgePixels) {
    Surface8 image = makeGray(4, 3, 0);
    for (int32_t y = 0; y < 3; ++y)
        image.row(y)[0] = 200;
    ConvolutionFilter(FilterKind::Blur).apply(image);
    EXPECT_EQ(image.row(1)[0], 175); // 200 * 7 / 8: the missing left column is 200 again
    EXPECT_EQ(image.row(0)[0], 175);
    EXPECT_EQ(image.row(1)[1], 25);
}

TEST(Convolution, MatchesReferenceOnRandomImagesAndKernels) {
    Surface24 source = makeRgb(17, 11);
    fillRandom(source, 5);
    std::vector<std::unique_ptr<ConvolutionFilter>> filters;
    for (FilterKind kind : {FilterKind::Blur, FilterKind::BlurMore, FilterKind::Sharpen, FilterKind::SharpenMore})
        filters.push_back(std::make_unique<ConvolutionFilter>(kind));
    auto owned = std::make_unique<ConvolutionFilter>(FilterKind::Blur);
    ConvolutionFilter& custom = *owned;
    std::vector<int32_t> five(25, 1);
    five[12] = -30;
    ASSERT_TRUE(custom.setKernel(five, 5));
    custom.setDivisor(-3); // stored as 1
    custom.setOffset(40);
    EXPECT_EQ(custom.divisor(), 1);
    filters.push_back(std::move(owned));
    for (auto& filter : filters) {
        ConvolutionFilter& f = *filter;
        Surface24 out = source.clone();
        ASSERT_TRUE(f.apply(out));
        for (int32_t y = 0; y < 11; ++y)
            for (int32_t x = 0; x < 17; ++x)
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(out.row(y)[x * 3 + c], referenceConvolution(source, f, x, y, c, 3))
                        << f.name() << " " << x << "," << y;
    }
}

// Rows longer than the chunk the sums are kept in, with a work rectangle that starts and
// ends inside the row, for narrow (16-bit) and wide (32-bit) sums.
TEST(Convolution, LongRowsMatchTheReferenceAcrossChunks) {
    Surface24 color = makeRgb(2300, 4);
    fillRandom(color, 31);
    Surface8 plane = makeGray(2300, 4);
    fillRandom(plane, 32);
    Surface8 mask = makeGray(2200, 3);
    fillRandom(mask, 33);
    const Point origin{40, 1};

    ConvolutionFilter strong(FilterKind::Blur);
    std::vector<int32_t> big(9, 300);
    big[4] = -2000;
    ASSERT_TRUE(strong.setKernel(big, 3));
    strong.setDivisor(7);
    ConvolutionFilter sharpen(FilterKind::SharpenMore);
    for (ConvolutionFilter* f : {&sharpen, &strong}) {
        Surface24 colorOut = color.clone();
        Surface8 planeOut = plane.clone();
        ASSERT_TRUE(f->apply(colorOut, &mask, origin));
        ASSERT_TRUE(f->apply(planeOut));
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 2300; ++x) {
                const int32_t m = coverageAt(mask, origin, x, y);
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(colorOut.row(y)[x * 3 + c], referenceMaskedColor(color, *f, x, y, c, m))
                        << x << "," << y;
                ASSERT_EQ(planeOut.row(y)[x], referenceConvolution(plane, *f, x, y, 0, 1)) << x << "," << y;
            }
    }
}

TEST(Convolution, KernelChangesAreCheckedAndCloned) {
    ConvolutionFilter f(FilterKind::Sharpen);
    EXPECT_FALSE(f.setKernel({1, 1, 1, 1}, 2));
    EXPECT_FALSE(f.setKernel({1, 2, 3}, 3));
    EXPECT_FALSE(f.setKernel({1 << 30}, 1));
    EXPECT_EQ(f.size(), 3);
    EXPECT_EQ(f.kernel()[4], 8);
    auto copy = f.clone();
    EXPECT_EQ(copy->name(), "Sharpen");
    EXPECT_EQ(static_cast<ConvolutionFilter&>(*copy).kernel(), f.kernel());
}

TEST(Convolution, PartialMasksFollowTheirDepthsRules) {
    Surface24 color = makeRgb(6, 6);
    fillRandom(color, 11);
    Surface8 plane = makeGray(6, 6);
    fillRandom(plane, 12);
    Surface8 mask = makeGray(4, 3);
    fillRandom(mask, 13);
    mask.row(0)[0] = 255;
    mask.row(0)[1] = 0;
    const Point origin{1, 2};
    ConvolutionFilter f(FilterKind::SharpenMore);
    Surface24 colorOut = color.clone();
    Surface8 planeOut = plane.clone();
    ASSERT_TRUE(f.apply(colorOut, &mask, origin));
    ASSERT_TRUE(f.apply(planeOut, &mask, origin));
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 6; ++x) {
            const int32_t m = coverageAt(mask, origin, x, y);
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(colorOut.row(y)[x * 3 + c], referenceMaskedColor(color, f, x, y, c, m))
                    << x << "," << y;
            const int32_t src = plane.row(y)[x];
            const int32_t fresh = referenceConvolution(plane, f, x, y, 0, 1);
            const int32_t want = m == 0 ? src : src + (((fresh - src) * m) >> 8); // 255 included
            ASSERT_EQ(planeOut.row(y)[x], want) << x << "," << y;
        }
}

TEST(GaussianBlur, RadiusLimitsAndWholePixels) {
    EXPECT_EQ(GaussianBlurFilter(0.0).radius(), 0.1);
    EXPECT_EQ(GaussianBlurFilter(-4).radius(), 0.1);
    EXPECT_EQ(GaussianBlurFilter(900).radius(), 250.0);
    EXPECT_EQ(GaussianBlurFilter(2.9).pixelRadius(), 2);
    EXPECT_TRUE(GaussianBlurSettings{0.19}.isIdentity());
    EXPECT_FALSE(GaussianBlurSettings{0.2}.isIdentity());

    Surface24 image = makeRgb(9, 9);
    fillRandom(image, 4);
    const Surface24 original = image.clone();
    EXPECT_TRUE(GaussianBlurFilter(0.5).apply(image));
    EXPECT_TRUE(samePixels(image, original));
    Surface24 twoNine = original.clone();
    Surface24 two = original.clone();
    GaussianBlurFilter(2.9).apply(twoNine);
    GaussianBlurFilter(2.0).apply(two);
    EXPECT_TRUE(samePixels(twoNine, two));
}

TEST(GaussianBlur, RadiusOneOfALonePixelOnColor) {
    Surface24 image = makeRgb(5, 5);
    setPixel(image, 2, 2, Bgr{255, 0, 255});
    ASSERT_TRUE(GaussianBlurFilter(1.0).apply(image));
    EXPECT_EQ(pixel(image, 2, 2), (Bgr{63, 0, 63}));
    EXPECT_EQ(pixel(image, 2, 1), (Bgr{31, 0, 31}));
    EXPECT_EQ(pixel(image, 1, 2), (Bgr{31, 0, 31}));
    EXPECT_EQ(pixel(image, 3, 3), (Bgr{15, 0, 15}));
    EXPECT_EQ(pixel(image, 0, 2), (Bgr{}));
}

TEST(GaussianBlur, UniformStaysUniformAtLargestRadius) {
    Surface24 image = makeRgb(40, 30, {255, 255, 255});
    EXPECT_TRUE(GaussianBlurFilter(250).apply(image));
    EXPECT_EQ(pixel(image, 0, 0), gray(255));
    EXPECT_EQ(pixel(image, 39, 29), gray(255));
}

TEST(GaussianBlur, MaskedBlockEqualsWholeBlurInside) {
    Surface24 source = makeRgb(60, 40);
    fillRandom(source, 21);
    Surface24 whole = source.clone();
    GaussianBlurFilter(3.3).apply(whole);

    // A selection well inside, and ones touching the top-left and bottom-right borders.
    for (Point origin : {Point{20, 15}, Point{0, 0}, Point{48, 31}}) {
        Surface8 mask = makeGray(12, 9, 255);
        mask.row(4)[5] = 128;
        mask.row(0)[0] = 0;
        Surface24 masked = source.clone();
        ASSERT_TRUE(GaussianBlurFilter(3.3).apply(masked, &mask, origin));
        for (int32_t y = 0; y < 40; ++y)
            for (int32_t x = 0; x < 60; ++x) {
                const uint8_t m = coverageAt(mask, origin, x, y);
                const Bgr was = pixel(source, x, y), blurred = pixel(whole, x, y);
                const Bgr want{coverageMix(was.b, blurred.b, m), coverageMix(was.g, blurred.g, m),
                               coverageMix(was.r, blurred.r, m)};
                ASSERT_EQ(pixel(masked, x, y), want) << x << "," << y;
            }
    }
}

TEST(GaussianBlur, SliderMapping) {
    EXPECT_NEAR(gaussianRadiusFromSlider(0), 0.1, 1e-12);
    EXPECT_NEAR(gaussianRadiusFromSlider(49), 4.902, 1e-12);
    EXPECT_NEAR(gaussianRadiusFromSlider(50), 5.0, 1e-9);
    EXPECT_NEAR(gaussianRadiusFromSlider(180), 100.0, 1e-9);
    EXPECT_NEAR(gaussianRadiusFromSlider(200), 250.0, 1e-9);
}

} // namespace
} // namespace pict
