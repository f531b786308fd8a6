#include "selection/SelectionSources.h"

#include "selection/SimilarRegion.h"

#include "document/Document.h"
#include "document/Layer.h"
#include "selection/MaskRegions.h"
#include "selection/SelectionMask.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

namespace pict {

namespace {

struct Edge {
    double x0, y0, x1, y1;
    int32_t winding; // +1 downward, -1 upward
    int32_t firstRow, endRow; // rows whose centre the edge spans: [firstRow, endRow)
};

} // namespace

bool polygonMask(std::span<const PolygonPoint> polygon, Size canvas, Surface8& mask) {
    if (!createMask(mask, canvas))
        return false;
    if (polygon.size() < 3)
        return true;
    try {
        // Each edge spans the row centres y + 0.5 with top <= y + 0.5 < bottom.
        std::vector<Edge> edges;
        edges.reserve(polygon.size());
        for (size_t i = 0; i < polygon.size(); ++i) {
            const PolygonPoint& a = polygon[i];
            const PolygonPoint& b = polygon[(i + 1) % polygon.size()];
            if (a.y == b.y || !std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
                continue;
            const double top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
            const int32_t first = int32_t(std::clamp(std::ceil(top - 0.5), 0.0, double(canvas.height)));
            const int32_t end = int32_t(std::clamp(std::ceil(bottom - 0.5), 0.0, double(canvas.height)));
            if (first < end)
                edges.push_back({a.x, a.y, b.x, b.y, a.y < b.y ? 1 : -1, first, end});
        }
        // Edges by their first row; the active list gains them as the rows go down.
        std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) { return l.firstRow < r.firstRow; });
        std::vector<const Edge*> active;
        std::vector<std::pair<double, int32_t>> crossings;
        size_t next = 0;
        for (int32_t y = 0; y < canvas.height; ++y) {
            while (next < edges.size() && edges[next].firstRow <= y)
                active.push_back(&edges[next++]);
            std::erase_if(active, [y](const Edge* e) { return e->endRow <= y; });
            if (active.empty()) {
                if (next == edges.size())
                    break;
                continue;
            }
            const double center = y + 0.5;
            crossings.clear();
            for (const Edge* e : active)
                crossings.emplace_back(e->x0 + (center - e->y0) * (e->x1 - e->x0) / (e->y1 - e->y0), e->winding);
            std::sort(crossings.begin(), crossings.end());
            uint8_t* row = mask.row(y);
            int32_t winding = 0;
            for (size_t i = 0; i + 1 < crossings.size(); ++i) {
                winding += crossings[i].second;
                if (winding == 0)
                    continue;
                // Pixels whose centre lies in [left crossing, right crossing).
                const double from = std::ceil(crossings[i].first - 0.5);
                const double to = std::ceil(crossings[i + 1].first - 0.5);
                const int32_t left = int32_t(std::clamp(from, 0.0, double(canvas.width)));
                const int32_t right = int32_t(std::clamp(to, 0.0, double(canvas.width)));
                if (left < right)
                    std::fill(row + left, row + right, uint8_t(255));
            }
        }
    } catch (const std::bad_alloc&) {
        mask.destroy();
        return false;
    }
    return true;
}

bool shapeMask(const Rect& shape, bool ellipse, Size canvas, Surface8& mask) {
    SelectionMask selection(canvas.width, canvas.height);
    if (!selection.setShape(shape, ellipse))
        return false;
    if (selection.isEmpty())
        return createMask(mask, canvas);
    return selection.toCanvasSurface(mask);
}

bool similarRegion(const SampledImage& image, Point seed, int32_t tolerance, bool contiguous, Size canvas,
                   SelectionMask& region) {
    region = SelectionMask(canvas.width, canvas.height);
    if (!Rect::fromSize(canvas).contains(seed.x, seed.y))
        return true;
    // Grow or Similar from a selection of the seed pixel alone: the same colour test.
    return region.setShape({seed.x, seed.y, seed.x + 1, seed.y + 1}, false) &&
           region.growOrSimilar(image, tolerance, contiguous);
}

bool similarRegionMask(const SampledImage& image, Point seed, int32_t tolerance, bool contiguous, Size canvas,
                       Surface8& mask) {
    SelectionMask region;
    if (!similarRegion(image, seed, tolerance, contiguous, canvas, region))
        return false;
    return region.isEmpty() ? createMask(mask, canvas) : region.toCanvasSurface(mask);
}

bool similarRegionOfDocument(Document& document, Point seed, int32_t tolerance, bool contiguous, bool merged,
                             SelectionMask& region) {
    const Size canvas = document.canvasSize();
    if (merged) {
        const CompositeCache* composite = document.composite();
        if (!composite)
            return false;
        const SampledImage image{&composite->color(), &composite->alpha()};
        return similarRegion(image, seed, tolerance, contiguous, canvas, region);
    }
    const RasterLayer* layer = document.layers().rasterAt(document.layers().activeIndex());
    LayerSample sample;
    if (!layer || !sampleLayer(*layer, canvas, sample))
        return false;
    return similarRegion(sample.image, seed, tolerance, contiguous, canvas, region);
}

bool similarRegionInDocument(Document& document, Point seed, int32_t tolerance, bool contiguous, bool merged,
                             Surface8& mask) {
    SelectionMask region;
    if (!similarRegionOfDocument(document, seed, tolerance, contiguous, merged, region))
        return false;
    return region.isEmpty() ? createMask(mask, document.canvasSize()) : region.toCanvasSurface(mask);
}

bool sampleLayer(const RasterLayer& layer, Size canvas, LayerSample& sample) {
    if (!layer.canvasImage(sample.color, sample.alpha))
        return false;
    // The canvas outside a layer that does not cover it is transparent, not black: such a
    // layer is sampled with its alpha plane even when it has no transparency mask.
    const bool withAlpha = layer.transparencyMask() != nullptr || !layer.canvasRect().contains(Rect::fromSize(canvas));
    sample.image = {&sample.color, withAlpha ? &sample.alpha : nullptr};
    return true;
}

} // namespace pict
