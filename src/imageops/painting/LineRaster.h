#pragma once
// The Bresenham line: the pixels a one-pixel pencil paints between two points, the first
// and the last included. The major axis advances by one each step; the minor one follows
// the ideal line rounded to the nearest pixel, a tie staying on the side of the start.

#include "common/Geometry.h"

#include <cstdint>
#include <cstdlib>

namespace pict {

template <class Plot>
void forEachLinePixel(Point from, Point to, Plot&& plot) {
    const int64_t dx = std::llabs(int64_t(to.x) - from.x);
    const int64_t dy = std::llabs(int64_t(to.y) - from.y);
    const int32_t sx = to.x < from.x ? -1 : 1;
    const int32_t sy = to.y < from.y ? -1 : 1;
    // Walk along the longer axis; "major" and "minor" name the two axes for this line.
    const bool xMajor = dx >= dy;
    const int64_t major = xMajor ? dx : dy;
    const int64_t minor = xMajor ? dy : dx;
    int64_t decision = 2 * minor - major;
    Point p = from;
    for (int64_t i = 0; i <= major; ++i) {
        plot(p);
        if (decision > 0) {
            (xMajor ? p.y : p.x) += xMajor ? sy : sx;
            decision -= 2 * major;
        }
        decision += 2 * minor;
        (xMajor ? p.x : p.y) += xMajor ? sx : sy;
    }
}

} // namespace pict
