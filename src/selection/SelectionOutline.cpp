#include "selection/SelectionOutline.h"

#include "selection/ColorSimilarity.h"

#include <algorithm>
#include <new>

namespace pict {

bool computeOutlineEdges(const SelectionMask& mask, const Rect& boundsInWindow, const Rect& clientArea,
                         OutlineEdges& edges) {
    edges = {};
    const Rect box = boundsInWindow.intersected(clientArea);
    if (mask.isEmpty() || box.isEmpty() || boundsInWindow.isEmpty())
        return true;
    const Surface8& coverage = *mask.coverage();
    const int64_t sourceWidth = coverage.width();
    const int64_t sourceHeight = coverage.height();
    const int64_t targetWidth = boundsInWindow.width();
    const int64_t targetHeight = boundsInWindow.height();
    // The stretched value at a window pixel, 0 beyond the stretched bounds.
    auto valueAt = [&](int32_t wx, int32_t wy) -> uint8_t {
        if (!boundsInWindow.contains(wx, wy))
            return 0;
        const int64_t sx = (int64_t(wx) - boundsInWindow.left) * sourceWidth / targetWidth;
        const int64_t sy = (int64_t(wy) - boundsInWindow.top) * sourceHeight / targetHeight;
        return coverage.row(int32_t(sy))[sx];
    };
    try {
        // Rows of the stretch one pixel wider on each side than the box, three at a time.
        const int32_t span = box.width() + 2;
        std::vector<uint8_t> rows(size_t(span) * 3);
        auto fillRow = [&](uint8_t* row, int32_t wy) {
            for (int32_t i = 0; i < span; ++i)
                row[i] = valueAt(box.left - 1 + i, wy);
        };
        uint8_t* above = rows.data();
        uint8_t* here = above + span;
        uint8_t* below = here + span;
        fillRow(above, box.top - 1);
        fillRow(here, box.top);
        for (int32_t wy = box.top; wy < box.bottom; ++wy) {
            fillRow(below, wy + 1);
            for (int32_t i = 1; i <= box.width(); ++i) {
                if (here[i] < kSeedCoverage)
                    continue;
                const uint8_t lowest = std::min(std::min(here[i - 1], here[i + 1]), std::min(above[i], below[i]));
                if (lowest < kSeedCoverage)
                    edges.points.push_back({i - 1, wy - box.top});
            }
            uint8_t* recycled = above;
            above = here;
            here = below;
            below = recycled;
        }
    } catch (const std::bad_alloc&) {
        edges = {};
        return false;
    }
    edges.box = box;
    return true;
}

bool outlinePixelIsWhite(int32_t phase, int32_t x, int32_t y) {
    static constexpr uint8_t kPhaseZero[8] = {0x87, 0x0F, 0x1E, 0x3C, 0x78, 0xF0, 0xE1, 0xC3};
    const int32_t p = ((phase % 8) + 8) % 8;
    const int32_t row = (((y - p) % 8) + 8) % 8;
    const int32_t bit = ((x % 8) + 8) % 8;
    return (kPhaseZero[row] & (0x80 >> bit)) != 0;
}

} // namespace pict
