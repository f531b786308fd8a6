// Opening a 6000 x 4000 JPEG up to the first picture of its window, without the window
// toolkit: the file is read into a document, the document gets its session (selection and
// history) and view as a document window makes them, and the view is rendered at the zoom
// and client size a new window takes in a 1920 x 1080 workspace (1/4, 1500 x 1000).
// Compared with the decoding alone, the difference is what the editor adds between the
// decoder and the screen; putting the rendered buffer on the screen is one blit on top.

#include "BenchPictures.h"
#include "app/session/ApplicationContext.h"
#include "app/session/DocumentSession.h"
#include "app/session/DocumentWindowLayout.h"
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

constexpr Size kWorkspace{1920, 1080};

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
        ApplicationContext app;
        DocumentSession session(app, std::move(document));
        const InitialViewLayout layout = initialViewLayout(session.document().canvasSize(), kWorkspace);
        CanvasView view(session.document().canvasSize(), layout.client);
        view.setZoom(layout.zoom, false);
        CanvasRenderer renderer;
        const ViewBuffer& picture = renderer.render(view, compositeSourceOf(session.document()));
        if (picture.width != 1500 || picture.height != 1000) {
            state.SkipWithError("unexpected first view");
            break;
        }
        benchmark::DoNotOptimize(picture.pixels.data());
    }
}
BENCHMARK(BM_OpenToFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace
