// Recomposition of the composite cache for a 6000 x 4000 canvas with five full-canvas raster
// layers: all opaque Normal (the copy path), and a mixed stack (Normal, Multiply, Screen,
// Overlay, Color, masks on two of them); plus one 64 x 64 rectangle of the mixed stack.
#include "document/compositing/CompositeCache.h"
#include "document/Document.h"

#include "BenchPictures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace pict {
namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;

Surface24 photo(uint32_t seed) { return bench::photo(kWidth, kHeight, seed); }

// A soft-edged vignette: opaque in the middle, fading to transparent at the borders.
Surface8 vignette() {
    Surface8 mask;
    mask.create(kWidth, kHeight, 8);
    for (int32_t y = 0; y < kHeight; ++y) {
        uint8_t* row = mask.row(y);
        const int32_t dy = std::min(y, kHeight - 1 - y);
        for (int32_t x = 0; x < kWidth; ++x) {
            const int32_t edge = std::min({std::min(x, kWidth - 1 - x), dy, 255 * 4}) / 4;
            row[x] = uint8_t(edge);
        }
    }
    return mask;
}

enum class Stack { OpaqueNormal, Mixed };

// The document is built once per kind and kept: filling five 72 MB layers takes longer than
// the composition being measured.
Document& documentOf(Stack kind) {
    static std::unique_ptr<Document> document;
    static Stack built = Stack::OpaqueNormal;
    if (document && built == kind)
        return *document;
    document.reset();
    document = std::make_unique<Document>();
    DocumentInfo info;
    info.width = kWidth;
    info.height = kHeight;
    info.name = "bench";
    info.transparent = true;
    document->newFromInfo(info);
    LayerStack& stack = document->layers();
    stack.removeAll(false);
    constexpr int32_t kModes[5] = {kBlendNormal, kBlendMultiply, kBlendScreen, kBlendOverlay, kBlendColor};
    for (int32_t i = 0; i < 5; ++i) {
        auto layer = RasterLayer::createFromSurface(&stack, photo(uint32_t(i + 1)), false);
        if (kind == Stack::Mixed) {
            layer->setBlendMode(kModes[i]);
            if (i == 2 || i == 4)
                layer->setTransparencyMask(vignette());
        }
        stack.insert(std::move(layer), stack.count());
    }
    built = kind;
    return *document;
}

void recompose(benchmark::State& state, Stack kind, Rect rect) {
    Document& document = documentOf(kind);
    document.composite();
    for (auto _ : state) {
        document.invalidate(rect);
        benchmark::ClobberMemory();
    }
    state.counters["Mpx/s"] = benchmark::Counter(double(rect.width()) * rect.height() * double(state.iterations()) / 1e6,
                                                 benchmark::Counter::kIsRate);
}

void BM_RecomposeOpaqueNormal(benchmark::State& state) {
    recompose(state, Stack::OpaqueNormal, Rect::fromSize(kWidth, kHeight));
}
BENCHMARK(BM_RecomposeOpaqueNormal)->Unit(benchmark::kMillisecond);

void BM_RecomposeMixed(benchmark::State& state) { recompose(state, Stack::Mixed, Rect::fromSize(kWidth, kHeight)); }
BENCHMARK(BM_RecomposeMixed)->Unit(benchmark::kMillisecond);

void BM_RecomposeMixedRect64(benchmark::State& state) {
    recompose(state, Stack::Mixed, Rect{2968, 1968, 3032, 2032});
}
BENCHMARK(BM_RecomposeMixedRect64)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace pict
