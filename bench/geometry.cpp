// Whole-document geometry on a 6000 x 4000 canvas: Image Size to 50 % and 200 % with the
// plain and the smooth stretch, Rotate 90 of a three-layer document, and the undo of a
// whole-document state (putting its snapshot back). Rates are source canvas pixels.
#include "history/HistoryManager.h"
#include "history/geometry/GeometryStates.h"

#include "BenchDocuments.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace pict {
namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;
constexpr int64_t kCanvasPixels = int64_t(kWidth) * kHeight;

// A background photograph plus, for layers > 1, layers with transparency over most of it.
std::unique_ptr<Document> makeDocument(int32_t layers) {
    auto document = std::make_unique<Document>();
    bench::startPhotoDocument(*document, kWidth, kHeight, 1);
    for (int32_t i = 1; i < layers; ++i) {
        auto layer = RasterLayer::createFromSurface(&document->layers(),
                                                    bench::photo(kWidth - 500 * i, kHeight - 300 * i, 1 + i), false);
        Surface8 alpha;
        alpha.create(kWidth - 500 * i, kHeight - 300 * i, 8);
        alpha.fillValue(uint8_t(100 + 50 * i));
        layer->setTransparencyMask(std::move(alpha));
        layer->setPosition({100 * i, 80 * i});
        document->layers().add(std::move(layer), document->layers().count());
    }
    return document;
}

const Document& original(int32_t layers) {
    static std::unique_ptr<Document> one = makeDocument(1);
    static std::unique_ptr<Document> three = makeDocument(3);
    return layers == 1 ? *one : *three;
}

// Arguments: percent, method (0 plain, 1 smooth).
void BM_ImageSize(benchmark::State& state) {
    const int32_t percent = int32_t(state.range(0));
    const int32_t method = int32_t(state.range(1));
    Document work;
    for (auto _ : state) {
        state.PauseTiming();
        work.copy(original(1));
        state.ResumeTiming();
        benchmark::DoNotOptimize(work.resizeImage(kWidth * percent / 100, kHeight * percent / 100, 72.0f,
                                                  ResolutionUnit::PixelsPerInch, method));
    }
    state.SetItemsProcessed(state.iterations() * kCanvasPixels);
}
BENCHMARK(BM_ImageSize)
    ->Args({50, 0})
    ->Args({50, 1})
    ->Args({200, 0})
    ->Args({200, 1})
    ->Unit(benchmark::kMillisecond)
    ;

void BM_Rotate90ThreeLayers(benchmark::State& state) {
    Document work;
    work.copy(original(3));
    for (auto _ : state)
        benchmark::DoNotOptimize(work.rotate(90.0));
    state.SetItemsProcessed(state.iterations() * kCanvasPixels);
}
BENCHMARK(BM_Rotate90ThreeLayers)->Unit(benchmark::kMillisecond);

// The whole state, snapshot included, as the history runs it on first apply.
void BM_RotateStateApply(benchmark::State& state) {
    Document work;
    bench::BenchWindow window(work);
    auto history = std::make_unique<HistoryManager>();
    for (auto _ : state) {
        state.PauseTiming();
        history = std::make_unique<HistoryManager>(); // drops the last snapshot untimed
        work.copy(original(3));
        state.ResumeTiming();
        benchmark::DoNotOptimize(history->add(std::make_unique<RotateCanvasState>(window, 90.0), false));
    }
    state.SetItemsProcessed(state.iterations() * kCanvasPixels);
}
BENCHMARK(BM_RotateStateApply)->Unit(benchmark::kMillisecond);

void BM_UndoWholeDocumentState(benchmark::State& state) {
    Document work;
    work.copy(original(3));
    bench::BenchWindow window(work);
    HistoryManager history;
    history.add(std::make_unique<RotateCanvasState>(window, 90.0), false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.undo());
        state.PauseTiming();
        history.redo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kCanvasPixels);
}
BENCHMARK(BM_UndoWholeDocumentState)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pict
