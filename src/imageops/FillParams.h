#pragma once
// What the Fill command paints: a color, a blend mode, an opacity in percent and whether
// the layer's transparency is left alone. Filled by the Fill dialog (or the shortcuts that
// fill with the current colors) and copied into the "Fill" history state.

#include "surface/BlendModes.h"

#include <algorithm>
#include <cstdint>

namespace pict {

struct FillParams {
    static constexpr int32_t kMinOpacity = 1;
    static constexpr int32_t kMaxOpacity = 100;

    uint32_t color = 0xFF000000;       // 0xAARRGGBB, the alpha byte always 0xFF
    int32_t mode = kBlendNormal;       // BlendMode 0..18
    int32_t opacity = kMaxOpacity;     // percent, 1..100
    bool preserveTransparency = false; // leave the layer's transparency mask unchanged
};

// The record as the state keeps it: an opaque color, a known mode, an opacity in range.
constexpr FillParams clampedFillParams(FillParams params) {
    params.color |= 0xFF000000u;
    if (!isBlendMode(params.mode))
        params.mode = kBlendNormal;
    params.opacity = std::clamp(params.opacity, FillParams::kMinOpacity, FillParams::kMaxOpacity);
    return params;
}

// The opacity as a weight: round(min(p, 100) x 2.55), 0 for negative p. Done in integers,
// since 2.55 has no exact binary form and 50 % must give 128 (1 % gives 3, 100 % 255).
constexpr uint8_t fillOpacityWeight(int32_t percent) {
    if (percent <= 0)
        return 0;
    return uint8_t((std::min(percent, 100) * 255 + 50) / 100);
}

} // namespace pict
