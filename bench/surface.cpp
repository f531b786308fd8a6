// Throughput of the surface operations on a 6000 x 4000 picture, in megapixels per second.
#include "surface/BlendModes.h"
#include "surface/RasterSurface.h"

#include "BenchPictures.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace pict {
namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;

Surface24 photo(uint32_t seed) { return bench::photo(kWidth, kHeight, seed); }

void reportMegapixels(benchmark::State& state, double pixelsPerIteration) {
    state.counters["Mpx/s"] =
        benchmark::Counter(pixelsPerIteration * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void BM_BlendSurface(benchmark::State& state) {
    const int32_t mode = int32_t(state.range(0));
    state.SetLabel(blendModeName(mode));
    Surface24 target = photo(1);
    const Surface24 source = photo(2);
    for (auto _ : state) {
        blendSurface(target, 0, 0, source, 128, mode);
        benchmark::ClobberMemory();
    }
    reportMegapixels(state, double(kWidth) * kHeight);
}
BENCHMARK(BM_BlendSurface)
    ->Arg(kBlendNormal)
    ->Arg(kBlendMultiply)
    ->Arg(kBlendOverlay)
    ->Arg(kBlendHue)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_Rotate90Clockwise(benchmark::State& state) {
    Surface24 s = photo(3);
    for (auto _ : state)
        s.rotate90Clockwise();
    reportMegapixels(state, double(kWidth) * kHeight);
}
BENCHMARK(BM_Rotate90Clockwise)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Mirror(benchmark::State& state) {
    Surface24 s = photo(4);
    for (auto _ : state)
        s.mirror();
    reportMegapixels(state, double(kWidth) * kHeight);
}
BENCHMARK(BM_Mirror)->Unit(benchmark::kMillisecond)->UseRealTime();

// Throughput is counted in source pixels.
void BM_SmoothResize(benchmark::State& state) {
    const double scale = double(state.range(0)) / 100.0;
    state.SetLabel(std::to_string(state.range(0)) + "%");
    const Surface24 s = photo(5);
    const Size size{int32_t(kWidth * scale), int32_t(kHeight * scale)};
    for (auto _ : state) {
        Surface24 out;
        s.resizeSmoothInto(out, size);
        benchmark::DoNotOptimize(out.buffer());
    }
    reportMegapixels(state, double(kWidth) * kHeight);
}
BENCHMARK(BM_SmoothResize)->Arg(50)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ToIndexed8(benchmark::State& state) {
    const Surface24 s = photo(6);
    for (auto _ : state) {
        Surface8 out;
        s.toIndexed8(out);
        benchmark::DoNotOptimize(out.buffer());
    }
    reportMegapixels(state, double(kWidth) * kHeight);
}
BENCHMARK(BM_ToIndexed8)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace pict
