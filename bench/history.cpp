// The undo pixels of a full 6000 x 4000 layer read back from each place the history memory
// budget may have moved them to: held raw, compressed in memory, or compressed in a swap file;
// and the whole undo of a full-layer adjustment from each place, pixels written back and the
// composite rebuilt (target: under 300 ms).
#include "history/SavedPixels.h"
#include "history/filter/FilterHistoryState.h"

#include "BenchDocuments.h"
#include "BenchPictures.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace pict {
namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;

// Moves undo pixels to the place the benchmark reads them from: compressed in memory or in a
// swap file; raw or shared pixels stay where they are.
bool putInPlace(SavedPixels& saved, SavedPixels::Place place) {
    if (place == SavedPixels::Place::Compressed)
        return saved.compress();
    if (place == SavedPixels::Place::Swapped)
        return saved.swapOut(std::filesystem::temp_directory_path());
    return true;
}

// One run for each place undo pixels may be read back from.
void fromEachPlace(benchmark::internal::Benchmark* runs) {
    runs->Arg(int(SavedPixels::Place::Raw))
        ->Arg(int(SavedPixels::Place::Compressed))
        ->Arg(int(SavedPixels::Place::Swapped))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void BM_RestoreSavedPixels(benchmark::State& state) {
    const auto place = SavedPixels::Place(state.range(0));
    Surface24 layer = bench::photo(kWidth, kHeight, 5);
    SavedPixels saved;
    if (!saved.save(layer, layer.bounds()) || !putInPlace(saved, place)) {
        state.SkipWithError("the pixels could not be put in place");
        return;
    }
    state.counters["held MiB"] = double(saved.memoryBytes()) / (1 << 20);
    for (auto _ : state) {
        if (!saved.restore(layer))
            state.SkipWithError("restore failed");
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RestoreSavedPixels)->Apply(fromEachPlace);

// Undo of Invert on the whole layer, its pixels in each place; every undo reads them back
// from there (the state keeps them where they are).
void BM_UndoFullLayerAdjustment(benchmark::State& state) {
    const auto place = SavedPixels::Place(state.range(0));
    bench::InvertedPhotoDocument inverted(kWidth, kHeight, 7);
    if (!inverted.applied()) {
        state.SkipWithError("apply failed");
        return;
    }
    FilterHistoryState& filter = inverted.filter();
    if (!putInPlace(*filter.savedPixels().front(), place)) {
        state.SkipWithError("the pixels could not be put in place");
        return;
    }
    for (auto _ : state) {
        if (!filter.undo())
            state.SkipWithError("undo failed");
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_UndoFullLayerAdjustment)->Apply(fromEachPlace);

// What moving them down costs the history when it is over its budget.
void BM_CompressSavedPixels(benchmark::State& state) {
    const bool toSwap = state.range(0) != 0;
    const Surface24 layer = bench::photo(kWidth, kHeight, 6);
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    for (auto _ : state) {
        state.PauseTiming();
        SavedPixels saved;
        saved.save(layer, layer.bounds());
        state.ResumeTiming();
        if (!(toSwap ? saved.swapOut(folder) : saved.compress()))
            state.SkipWithError("compressing failed");
    }
}
BENCHMARK(BM_CompressSavedPixels)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace pict
