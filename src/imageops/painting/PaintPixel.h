#pragma once
// The per-pixel arithmetic every painting tool shares. The tool supplies the old pixel, the
// colour it paints, its strength Sa (opacity already folded in) and the selection's coverage
// s; the rule decides what Sa does:
//  - Composite:       composite(D, Da, colour, Sa, mode) with the layer's transparency;
//  - CompositeOpaque: the same over an opaque backdrop (no mask, or transparency locked);
//  - EraseAlpha:      Da becomes Da × (255 − Sa) / 255, the colour stays;
//  - EraseToColor:    the colour moves toward the paint colour as an opaque Normal composite;
// and the result is weighted by s: old + (((new − old) × s) >> 8), s = 255 taking it exactly.

#include "imageops/CoverageBlend.h"
#include "surface/BlendModes.h"

#include <cstdint>

namespace pict {

enum class PixelRule : uint8_t { Composite, CompositeOpaque, EraseAlpha, EraseToColor };

// The rule for a layer: eraser or not, whether it has a mask we may change, background flag.
constexpr PixelRule pixelRuleFor(bool eraser, bool transparencyTakesPart, bool background) {
    if (eraser)
        return background || !transparencyTakesPart ? PixelRule::EraseToColor : PixelRule::EraseAlpha;
    return transparencyTakesPart ? PixelRule::Composite : PixelRule::CompositeOpaque;
}

// out may equal old; alpha is written only by the rules that use it.
template <int32_t Mode, PixelRule Rule>
inline void paintPixel(uint8_t* out, uint8_t* alpha, const uint8_t* old, uint8_t oldAlpha, const uint8_t* source,
                       uint8_t sa, uint8_t s) {
    if constexpr (Rule == PixelRule::EraseAlpha) {
        *alpha = coverageMix(oldAlpha, uint8_t(divide255(uint32_t(oldAlpha) * (255u - sa))), s);
    } else {
        uint8_t result[3] = {old[0], old[1], old[2]};
        if constexpr (Rule == PixelRule::Composite) {
            uint8_t resultAlpha = oldAlpha;
            compositePixel<Mode>(result, resultAlpha, source, sa);
            *alpha = coverageMix(oldAlpha, resultAlpha, s);
        } else if constexpr (Rule == PixelRule::CompositeOpaque) {
            uint8_t blended[3];
            blendPixel<Mode>(old, source, blended);
            for (int k = 0; k < 3; ++k)
                result[k] = mixOverOpaque(old[k], blended[k], sa);
        } else {
            for (int k = 0; k < 3; ++k)
                result[k] = mixOverOpaque(old[k], source[k], sa);
        }
        for (int k = 0; k < 3; ++k)
            out[k] = coverageMix(old[k], result[k], s);
    }
}

// Calls fn(std::integral_constant<PixelRule, rule>{}) so the rule becomes a template argument.
template <class Fn>
void withPixelRule(PixelRule rule, Fn&& fn) {
    switch (rule) {
    case PixelRule::Composite:
        fn(std::integral_constant<PixelRule, PixelRule::Composite>{});
        break;
    case PixelRule::CompositeOpaque:
        fn(std::integral_constant<PixelRule, PixelRule::CompositeOpaque>{});
        break;
    case PixelRule::EraseAlpha:
        fn(std::integral_constant<PixelRule, PixelRule::EraseAlpha>{});
        break;
    case PixelRule::EraseToColor:
        fn(std::integral_constant<PixelRule, PixelRule::EraseToColor>{});
        break;
    }
}

} // namespace pict
