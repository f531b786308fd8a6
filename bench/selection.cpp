// Selection morphology and colour selection on a 6000 x 4000 canvas: Expand and Contract
// by 1, 10 and 100 pixels, Border 50 and Feather 250 of a large irregular selection, and
// Grow from a small seed over a picture that matches everywhere. Rates are canvas pixels
// per second.
#include "selection/ColorSimilarity.h"
#include "selection/SelectionMask.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

namespace pict {
namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;
constexpr int64_t kCanvasPixels = int64_t(kWidth) * kHeight;

// Blobs and channels of every size with soft and hard edges: the kind of selection Similar
// leaves on a photograph.
const SelectionMask& irregularSelection() {
    static SelectionMask mask = [] {
        Surface8 source;
        source.create(kWidth, kHeight, 8);
        for (int32_t y = 0; y < kHeight; ++y) {
            uint8_t* row = source.row(y);
            for (int32_t x = 0; x < kWidth; ++x) {
                const double v = std::sin(x / 97.0) + std::cos(y / 61.0) + std::sin((x + 2 * y) / 37.0) +
                                 0.5 * std::sin((3 * x - y) / 11.0);
                row[x] = v > 0.4 ? 255 : (v > 0.2 ? uint8_t((v - 0.2) * 1275) : 0);
            }
        }
        SelectionMask built(kWidth, kHeight);
        built.load(source);
        return built;
    }();
    return mask;
}

enum class Modify { Expand, Contract, Border, Feather };

void runModify(benchmark::State& state, Modify what) {
    const int32_t amount = int32_t(state.range(0));
    SelectionMask work;
    for (auto _ : state) {
        state.PauseTiming();
        work.copyFrom(irregularSelection());
        state.ResumeTiming();
        bool done = false;
        switch (what) {
        case Modify::Expand: done = work.expand(amount); break;
        case Modify::Contract: done = work.contract(amount); break;
        case Modify::Border: done = work.border(amount); break;
        case Modify::Feather: done = work.feather(double(amount)); break;
        }
        benchmark::DoNotOptimize(done);
    }
    state.SetItemsProcessed(state.iterations() * kCanvasPixels);
}

void BM_Expand(benchmark::State& state) { runModify(state, Modify::Expand); }
void BM_Contract(benchmark::State& state) { runModify(state, Modify::Contract); }
void BM_Border(benchmark::State& state) { runModify(state, Modify::Border); }
void BM_Feather(benchmark::State& state) { runModify(state, Modify::Feather); }

BENCHMARK(BM_Expand)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Contract)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Border)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Feather)->Arg(250)->Unit(benchmark::kMillisecond);

// A picture within a few levels of one gray everywhere, so that Grow from a corner seed
// floods the whole canvas.
const Surface24& nearlyFlatPicture() {
    static Surface24 picture = [] {
        Surface24 s;
        s.create(kWidth, kHeight, 24);
        uint32_t state = 7;
        for (int32_t y = 0; y < kHeight; ++y) {
            uint8_t* p = s.row(y);
            for (int32_t i = 0; i < 3 * kWidth; ++i) {
                state = state * 1664525u + 1013904223u;
                p[i] = uint8_t(120 + (state >> 29));
            }
        }
        return s;
    }();
    return picture;
}

void BM_GrowWholeCanvas(benchmark::State& state) {
    const SampledImage image{&nearlyFlatPicture(), nullptr};
    SelectionMask work(kWidth, kHeight);
    for (auto _ : state) {
        state.PauseTiming();
        work.setShape({0, 0, 4, 4}, false);
        state.ResumeTiming();
        benchmark::DoNotOptimize(work.growOrSimilar(image, 8, true));
    }
    state.SetItemsProcessed(state.iterations() * kCanvasPixels);
}
BENCHMARK(BM_GrowWholeCanvas)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pict
