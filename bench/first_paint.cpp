// Opening a 6000 x 4000 JPEG up to the first picture of its window, without a window: the
// file is read into a document and its full-HD view rendered at the zoom a new window starts
// with. Compared with the decoding alone, the difference is what the editor adds between
// the decoder and the screen (the document, its composite and the first render).

#include "BenchPictures.h"
#include "app/core/DocumentWindowLayout.h"
#include "canvas/CanvasRenderer.h"
#include "codecs/DocumentFiles.h"
#include "document/Document.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

using namespace pict;

const std::string& jpegPath() {
    static const std::string path = [] {
        const std::filesystem::path file = std::filesystem::temp_directory_path() / "pict_bench_first_paint.jpg";
        Document document;
        if (!document.newFromSurface(file.string(), bench::photo(6000, 4000, 7)) ||
            !saveDocument(document, file.string()))
            std::abort();
        return file.string();
    }();
    return path;
}

constexpr Size kWindow{1920, 1080};

void BM_DecodeJpeg(benchmark::State& state) {
    const std::string& path = jpegPath();
    for (auto _ : state) {
        OpenedImage image;
        if (!openImage(path, image))
            state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(image.color.row(0));
    }
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond);

void BM_OpenToFirstPaint(benchmark::State& state) {
    const std::string& path = jpegPath();
    for (auto _ : state) {
        std::unique_ptr<Document> document = openDocument(path);
        if (!document) {
            state.SkipWithError("opening failed");
            break;
        }
        const InitialViewLayout layout = initialViewLayout(document->canvasSize(), kWindow);
        CanvasView view(document->canvasSize(), layout.client);
        view.setZoom(layout.zoom, false);
        CanvasRenderer renderer;
        benchmark::DoNotOptimize(renderer.render(view, compositeSourceOf(*document)).pixels.data());
    }
}
BENCHMARK(BM_OpenToFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace
