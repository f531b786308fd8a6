// The painting and selection tools on a 6000 x 4000 canvas, one core:
//  - a 2000-pixel brush stroke of size 100 painted and recomposed 16 pixels at a time, as the
//    editor does between two pointer events (target: at most 8 ms per segment);
//  - the paint bucket and the magic wand over a picture that matches everywhere, so that
//    the region is the whole canvas (target: at least 100 Mpx/s);
//  - a lasso of 10,000 points rasterised onto the canvas (target: under 50 ms).
#include "app/commands/CommandIds.h"
#include "app/commands/DocumentCommands.h"
#include "app/session/DocumentSession.h"
#include "canvas/painting/LayerStroke.h"
#include "document/Document.h"
#include "history/HistoryManager.h"
#include "selection/SelectionSources.h"
#include "surface/PixelThreads.h"

#include "BenchDocuments.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace pict {
namespace {

constexpr int32_t kWidth = 6000;
constexpr int32_t kHeight = 4000;
constexpr int64_t kCanvasPixels = int64_t(kWidth) * kHeight;

void oneCore() { setPixelThreads(1); }

void BM_BrushStrokeSegments(benchmark::State& state) {
    oneCore();
    Document document;
    bench::startPhotoDocument(document, kWidth, kHeight, 5);
    document.composite(); // the view's cache, recomposed per reported rectangle
    bench::BenchWindow window(document);
    BrushParams brush;
    brush.size = 100;
    brush.hardness = 50;
    brush.opacity = 80;
    brush.color = 0x3366CC;
    constexpr int32_t kSegment = 16, kLength = 2000;
    int64_t segments = 0;
    for (auto _ : state) {
        auto stroke = LayerStroke::start(window, brush);
        stroke->begin({1000.5, 2000.5, 1.0});
        // A gentle curve, so that dabs land on new and already painted tiles alike.
        for (int32_t d = kSegment; d <= kLength; d += kSegment) {
            const double x = 1000.5 + d, y = 2000.5 + 300.0 * std::sin(d / 400.0);
            benchmark::DoNotOptimize(stroke->lineTo({x, y, 1.0}));
            ++segments;
        }
        state.PauseTiming();
        auto recorded = stroke->finish();
        recorded->undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(segments); // items per second: segments; the time per item is what counts
    state.counters["ms_per_segment"] =
        benchmark::Counter(double(segments), benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_BrushStrokeSegments)->Unit(benchmark::kMillisecond);

// A picture within a few levels of one colour everywhere: tolerance 8 takes all of it.
std::unique_ptr<Document> nearlyFlatDocument() {
    auto document = std::make_unique<Document>();
    bench::startPhotoDocument(*document, kWidth, kHeight, 1);
    Surface24& color = document->layers().rasterAt(0)->color();
    uint32_t noise = 7;
    for (int32_t y = 0; y < kHeight; ++y) {
        uint8_t* p = color.row(y);
        for (int32_t i = 0; i < 3 * kWidth; ++i) {
            noise = noise * 1664525u + 1013904223u;
            p[i] = uint8_t(120 + (noise >> 29));
        }
    }
    return document;
}

void runRegionCommand(benchmark::State& state, uint16_t id) {
    oneCore();
    ApplicationContext app;
    DocumentSession session(app, nearlyFlatDocument());
    DocumentCommands commands(session);
    for (auto _ : state) {
        CommandResult result;
        if (id == kCmdPaintBucket) {
            BucketParams bucket;
            bucket.point = {0, 0};
            bucket.tolerance = 8;
            result = commands.execute(id, bucket);
        } else {
            MagicWandParams wand;
            wand.point = {0, 0};
            wand.tolerance = 8;
            result = commands.execute(id, wand);
        }
        benchmark::DoNotOptimize(result);
        state.PauseTiming();
        session.history().undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kCanvasPixels);
}

void BM_PaintBucketWholeCanvas(benchmark::State& state) { runRegionCommand(state, kCmdPaintBucket); }
void BM_MagicWandWholeCanvas(benchmark::State& state) { runRegionCommand(state, kCmdMagicWand); }
BENCHMARK(BM_PaintBucketWholeCanvas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MagicWandWholeCanvas)->Unit(benchmark::kMillisecond);

void BM_LassoTenThousandPoints(benchmark::State& state) {
    // A wobbly closed curve across most of the canvas, crossing itself in places.
    std::vector<PolygonPoint> polygon;
    constexpr int kPoints = 10000;
    for (int i = 0; i < kPoints; ++i) {
        const double t = 2 * std::numbers::pi * i / kPoints;
        const double r = 1800 + 150 * std::sin(37 * t) + 60 * std::sin(301 * t);
        polygon.push_back({3000 + 1.4 * r * std::cos(t), 2000 + r * std::sin(t)});
    }
    Surface8 mask;
    for (auto _ : state)
        benchmark::DoNotOptimize(polygonMask(polygon, {kWidth, kHeight}, mask));
    state.SetItemsProcessed(state.iterations() * kCanvasPixels);
}
BENCHMARK(BM_LassoTenThousandPoints)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pict
