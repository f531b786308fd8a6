#include "imageops/SimpleColorFilters.h"

#include "surface/RewrittenRows.h"

namespace pict {

bool InvertFilter::applyRgb(Surface24& target) {
    if (mask())
        return PointFilterOf<InvertFilter>::applyRgb(target);
    // Unmasked, the channels need no pixel boundaries: complement the row's bytes.
    const Rect& work = workRect();
    const int64_t bytes = int64_t(work.width()) * 3;
    rewriteRows(target, work.top, work.bottom, work.width(), [&](uint8_t* row, int32_t) {
        uint8_t* p = row + int64_t(work.left) * 3;
        for (int64_t i = 0; i < bytes; ++i)
            p[i] = static_cast<uint8_t>(~p[i]);
    });
    return true;
}

} // namespace pict
