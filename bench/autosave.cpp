// Autosave on a 6000 x 4000 document of five photo-like layers: the snapshot taken on the
// user-interface thread (target: at most 20 ms) and the layered file written from it on the
// worker (no target: the window does not wait for it).
#include "app/session/DocumentSnapshot.h"
#include "document/Document.h"

#include "BenchDocuments.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace pict {
namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;
constexpr int32_t kLayers = 5;

Document& fiveLayers() {
    static Document document;
    static const bool made = [] {
        bench::startPhotoDocument(document, kWidth, kHeight, 1);
        for (int32_t i = 1; i < kLayers; ++i) {
            auto layer =
                RasterLayer::createFromSurface(&document.layers(), bench::photo(kWidth, kHeight, uint32_t(i + 1)), false);
            layer->setName("Layer " + std::to_string(i));
            document.layers().insert(std::move(layer), document.layers().count());
        }
        document.invalidate(document.canvasRect());
        return true;
    }();
    (void)made;
    return document;
}

void BM_AutosaveSnapshot(benchmark::State& state) {
    Document& document = fiveLayers();
    const ImageMetadata none;
    for (auto _ : state) {
        std::unique_ptr<DocumentSnapshot> snapshot = DocumentSnapshot::take(document, none);
        if (!snapshot)
            state.SkipWithError("no snapshot");
        benchmark::DoNotOptimize(snapshot.get());
        state.PauseTiming();
        snapshot.reset(); // freeing the copies happens on the worker, after the write
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AutosaveSnapshot)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_AutosaveWrite(benchmark::State& state) {
    const std::unique_ptr<DocumentSnapshot> snapshot = DocumentSnapshot::take(fiveLayers(), ImageMetadata{});
    const std::string path = (std::filesystem::temp_directory_path() / "pictorane-bench-autosave.ora").string();
    std::string error;
    for (auto _ : state)
        if (!snapshot || !snapshot->write(path, error))
            state.SkipWithError(error.c_str());
    std::filesystem::remove(path);
}
BENCHMARK(BM_AutosaveWrite)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace
} // namespace pict
