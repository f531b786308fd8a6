// Painting onto 24-bit surfaces: color gradients for the sliders, darkening by a mask, and
// the coverage painting of the working surface.
#include "surface/BlendModes.h"
#include "surface/PixelCodec.h"
#include "surface/RasterSurface.h"

#include <cmath>

namespace pict {

namespace {

// Channel i of n between from and to (0x00BBGGRR), optionally through a gamma curve.
uint32_t gradientColor(uint32_t from, uint32_t to, int32_t i, int32_t n, bool gammaOn, double gamma) {
    const double t = double(i) / double(n - 1);
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double a = double(from >> shift & 0xFF), b = double(to >> shift & 0xFF);
        int32_t c = int32_t((1.0 - t) * a + t * b);
        if (gammaOn)
            c = int32_t(std::pow(double(c) / 255.0, gamma) * 255.0);
        result |= uint32_t(std::clamp(c, 0, 255)) << shift;
    }
    return result;
}

// The part of a mask placed at offset that lies on the surface, in surface coordinates.
Rect maskArea(const RasterSurface& surface, const RasterSurface& mask, Point offset) {
    return Rect::fromPointSize(offset, mask.size()).intersected(surface.bounds());
}

} // namespace

bool Surface24::gradientHorizontal(const Rect& rect, uint32_t from, uint32_t to, bool gammaOn, double gamma) {
    if (!isValid())
        return false;
    const Rect r = rect.normalized();
    if (r.width() < 2 || r.height() < 1 || (from & 0xFFFFFF) == (to & 0xFFFFFF))
        return true;
    for (int32_t i = 0; i < r.width(); ++i)
        fillSolid24({r.left + i, r.top, r.left + i + 1, r.bottom},
                    gradientColor(from, to, i, r.width(), gammaOn, gamma));
    return true;
}

bool Surface24::gradientVertical(const Rect& rect, uint32_t from, uint32_t to, bool gammaOn, double gamma) {
    if (!isValid())
        return false;
    const Rect r = rect.normalized();
    if (r.height() < 2 || r.width() < 1 || (from & 0xFFFFFF) == (to & 0xFFFFFF))
        return true;
    for (int32_t i = 0; i < r.height(); ++i)
        fillSolid24({r.left, r.top + i, r.right, r.top + i + 1},
                    gradientColor(from, to, i, r.height(), gammaOn, gamma));
    return true;
}

bool Surface24::darkenByMask(Point offset, const Surface8& mask, uint8_t opacity) {
    if (!isValid() || !mask.isValid())
        return false;
    if (opacity == 0)
        return true;
    const Rect area = maskArea(*this, mask, offset);
    const uint32_t a = opacity;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const uint8_t* m = mask.row(y - offset.y) + (area.left - offset.x);
        uint8_t* p = row(y) + 3 * int64_t(area.left);
        for (int32_t x = area.left; x < area.right; ++x, ++m, p += 3) {
            const uint32_t level = *m;
            if (level == 255)
                continue;
            for (int c = 0; c < 3; ++c) {
                const uint32_t darker = p[c] * level / 255;
                p[c] = uint8_t(a == 255 ? darker : (darker * a + (255 - a) * p[c]) / 255);
            }
        }
    }
    return true;
}

bool PaintSurface24::paintCoverage(uint32_t color, uint8_t coverage) {
    if (!isValid())
        return false;
    const uint32_t c = colorOfColorRef(color);
    const uint8_t paint[3] = {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)};
    if (coverage == 0)
        return true;
    for (int32_t y = 0; y < height(); ++y) {
        uint8_t* p = row(y);
        for (int32_t x = 0; x < width(); ++x, p += 3)
            coverageBlend(p, paint, coverage);
    }
    return true;
}

bool PaintSurface24::paintMasked(const Surface8& mask, Point offset, uint32_t color) {
    if (!isValid() || !mask.isValid())
        return false;
    const uint32_t c = colorOfColorRef(color);
    const uint8_t paint[3] = {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)};
    const Rect area = maskArea(*this, mask, offset);
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const uint8_t* m = mask.row(y - offset.y) + (area.left - offset.x);
        uint8_t* p = row(y) + 3 * int64_t(area.left);
        for (int32_t x = area.left; x < area.right; ++x, ++m, p += 3)
            coverageBlend(p, paint, *m);
    }
    return true;
}

} // namespace pict
