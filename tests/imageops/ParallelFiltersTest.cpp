// Every filter gives the same bytes on one thread as on four, with and without a partial
// mask, on 24- and 8-bit surfaces. The strips are cut to a few rows so that small surfaces
// cross many strip edges.
#include "imageops/BrightnessContrastFilter.h"
#include "imageops/ColorBalanceFilter.h"
#include "imageops/ColorFill.h"
#include "imageops/ConvolutionFilter.h"
#include "imageops/CurvesFilter.h"
#include "imageops/FilterTestSupport.h"
#include "imageops/GaussianBlurFilter.h"
#include "imageops/HueSaturationFilter.h"
#include "imageops/LevelsFilter.h"
#include "imageops/SimpleColorFilters.h"
#include "support/ThreadCounts.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace pict {
namespace {

using test::fillRandom;
using test::onOneAndFourThreads;
using test::sameMemory;
using test::samePixels;

struct NamedFilter {
    const char* name;
    std::function<std::unique_ptr<ImageFilter>()> make;
};

std::vector<NamedFilter> everyFilter() {
    LevelsSettings levels;
    levels.channel[kToneComposite].gamma = 1.7;
    levels.channel[kToneRed].inputBlack = 20;
    CurvesSettings curves;
    curves.channel[kToneGreen] = {{0, 10}, {120, 200}, {255, 240}};
    ColorBalanceSettings balance;
    balance.value[kCyanRed][kMidtones] = 40;
    balance.value[kYellowBlue][kShadows] = -25;
    ColorBalanceSettings balanceFree = balance;
    balanceFree.preserveLuminosity = false;
    HueSaturationSettings hue;
    hue.hue[kMaster] = 30;
    hue.saturation[kBlues] = -60;
    hue.lightness[kReds] = 25;
    return {
        {"Blur", [] { return std::make_unique<ConvolutionFilter>(FilterKind::Blur); }},
        {"Blur More", [] { return std::make_unique<ConvolutionFilter>(FilterKind::BlurMore); }},
        {"Sharpen", [] { return std::make_unique<ConvolutionFilter>(FilterKind::Sharpen); }},
        {"Sharpen More", [] { return std::make_unique<ConvolutionFilter>(FilterKind::SharpenMore); }},
        {"5 x 5 kernel",
         [] {
             auto filter = std::make_unique<ConvolutionFilter>(FilterKind::Blur);
             std::vector<int32_t> kernel(25, 1);
             kernel[12] = -7;
             filter->setKernel(kernel, 5);
             filter->setDivisor(17);
             filter->setOffset(9);
             return filter;
         }},
        {"Gaussian 0.7", [] { return std::make_unique<GaussianBlurFilter>(0.7); }},
        {"Gaussian 4", [] { return std::make_unique<GaussianBlurFilter>(4.0); }},
        {"Gaussian 40", [] { return std::make_unique<GaussianBlurFilter>(40.0); }},
        {"Levels", [levels] { return std::make_unique<LevelsFilter>(levels); }},
        {"Curves", [curves] { return std::make_unique<CurvesFilter>(curves); }},
        {"Brightness/Contrast",
         [] {
             return std::make_unique<BrightnessContrastFilter>(BrightnessContrastSettings{30, -20});
         }},
        {"Color Balance", [balance] { return std::make_unique<ColorBalanceFilter>(balance); }},
        {"Color Balance free", [balanceFree] { return std::make_unique<ColorBalanceFilter>(balanceFree); }},
        {"Hue/Saturation", [hue] { return std::make_unique<HueSaturationFilter>(hue); }},
        {"Colorize",
         [] {
             return std::make_unique<ColorizeFilter>(ColorizeSettings{200, 60, -30});
         }},
        {"Desaturate", [] { return std::make_unique<DesaturateFilter>(); }},
        {"Invert", [] { return std::make_unique<InvertFilter>(); }},
    };
}

// Wide enough for several column strips of the stack blur, tall enough for many row strips.
constexpr int32_t kWidth = 150;
constexpr int32_t kHeight = 61;

Surface8 partialMask(int32_t width, int32_t height, uint32_t seed) {
    Surface8 mask = test::makeGray(width, height);
    fillRandom(mask, seed);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t& m = mask.row(y)[x];
            m = m < 60 ? 0 : (m > 200 ? 255 : m); // plenty of unselected and fully selected pixels
        }
    return mask;
}

template <class Surface> Surface filtered(const NamedFilter& named, int depth, bool masked) {
    Surface surface;
    EXPECT_TRUE(surface.create(kWidth, kHeight, depth));
    fillRandom(surface, 7);
    const Surface8 mask = partialMask(kWidth - 23, kHeight - 17, 11);
    named.make()->apply(surface, masked ? &mask : nullptr, Point{9, 5});
    return surface;
}

TEST(ParallelFilters, EveryFilterGivesTheSameBytesOnOneAndFourThreads) {
    for (const NamedFilter& named : everyFilter()) {
        for (const bool masked : {false, true}) {
            SCOPED_TRACE(std::string(named.name) + (masked ? " masked" : " whole"));
            const auto rgb = onOneAndFourThreads([&] { return filtered<Surface24>(named, 24, masked); });
            EXPECT_TRUE(samePixels(rgb.one, rgb.four));
            const auto gray = onOneAndFourThreads([&] { return filtered<Surface8>(named, 8, masked); });
            EXPECT_TRUE(samePixels(gray.one, gray.four));
        }
    }
}

// A random surface whose row padding (2 bytes at this width) is not zero either.
template <class Surface> Surface paddedSource(int depth) {
    Surface surface;
    EXPECT_TRUE(surface.create(kWidth, kHeight, depth));
    fillRandom(surface, 7);
    const int64_t used = int64_t(kWidth) * (depth / 8);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int64_t x = used; x < surface.stride(); ++x)
            surface.row(y)[x] = uint8_t(0xA5 + y);
    return surface;
}

// A filter on a surface whose pixels a view shares (the undo of a whole-layer filter) may
// write its result into new memory read from the shared pixels: the result must be exactly
// that of the filter on a surface of its own, padding included, and the view keeps the old
// pixels.
template <class Surface> void expectSameOnSharedTarget(const NamedFilter& named, int depth, bool masked) {
    const Surface original = paddedSource<Surface>(depth);
    const Surface8 mask = partialMask(kWidth - 23, kHeight - 17, 11);
    const Surface8* given = masked ? &mask : nullptr;
    Surface reference = original.clone();
    {
        test::ThreadCount one(1);
        ASSERT_TRUE(named.make()->apply(reference, given, Point{9, 5}));
    }
    for (const int32_t threads : {1, 4}) {
        SCOPED_TRACE(testing::Message() << threads << " threads");
        test::ThreadCount count(threads);
        Surface target = original.clone();
        Surface view;
        ASSERT_TRUE(view.shareFrom(target));
        ASSERT_TRUE(named.make()->apply(target, given, Point{9, 5}));
        EXPECT_TRUE(sameMemory(target, reference));
        EXPECT_TRUE(sameMemory(view, original)) << "the shared pixels are never written";
    }
}

TEST(ParallelFilters, EveryFilterOnASharedTargetGivesTheBytesOfAnOwnedOne) {
    for (const NamedFilter& named : everyFilter()) {
        for (const bool masked : {false, true}) {
            SCOPED_TRACE(std::string(named.name) + (masked ? " masked" : " whole"));
            expectSameOnSharedTarget<Surface24>(named, 24, masked);
            expectSameOnSharedTarget<Surface8>(named, 8, masked);
        }
    }
}

TEST(ParallelFilters, FillInEveryModeWithAndWithoutTransparency) {
    for (int32_t mode = 0; mode < kBlendModeCount; ++mode) {
        for (const bool preserve : {false, true}) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << (preserve ? " preserving" : ""));
            auto run = [&] {
                Surface24 color = test::makeRgb(kWidth, kHeight);
                fillRandom(color, 5);
                Surface8 alpha = test::makeGray(kWidth, kHeight);
                fillRandom(alpha, 6);
                const Surface8 mask = partialMask(kWidth - 10, kHeight - 3, 8);
                ColorFill({0xFF3080C0u, mode, 63, preserve}).fill(color, &alpha, &mask, Point{4, 1});
                return std::make_pair(std::move(color), std::move(alpha));
            };
            const auto result = onOneAndFourThreads(run);
            EXPECT_TRUE(samePixels(result.one.first, result.four.first));
            EXPECT_TRUE(samePixels(result.one.second, result.four.second));
        }
    }
}

} // namespace
} // namespace pict
