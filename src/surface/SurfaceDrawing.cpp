// The drawing primitives as raster code: solid fills with an excluded rectangle, inversion,
// scrolling, tiling, lines, rectangle outlines and filled ellipses. Colors are 0x00BBGGRR;
// nothing is anti-aliased.
#include "surface/PixelCodec.h"
#include "surface/RasterSurface.h"

#include <cmath>
#include <cstdlib>

namespace pict {

namespace {


Rect boundsOf(const SurfaceBuffer& b) { return Rect::fromSize(b.width(), b.height()); }

// Calls span(y, x0, x1) for the parts of each row of area that lie outside exclude.
template <class Span>
void forEachSpanOutside(const Rect& area, const Rect& exclude, Span&& span) {
    const Rect cut = exclude.normalized().intersected(area);
    for (int32_t y = area.top; y < area.bottom; ++y) {
        if (cut.isEmpty() || y < cut.top || y >= cut.bottom) {
            span(y, area.left, area.right);
            continue;
        }
        if (cut.left > area.left)
            span(y, area.left, cut.left);
        if (cut.right < area.right)
            span(y, cut.right, area.right);
    }
}

void fillArea(SurfaceBuffer& b, const Rect& rect, uint32_t raw, const Rect& exclude) {
    const Rect area = rect.normalized().intersected(boundsOf(b));
    forEachSpanOutside(area, exclude, [&](int32_t y, int32_t x0, int32_t x1) {
        fillRawRun(b.row(y), b.depth(), x0, x1 - x0, raw);
    });
}

uint32_t rawOfColorRef(const SurfaceBuffer& b, uint32_t colorRef) { return rawOfColor(b, colorOfColorRef(colorRef)); }

void invertArea(SurfaceBuffer& b, const Rect& rect, const Rect& exclude) {
    const int depth = b.depth();
    const Rect area = rect.normalized().intersected(boundsOf(b));
    forEachSpanOutside(area, exclude, [&](int32_t y, int32_t x0, int32_t x1) {
        uint8_t* row = b.row(y);
        if (depth >= 8) {
            const int64_t bytes = depth / 8;
            for (int64_t i = x0 * bytes; i < x1 * bytes; ++i)
                row[i] = uint8_t(~row[i]);
        } else {
            const uint32_t all = (1u << depth) - 1;
            for (int32_t x = x0; x < x1; ++x)
                setRawAt(row, depth, x, rawAt(row, depth, x) ^ all);
        }
    });
}

void plot(SurfaceBuffer& b, int32_t x, int32_t y, uint32_t raw) {
    if (x >= 0 && y >= 0 && x < b.width() && y < b.height())
        setRawAt(b.row(y), b.depth(), x, raw);
}

} // namespace

bool AnySurface::fillRect(const Rect& rect, uint32_t color, const Rect& exclude) {
    if (!isValid())
        return false;
    fillArea(*buffer_, rect, rawOfColorRef(*buffer_, color), exclude);
    return true;
}

bool AnySurface::fillAll(uint32_t color) { return fillRect(bounds(), color); }

bool Surface24::fillSolid24(const Rect& rect, uint32_t color, const Rect& exclude) {
    if (!isValid())
        return false;
    fillArea(*buffer_, rect, colorOfColorRef(color) & 0xFFFFFFu, exclude);
    return true;
}

bool AnySurface::invertRect(const Rect& rect, const Rect& exclude) {
    if (!isValid())
        return false;
    invertArea(*buffer_, rect, exclude);
    return true;
}

bool AnySurface::invertAll() { return invertRect(bounds()); }

bool AnySurface::scroll(const Rect& rect, int32_t dx, int32_t dy) {
    if (!isValid())
        return false;
    if (dx == 0 && dy == 0)
        return true;
    // Pixels move inside the clipped rectangle; what they uncover keeps its old content.
    const Rect clip = rect.normalized().intersected(bounds());
    const Rect from = clip.translated(-dx, -dy).intersected(clip);
    if (!from.isEmpty())
        copyPixels(*buffer_, from, *buffer_, {from.left + dx, from.top + dy});
    return true;
}

bool AnySurface::tile(const RasterSurface& pattern) {
    if (!isValid() || !pattern.isValid() || pattern.buffer() == buffer_.get())
        return false;
    return failSafe([&] {
        const SurfaceBuffer& p = *pattern.buffer();
        const int32_t band = std::min(p.height(), height());
        // The first band, left to right, then that band copied downwards.
        for (int32_t x = 0; x < width(); x += p.width()) {
            const int32_t w = std::min(p.width(), width() - x);
            copyPixels(p, Rect::fromSize(w, band), *buffer_, {x, 0});
        }
        for (int32_t y = band; y < height(); y += band) {
            const int32_t h = std::min(band, height() - y);
            copyPixels(*buffer_, Rect::fromSize(width(), h), *buffer_, {0, y});
        }
        return true;
    });
}

bool AnySurface::drawLine(Point from, Point to, uint32_t color) {
    if (!isValid())
        return false;
    const uint32_t raw = rawOfColorRef(*buffer_, color);
    // Bresenham over the longer axis, both end points included.
    int64_t x = from.x, y = from.y;
    const int64_t dx = std::llabs(int64_t(to.x) - from.x), dy = -std::llabs(int64_t(to.y) - from.y);
    const int32_t sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    int64_t error = dx + dy;
    for (;;) {
        plot(*buffer_, int32_t(x), int32_t(y), raw);
        if (x == to.x && y == to.y)
            break;
        const int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
    return true;
}

bool AnySurface::drawRectangle(const Rect& rect, uint32_t color, int32_t fill, const Rect& exclude) {
    if (!isValid())
        return false;
    const Rect r = rect.normalized();
    if (r.isEmpty())
        return true;
    const uint32_t raw = rawOfColorRef(*buffer_, color);
    if (fill != -1) {
        fillArea(*buffer_, r, raw, exclude);
        return true;
    }
    const Rect edges[4] = {
        {r.left, r.top, r.right, r.top + 1},
        {r.left, r.bottom - 1, r.right, r.bottom},
        {r.left, r.top, r.left + 1, r.bottom},
        {r.right - 1, r.top, r.right, r.bottom},
    };
    for (const Rect& edge : edges)
        fillArea(*buffer_, edge, raw, exclude);
    return true;
}

bool AnySurface::fillEllipse(const Rect& rect, uint32_t color) {
    if (!isValid())
        return false;
    const Rect r = rect.normalized();
    if (r.isEmpty())
        return true;
    const uint32_t raw = rawOfColorRef(*buffer_, color);
    // A pixel belongs to the ellipse inscribed in r when its centre lies inside; in doubled
    // coordinates the centre offsets are odd integers and the radii are the rect's sides.
    const double a = r.width(), b = r.height();
    const int64_t sumX = int64_t(r.left) + r.right, sumY = int64_t(r.top) + r.bottom;
    const int32_t top = std::max(r.top, 0), bottom = std::min(r.bottom, height());
    for (int32_t y = top; y < bottom; ++y) {
        const double v = double(2 * int64_t(y) + 1 - sumY) / b;
        const double t = 1.0 - v * v;
        if (t < 0)
            continue;
        const double half = a * std::sqrt(t);
        // Pixels x with |2x + 1 - sumX| <= half.
        const int64_t x0 = int64_t(std::ceil((double(sumX) - half - 1.0) / 2.0));
        const int64_t x1 = int64_t(std::floor((double(sumX) + half - 1.0) / 2.0));
        const int64_t from = std::max<int64_t>({x0, r.left, 0});
        const int64_t to = std::min<int64_t>({x1 + 1, r.right, width()});
        if (to > from)
            fillRawRun(buffer_->row(y), depth(), int32_t(from), int32_t(to - from), raw);
    }
    return true;
}

} // namespace pict
