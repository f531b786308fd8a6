#include "imageops/TablePointFilter.h"

#include <bit>
#include <cstring>

namespace pict {
namespace {

static_assert(std::endian::native == std::endian::little, "the word form of the row loop packs bytes little-endian");

// Unmasked rows four pixels (three words) at a time: the lookups are the same as the
// per-pixel form, but the pixel bytes are loaded and stored as whole words.
void mapRowUnmasked(uint8_t* px, int32_t width, const ChannelTables& t) {
    int32_t x = 0;
    for (; x + 4 <= width; x += 4, px += 12) {
        uint32_t w[3];
        std::memcpy(w, px, 12);
        const uint32_t a = w[0], b = w[1], c = w[2]; // B G R B | G R B G | R B G R
        w[0] = uint32_t(t.blue[a & 0xff]) | uint32_t(t.green[(a >> 8) & 0xff]) << 8 |
               uint32_t(t.red[(a >> 16) & 0xff]) << 16 | uint32_t(t.blue[a >> 24]) << 24;
        w[1] = uint32_t(t.green[b & 0xff]) | uint32_t(t.red[(b >> 8) & 0xff]) << 8 |
               uint32_t(t.blue[(b >> 16) & 0xff]) << 16 | uint32_t(t.green[b >> 24]) << 24;
        w[2] = uint32_t(t.red[c & 0xff]) | uint32_t(t.blue[(c >> 8) & 0xff]) << 8 |
               uint32_t(t.green[(c >> 16) & 0xff]) << 16 | uint32_t(t.red[c >> 24]) << 24;
        std::memcpy(px, w, 12);
    }
    for (; x < width; ++x, px += 3) {
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
    for (int32_t y = work.top; y < work.bottom; ++y)
        mapRowUnmasked(target.row(y) + int64_t(work.left) * 3, work.width(), tables_);
    return true;
}

} // namespace pict
