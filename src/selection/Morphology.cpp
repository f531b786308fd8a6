#include "selection/Morphology.h"

#include "selection/MaskRegions.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace pict {

std::vector<int32_t> structuringHeights(int32_t rx, int32_t ry) {
    std::vector<int32_t> heights(static_cast<size_t>(rx) + 1, 0);
    if (rx <= 0) {
        heights.assign(1, std::max(ry, 0));
        return heights;
    }
    for (int32_t dx = 0; dx <= rx; ++dx) {
        const double e = dx == 0 ? 0.0 : dx - 0.5;
        const double h = std::floor(std::sqrt(double(rx) * rx - e * e) * ry / rx + 0.5);
        heights[static_cast<size_t>(dx)] = static_cast<int32_t>(h);
    }
    return heights;
}

namespace {

struct MaxOf {
    static uint8_t apply(uint8_t a, uint8_t b) { return a > b ? a : b; }
    static constexpr uint8_t kSaturated = 255; // a row of this value decides the result
};
struct MinOf {
    static uint8_t apply(uint8_t a, uint8_t b) { return a < b ? a : b; }
    static constexpr uint8_t kSaturated = 0;
};

template <class Op>
void widen(uint8_t* __restrict out, const uint8_t* previous, const uint8_t* a, const uint8_t* b, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        out[i] = Op::apply(previous[i], Op::apply(a[i], b[i]));
}

template <class Op>
void combinePairInto(uint8_t* __restrict out, const uint8_t* a, const uint8_t* b, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        out[i] = Op::apply(out[i], Op::apply(a[i], b[i]));
}

// For each output row y the element is split into columns: the vertical extreme over
// rows y-k..y+k (the "running value at height k") is built for k = 0..ry by widening the
// previous one by a row above and below, then each column offset dx takes the running
// value at height h(dx), shifted by dx. Everything is a straight byte loop over a row.
template <class Op, bool Dilate>
bool morph(const Surface8& source, Surface8& target, int32_t rx, int32_t ry) {
    if (!source.isValid())
        return false;
    rx = std::max(rx, 0);
    ry = std::max(ry, 0);
    const int32_t width = source.width();
    const int32_t height = source.height();
    Surface8 result;
    if (!createMask(result, source.size()))
        return false;
    try {
        const std::vector<int32_t> heights = structuringHeights(rx, ry);
        const int32_t maxHeight = heights[0];
        const int32_t padded = width + 2 * rx;
        // running[k] holds the vertical extreme at height k, with rx columns of 0 (beyond
        // the surface) on each side.
        std::vector<uint8_t> running(size_t(maxHeight + 1) * size_t(padded), 0);
        auto runningRow = [&](int32_t k) { return running.data() + size_t(k) * size_t(padded) + rx; };

        // Rows that are entirely one value decide whole output rows: a full row within
        // reach saturates a dilation, an empty row (or the edge) empties an erosion.
        std::vector<int32_t> saturatedBefore(size_t(height) + 1, 0);
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t* row = source.row(y);
            const bool saturated = std::all_of(row, row + width, [](uint8_t v) { return v == Op::kSaturated; });
            saturatedBefore[size_t(y) + 1] = saturatedBefore[size_t(y)] + (saturated ? 1 : 0);
        }

        for (int32_t y = 0; y < height; ++y) {
            uint8_t* out = result.row(y);
            const int32_t top = y - maxHeight;
            const int32_t bottom = y + maxHeight + 1;
            if constexpr (!Dilate) {
                if (top < 0 || bottom > height)
                    continue; // the element reaches beyond the surface: all 0
            }
            const int32_t from = std::max(top, 0);
            const int32_t to = std::min(bottom, height);
            if (saturatedBefore[size_t(to)] - saturatedBefore[size_t(from)] > 0) {
                if constexpr (Dilate)
                    std::memset(out, 255, size_t(width));
                continue;
            }

            std::memcpy(runningRow(0), source.row(y), size_t(width));
            for (int32_t k = 1; k <= maxHeight; ++k) {
                uint8_t* current = runningRow(k);
                const uint8_t* previous = runningRow(k - 1);
                const bool above = y - k >= 0;
                const bool below = y + k < height;
                if (above && below)
                    widen<Op>(current, previous, source.row(y - k), source.row(y + k), width);
                else if (above || below)
                    widen<Op>(current, previous, source.row(above ? y - k : y + k), previous, width);
                else
                    std::memcpy(current, previous, size_t(width));
            }

            std::memcpy(out, runningRow(heights[0]), size_t(width));
            for (int32_t dx = 1; dx <= rx; ++dx) {
                const uint8_t* column = runningRow(heights[size_t(dx)]);
                combinePairInto<Op>(out, column - dx, column + dx, width);
            }
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    target = std::move(result);
    return true;
}

} // namespace

bool dilateMask(const Surface8& source, Surface8& target, int32_t rx, int32_t ry) {
    return morph<MaxOf, true>(source, target, rx, ry);
}

bool erodeMask(const Surface8& source, Surface8& target, int32_t rx, int32_t ry) {
    return morph<MinOf, false>(source, target, rx, ry);
}

} // namespace pict
