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

void BM_AutosaveSnapshot(benchmark::State& state) {
    Document& document = bench::fiveLayerPhotoDocument();
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
    const std::unique_ptr<DocumentSnapshot> snapshot = DocumentSnapshot::take(bench::fiveLayerPhotoDocument(), ImageMetadata{});
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
