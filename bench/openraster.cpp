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

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;
constexpr int32_t kLayers = 5;

Document& fiveLayers() {
    static Document document;
    static const bool made = [] {
        bench::startPhotoDocument(document, kWidth, kHeight, 1);
        for (int32_t i = 1; i < kLayers; ++i) {
            auto layer = RasterLayer::createFromSurface(&document.layers(), bench::photo(kWidth, kHeight, uint32_t(i + 1)), false);
            layer->setName("Layer " + std::to_string(i));
            layer->setOpacity(uint8_t(255 - 30 * i));
            if (i == 2) {
                layer->ensureTransparencyMask();
                Surface8* mask = layer->transparencyMask();
                for (int32_t y = 0; y < kHeight; ++y)
                    for (int32_t x = 0; x < kWidth; ++x)
                        mask->row(y)[x] = uint8_t((x + y) / 40);
            }
            document.layers().insert(std::move(layer), document.layers().count());
        }
        document.invalidate(document.canvasRect());
        return true;
    }();
    (void)made;
    return document;
}

std::string benchPath() { return (std::filesystem::temp_directory_path() / "pictorane-bench.ora").string(); }

void BM_WriteOpenRaster(benchmark::State& state) {
    Document& document = fiveLayers();
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
        saveOpenRaster(fiveLayers(), benchPath(), nullptr, error);
    for (auto _ : state) {
        OpenRasterResult result;
        if (!readOpenRaster(benchPath(), result, error))
            state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_ReadOpenRaster)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
} // namespace pict
