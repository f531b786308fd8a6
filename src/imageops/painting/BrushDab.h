#pragma once
// The coverage of one dab of a round tip: the pixels it covers and how strongly, one byte
// per pixel (255 full). A dab lies in layer coordinates; the centre of pixel (x, y) is
// (x + 0.5, y + 0.5).
//  - Soft tip (the brush): full strength out to hardness × radius, then falling smoothly to
//    nothing at the radius; the edge itself is anti-aliased over one pixel, so a hardness of
//    100 % gives a clean round edge. Coverage never falls as the hardness rises.
//  - Hard tip (the pencil): a pixel is covered fully when its centre lies in the disc of the
//    tip's diameter around the centre pixel's centre, otherwise not at all. Size 1 is one pixel.

#include "common/Geometry.h"

#include <cstdint>
#include <vector>

namespace pict {

struct Dab {
    Rect box;                      // layer coordinates
    std::vector<uint8_t> coverage; // box.width() bytes per row, rows top to bottom

    const uint8_t* row(int32_t y) const { return coverage.data() + int64_t(y - box.top) * box.width(); }
};

// The soft tip's coverage at distance `distance` from the centre, 0..1.
double softTipCoverage(double distance, double radius, double hardness);

// diameter > 0 in pixels, hardness 0..1, strength 0..255 scales every byte (a pen's pressure).
void makeSoftDab(double centerX, double centerY, double diameter, double hardness, uint8_t strength, Dab& out);

// The hard tip of one size, made once and stamped at every pixel of a line.
class HardTip {
public:
    explicit HardTip(int32_t size);
    int32_t size() const { return size_; }
    // The dab around pixel `center`; strength scales the covered bytes.
    void stamp(Point center, uint8_t strength, Dab& out) const;

private:
    int32_t size_;
    int32_t offset_; // the box's left (top) relative to the centre pixel
    std::vector<uint8_t> mask_;
};

} // namespace pict
