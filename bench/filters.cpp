// Throughput of the adjustments and filters on a 6000 x 4000 24-bit layer, in megapixels per
// second, and the time one filter undo takes to write the saved surface back.
#include "imageops/BrightnessContrastFilter.h"
#include "imageops/ColorBalanceFilter.h"
#include "imageops/ConvolutionFilter.h"
#include "imageops/CurvesFilter.h"
#include "imageops/GaussianBlurFilter.h"
#include "imageops/HueSaturationFilter.h"
#include "imageops/LevelsFilter.h"
#include "imageops/SimpleColorFilters.h"
#include "surface/PixelThreads.h"

#include "BenchDocuments.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace pict {
namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;

void reportMegapixels(benchmark::State& state) {
    state.counters["Mpx/s"] = benchmark::Counter(double(kWidth) * kHeight * double(state.iterations()) / 1e6,
                                                 benchmark::Counter::kIsRate);
}

// Applies the filter to the same picture on every iteration; the cost of a table or HSL
// filter does not depend on what it is given.
// threads: how many the pixel work may use (0: one per core).
void runFilter(benchmark::State& state, ImageFilter& filter, int32_t threads = 0) {
    state.SetLabel(filter.name());
    setPixelThreads(threads);
    Surface24 picture = bench::photo(kWidth, kHeight, 7);
    for (auto _ : state) {
        filter.apply(picture);
        benchmark::ClobberMemory();
    }
    reportMegapixels(state);
}

LevelsSettings levelsSettings() {
    LevelsSettings s;
    s.channel[kToneComposite] = {1.4, 12, 240, 5, 250};
    s.channel[kToneRed].gamma = 0.8;
    return s;
}

CurvesSettings curvesSettings() {
    CurvesSettings s;
    s.channel[kToneComposite] = {{0, 0}, {64, 80}, {190, 200}, {255, 255}};
    s.channel[kToneBlue] = {{0, 10}, {255, 240}};
    return s;
}

HueSaturationSettings hueSettings() {
    HueSaturationSettings s;
    s.hue[kMaster] = 30;
    s.saturation[kMaster] = 20;
    s.lightness[kBlues] = -15;
    return s;
}

ColorBalanceSettings balanceSettings() {
    ColorBalanceSettings s; // preserve luminosity on
    s.value[kCyanRed][kMidtones] = 40;
    s.value[kYellowBlue][kShadows] = -25;
    s.value[kMagentaGreen][kHighlights] = 10;
    return s;
}

void BM_Invert(benchmark::State& state) {
    InvertFilter filter;
    runFilter(state, filter);
}
BENCHMARK(BM_Invert)->Unit(benchmark::kMillisecond);

void BM_Levels(benchmark::State& state) {
    LevelsFilter filter(levelsSettings());
    runFilter(state, filter);
}
BENCHMARK(BM_Levels)->Unit(benchmark::kMillisecond);

void BM_Curves(benchmark::State& state) {
    CurvesFilter filter(curvesSettings());
    runFilter(state, filter);
}
BENCHMARK(BM_Curves)->Unit(benchmark::kMillisecond);

void BM_BrightnessContrast(benchmark::State& state) {
    BrightnessContrastFilter filter({15, 25});
    runFilter(state, filter);
}
BENCHMARK(BM_BrightnessContrast)->Unit(benchmark::kMillisecond);

void BM_Desaturate(benchmark::State& state) {
    DesaturateFilter filter;
    runFilter(state, filter);
}
BENCHMARK(BM_Desaturate)->Unit(benchmark::kMillisecond);

void BM_HueSaturation(benchmark::State& state) {
    HueSaturationFilter filter(hueSettings());
    runFilter(state, filter, int32_t(state.range(0)));
}
// Arg: the thread count (1: the one-core rate; 0: one per core).
BENCHMARK(BM_HueSaturation)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_Colorize(benchmark::State& state) {
    ColorizeFilter filter({200, 40, 10});
    runFilter(state, filter, int32_t(state.range(0)));
}
// Arg: the thread count (1: the one-core rate; 0: one per core).
BENCHMARK(BM_Colorize)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_ColorBalancePreserveLuminosity(benchmark::State& state) {
    ColorBalanceFilter filter(balanceSettings());
    runFilter(state, filter, int32_t(state.range(0)));
}
// Arg: the thread count (1: the one-core rate; 0: one per core).
BENCHMARK(BM_ColorBalancePreserveLuminosity)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_Convolution(benchmark::State& state) {
    ConvolutionFilter filter(static_cast<FilterKind>(state.range(0)));
    runFilter(state, filter);
}
BENCHMARK(BM_Convolution)
    ->Arg(int64_t(FilterKind::Blur))
    ->Arg(int64_t(FilterKind::BlurMore))
    ->Arg(int64_t(FilterKind::Sharpen))
    ->Arg(int64_t(FilterKind::SharpenMore))
    ->Unit(benchmark::kMillisecond)
    ;

void BM_GaussianBlur(benchmark::State& state) {
    GaussianBlurFilter filter(double(state.range(0)));
    runFilter(state, filter);
}
BENCHMARK(BM_GaussianBlur)->Arg(2)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond);

// Undo writes the saved surface back and reports the layer, which recomposes the canvas.
void BM_FilterUndo(benchmark::State& state) {
    bench::InvertedPhotoDocument inverted(kWidth, kHeight, 9);
    if (!inverted.applied()) {
        state.SkipWithError("apply failed");
        return;
    }
    for (auto _ : state) {
        inverted.filter().undo();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FilterUndo)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pict
