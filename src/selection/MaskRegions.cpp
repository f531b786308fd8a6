#include "selection/MaskRegions.h"

#include <algorithm>
#include <cstring>

namespace pict {

bool createMask(Surface8& target, Size size) {
    // Fresh pixel memory is zero-filled, so no clearing pass is needed.
    return target.create(size.width, size.height, 8);
}

void copyOverlap(const Surface8& source, Point sourceOrigin, Surface8& target, Point targetOrigin) {
    if (!source.isValid() || !target.isValid())
        return;
    const Rect sourceRect = Rect::fromPointSize(sourceOrigin, source.size());
    const Rect targetRect = Rect::fromPointSize(targetOrigin, target.size());
    const Rect common = sourceRect.intersected(targetRect);
    if (common.isEmpty())
        return;
    const size_t bytes = static_cast<size_t>(common.width());
    for (int32_t y = common.top; y < common.bottom; ++y) {
        const uint8_t* from = source.row(y - sourceOrigin.y) + (common.left - sourceOrigin.x);
        uint8_t* to = target.row(y - targetOrigin.y) + (common.left - targetOrigin.x);
        std::memmove(to, from, bytes);
    }
}

namespace {

// Index of the first non-zero byte of row[0, count), or count. Reads whole words where it
// can, since most of a mask is usually a run of zeros or of 255.
int32_t firstNonZero(const uint8_t* row, int32_t count) {
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        uint64_t word;
        std::memcpy(&word, row + i, 8);
        if (word != 0)
            break;
    }
    while (i < count && row[i] == 0)
        ++i;
    return i;
}

} // namespace

Rect nonZeroBox(const Surface8& surface) {
    if (!surface.isValid())
        return {};
    const int32_t width = surface.width();
    Rect box;
    bool found = false;
    for (int32_t y = 0; y < surface.height(); ++y) {
        const uint8_t* row = surface.row(y);
        const int32_t first = firstNonZero(row, width);
        if (first == width)
            continue;
        int32_t last = width - 1;
        while (row[last] == 0)
            --last;
        if (!found) {
            box = {first, y, last + 1, y + 1};
            found = true;
        } else {
            box.left = std::min(box.left, first);
            box.right = std::max(box.right, last + 1);
            box.bottom = y + 1;
        }
    }
    return box;
}

} // namespace pict
