#include "imageops/TablePointFilter.h"

#include "surface/RewrittenRows.h"

namespace pict {
namespace {

// Unmasked rows: three lookups per pixel, nothing else. (Packing four pixels into three
// words to load and store them whole measured slower: the shifts cost more than the
// byte loads they save.)
void mapRowUnmasked(uint8_t* px, int32_t width, const ChannelTables& t) {
    for (int32_t x = 0; x < width; ++x, px += 3) {
        px[0] = t.blue[px[0]];
        px[1] = t.green[px[1]];
        px[2] = t.red[px[2]];
    }
}

} // namespace

bool TablePointFilter::applyRgb(Surface24& target) {
    if (mask())
        return PointFilterOf<TablePointFilter>::applyRgb(target);
    const Rect& work = workRect();
    rewriteRows(target, work.top, work.bottom, work.width(),
                [&](uint8_t* row, int32_t) { mapRowUnmasked(row + int64_t(work.left) * 3, work.width(), tables_); });
    return true;
}

} // namespace pict
