#include "FilterTestSupport.h"

#include "imageops/ConvolutionFilter.h"
#include "imageops/GaussianBlurFilter.h"
#include "imageops/LastFilterSlot.h"
#include "imageops/SimpleColorFilters.h"
#include "imageops/TablePointFilter.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

using namespace pict::test;

// A point filter with one value per channel, to see the coverage blend at work.
class SetToFilter : public TablePointFilter {
public:
    explicit SetToFilter(uint8_t value) : TablePointFilter(GrayTable::Red) {
        for (int i = 0; i < 256; ++i)
            tables_.red[i] = tables_.green[i] = tables_.blue[i] = value;
    }
    FilterKind kind() const override { return FilterKind::Levels; }
};

TEST(FilterApply, RefusesMissingPixelsInvalidMaskAndOtherDepths) {
    InvertFilter invert;
    Surface24 empty;
    EXPECT_FALSE(invert.apply(empty));

    Surface24 image = makeRgb(4, 4, gray(10));
    Surface8 emptyMask;
    EXPECT_FALSE(invert.apply(image, &emptyMask, {0, 0}));
    EXPECT_EQ(pixel(image, 0, 0), gray(10));

    Surface32 deep;
    ASSERT_TRUE(deep.create(2, 2, 32));
    EXPECT_FALSE(invert.apply(deep));
}

TEST(FilterApply, MaskReachingOutsideTheTargetDoesNothing) {
    InvertFilter invert;
    Surface24 image = makeRgb(4, 4, gray(10));
    Surface8 mask = makeGray(2, 2, 255);
    EXPECT_FALSE(invert.apply(image, &mask, {3, 3}));
    EXPECT_FALSE(invert.apply(image, &mask, {-1, 0}));
    EXPECT_EQ(pixel(image, 3, 3), gray(10));
    EXPECT_TRUE(invert.apply(image, &mask, {2, 2}));
    EXPECT_EQ(pixel(image, 3, 3), gray(245));
    EXPECT_EQ(pixel(image, 1, 1), gray(10));
}

TEST(FilterApply, DispatchesAnySurfaceByDepthAndKeepsItsBuffer) {
    InvertFilter invert;
    AnySurface gray8;
    ASSERT_TRUE(gray8.create(3, 2, 8));
    gray8.row(1)[2] = 7;
    EXPECT_TRUE(invert.apply(gray8));
    EXPECT_EQ(gray8.depth(), 8);
    EXPECT_EQ(gray8.row(1)[2], 248);
    EXPECT_EQ(gray8.row(0)[0], 255);

    AnySurface color;
    ASSERT_TRUE(color.create(2, 2, 24));
    EXPECT_TRUE(invert.apply(color));
    EXPECT_EQ(color.row(1)[5], 255);
}

TEST(FilterCoverage, PartialCoverageRoundsTowardMinusInfinity) {
    Surface24 image = makeRgb(1, 1, gray(100));
    Surface8 half = makeGray(1, 1, 128);
    SetToFilter up(200);
    EXPECT_TRUE(up.apply(image, &half, {0, 0}));
    EXPECT_EQ(pixel(image, 0, 0), gray(150));

    setPixel(image, 0, 0, gray(200));
    SetToFilter down(100);
    EXPECT_TRUE(down.apply(image, &half, {0, 0}));
    EXPECT_EQ(pixel(image, 0, 0), gray(150));

    // +1 at half coverage is lost, -1 is kept.
    setPixel(image, 0, 0, gray(50));
    SetToFilter(51).apply(image, &half, {0, 0});
    EXPECT_EQ(pixel(image, 0, 0), gray(50));
    SetToFilter(49).apply(image, &half, {0, 0});
    EXPECT_EQ(pixel(image, 0, 0), gray(49));
}

TEST(FilterCoverage, ZeroSkipsAndFullStoresOnBothDepths) {
    Surface8 mask = makeGray(3, 1, 0);
    mask.row(0)[1] = 255;
    mask.row(0)[2] = 64;
    Surface24 image = makeRgb(3, 1, gray(0));
    SetToFilter(255).apply(image, &mask, {0, 0});
    EXPECT_EQ(pixel(image, 0, 0), gray(0));
    EXPECT_EQ(pixel(image, 1, 0), gray(255));
    EXPECT_EQ(pixel(image, 2, 0), gray(63)); // (255 * 64) >> 8

    Surface8 plane = makeGray(3, 1, 0);
    SetToFilter(255).apply(plane, &mask, {0, 0});
    EXPECT_EQ(plane.row(0)[0], 0);
    EXPECT_EQ(plane.row(0)[1], 255);
    EXPECT_EQ(plane.row(0)[2], 63);
}

TEST(FilterCoverage, AllOpaqueMaskEqualsNoMaskForEveryFamily) {
    Surface24 source = makeRgb(9, 7);
    fillRandom(source, 3);
    Surface8 full = makeGray(9, 7, 255);
    auto check = [&](ImageFilter& a, ImageFilter& b) {
        Surface24 plain = source.clone();
        Surface24 masked = source.clone();
        EXPECT_TRUE(a.apply(plain));
        EXPECT_TRUE(b.apply(masked, &full, {0, 0}));
        EXPECT_TRUE(samePixels(plain, masked)) << a.name();
    };
    InvertFilter i1, i2;
    check(i1, i2);
    ConvolutionFilter s1(FilterKind::SharpenMore), s2(FilterKind::SharpenMore);
    check(s1, s2);
    GaussianBlurFilter g1(3.0), g2(3.0);
    check(g1, g2);
}

TEST(LastFilter, NeighborhoodFiltersRecordThemselvesPointFiltersNever) {
    LastFilterSlot slot;
    EXPECT_EQ(slot.menuText(), "Last Filter\tCtrl+F");
    Surface24 image = makeRgb(4, 4, gray(9));

    ConvolutionFilter blur(FilterKind::Blur);
    blur.setLastFilterSlot(&slot);
    blur.apply(image);
    EXPECT_EQ(slot.menuText(), "Blur\tCtrl+F");

    InvertFilter invert; // point filters have no slot to record into
    invert.apply(image);
    EXPECT_EQ(slot.menuText(), "Blur\tCtrl+F");
}

TEST(LastFilter, RunningACloneKeepsParametersAndRefreshesTheSlot) {
    LastFilterSlot slot;
    GaussianBlurFilter gaussian(7.5);
    gaussian.setLastFilterSlot(&slot);
    Surface24 image = makeRgb(4, 4);
    Surface8 outside = makeGray(1, 1, 255);
    gaussian.apply(image, &outside, {10, 10}); // even an application that does nothing
    ASSERT_FALSE(slot.isEmpty());
    const NeighborhoodFilter* before = slot.filter();

    std::unique_ptr<NeighborhoodFilter> again = slot.cloneFilter();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->lastFilterSlot(), &slot);
    EXPECT_EQ(static_cast<GaussianBlurFilter&>(*again).radius(), 7.5);
    again->apply(image);
    EXPECT_NE(slot.filter(), again.get());
    EXPECT_EQ(slot.menuText(), "Gaussian Blur\tCtrl+F");
    (void)before;

    // Applying the slot's own object leaves it in place.
    const_cast<NeighborhoodFilter*>(slot.filter())->apply(image);
    EXPECT_FALSE(slot.isEmpty());
}

TEST(FilterIdentityTable, NamesAndStepsAreStable) {
    for (int32_t k = 0; k < kFilterKindCount; ++k)
        EXPECT_EQ(static_cast<int32_t>(kFilterIdentities[k].kind), k);
    EXPECT_EQ(filterName(FilterKind::BrightnessContrast), "Brightness/Contrast");
    EXPECT_EQ(filterIdentity(FilterKind::GaussianBlur).stepName, "gaussian-blur");
    EXPECT_EQ(ConvolutionFilter(FilterKind::SharpenMore).name(), "Sharpen More");
}

} // namespace
} // namespace pict
