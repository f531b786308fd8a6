// Painting a full-HD document window from a 6000 x 4000 composite: every frame redrawn from
// scratch (the worst case, as after a zoom change), and a scroll step through the cache.

#include "canvas/CanvasRenderer.h"
#include "surface/RasterSurface.h"

#include <benchmark/benchmark.h>

namespace {

using namespace pict;

struct Composite {
    Surface24 color;
    Surface8 alpha;
    Composite() {
        color.create(6000, 4000, 24);
        alpha.create(6000, 4000, 8);
        for (int32_t y = 0; y < 4000; ++y) {
            uint8_t* c = color.row(y);
            uint8_t* a = alpha.row(y);
            for (int32_t x = 0; x < 6000; ++x) {
                c[3 * x] = uint8_t(x);
                c[3 * x + 1] = uint8_t(y);
                c[3 * x + 2] = uint8_t(x ^ y);
                a[x] = uint8_t((x / 64 + y / 64) % 3 == 0 ? 128 : 255); // a third partly transparent
            }
        }
    }
};

const Composite& composite() {
    static const Composite c;
    return c;
}

void renderFull(benchmark::State& state, float zoom, bool withAlpha) {
    const Composite& c = composite();
    CanvasView view({6000, 4000}, {1920, 1080});
    view.setZoom(zoom, false);
    view.scrollTo(1000, 800);
    CanvasRenderer renderer;
    CompositeSource source{&c.color, withAlpha ? &c.alpha : nullptr};
    for (auto _ : state) {
        renderer.invalidateAll();
        benchmark::DoNotOptimize(renderer.render(view, source).pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}

void BM_RenderOpaque(benchmark::State& state) { renderFull(state, static_cast<float>(state.range(0)) / 100, false); }
void BM_RenderWithAlpha(benchmark::State& state) { renderFull(state, static_cast<float>(state.range(0)) / 100, true); }
BENCHMARK(BM_RenderOpaque)->Arg(25)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderWithAlpha)->Arg(25)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_ScrollStep(benchmark::State& state) {
    const Composite& c = composite();
    CanvasView view({6000, 4000}, {1920, 1080});
    CanvasRenderer renderer;
    CompositeSource source{&c.color, &c.alpha};
    renderer.render(view, source);
    int32_t direction = 1;
    for (auto _ : state) {
        if (view.scrollBy(16 * direction, 8 * direction) == Point{0, 0})
            direction = -direction;
        benchmark::DoNotOptimize(renderer.render(view, source).pixels.data());
    }
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMillisecond);

} // namespace
