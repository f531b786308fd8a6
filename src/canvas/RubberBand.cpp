#include "canvas/RubberBand.h"

#include <algorithm>

namespace pict {
namespace {

void invertSpan(ViewBuffer& b, int32_t y, int32_t x0, int32_t x1, const BandPattern& pattern, int32_t phase,
                bool whole) {
    if (y < 0 || y >= b.height)
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, b.width);
    uint32_t* row = b.row(y);
    for (int32_t x = x0; x < x1; ++x)
        if (whole || bandPatternBit(pattern, x, y, phase))
            row[x] ^= 0x00FFFFFFu;
}

} // namespace

void invertBandFrame(ViewBuffer& buffer, const Rect& rect, const BandPattern& pattern, int32_t phase) {
    const Rect r = rect.normalized();
    if (r.isEmpty())
        return;
    if (r.width() <= 2 || r.height() <= 2) {
        for (int32_t y = r.top; y < r.bottom; ++y)
            invertSpan(buffer, y, r.left, r.right, pattern, phase, true);
        return;
    }
    invertSpan(buffer, r.top, r.left, r.right, pattern, phase, false);
    invertSpan(buffer, r.bottom - 1, r.left, r.right, pattern, phase, false);
    for (int32_t y = std::max(r.top + 1, 0); y < std::min(r.bottom - 1, buffer.height); ++y) {
        invertSpan(buffer, y, r.left, r.left + 1, pattern, phase, false);
        invertSpan(buffer, y, r.right - 1, r.right, pattern, phase, false);
    }
}

bool RubberBand::update(const Rect& rect) {
    if (!active_ || rect == rect_)
        return false;
    rect_ = rect;
    return true;
}

} // namespace pict
