// The layered file on a 6000 x 4000 document of five photo-like layers (the second with a
// transparency mask, the others opaque): writing it (targets: at most 3 s on two cores) and
// reading it back (at most 1.5 s). The file goes to the temporary folder, as a save would.
#include "codecs/openraster/OpenRaster.h"
#include "document/Document.h"

#include "BenchDocuments.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace pict {
namespace {

std::string benchPath() { return (std::filesystem::temp_directory_path() / "pictorane-bench.ora").string(); }

void BM_WriteOpenRaster(benchmark::State& state) {
    Document& document = bench::fiveLayerPhotoDocument();
    std::string error;
    for (auto _ : state)
        if (!saveOpenRaster(document, benchPath(), nullptr, error))
            state.SkipWithError(error.c_str());
    state.counters["MiB"] = double(std::filesystem::file_size(benchPath())) / (1 << 20);
}
BENCHMARK(BM_WriteOpenRaster)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ReadOpenRaster(benchmark::State& state) {
    std::string error;
    if (!std::filesystem::exists(benchPath()))
        saveOpenRaster(bench::fiveLayerPhotoDocument(), benchPath(), nullptr, error);
    for (auto _ : state) {
        OpenRasterResult result;
        if (!readOpenRaster(benchPath(), result, error))
            state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_ReadOpenRaster)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
} // namespace pict
