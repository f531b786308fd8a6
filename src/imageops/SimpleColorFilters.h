#pragma once
// The two adjustments without parameters.

#include "imageops/PointFilterLoops.h"

#include <algorithm>

namespace pict {

// Every channel becomes (max + min) >> 1 of the pixel. 8-bit surfaces stay unchanged.
class DesaturateFilter : public PointFilterOf<DesaturateFilter> {
public:
    static constexpr bool kChangesGray = false;
    FilterKind kind() const override { return FilterKind::Desaturate; }
    void pixelRgb(uint8_t* bgr) const {
        const uint8_t gray = static_cast<uint8_t>((std::max({bgr[0], bgr[1], bgr[2]}) + std::min({bgr[0], bgr[1], bgr[2]})) >> 1);
        bgr[0] = bgr[1] = bgr[2] = gray;
    }
};

// Every channel (and every 8-bit value) becomes 255 - v.
class InvertFilter : public PointFilterOf<InvertFilter> {
public:
    static constexpr bool kChangesGray = true;
    FilterKind kind() const override { return FilterKind::Invert; }
    void pixelRgb(uint8_t* bgr) const {
        bgr[0] = static_cast<uint8_t>(~bgr[0]);
        bgr[1] = static_cast<uint8_t>(~bgr[1]);
        bgr[2] = static_cast<uint8_t>(~bgr[2]);
    }
    void pixelGray(uint8_t& value) const { value = static_cast<uint8_t>(~value); }

protected:
    bool applyRgb(Surface24& target) override;
};

} // namespace pict
