#pragma once
// Grow and Similar: extend the selection by colour. The reference range is taken from the
// selected pixels (coverage 149 and above), widened by the tolerance, and matched channel
// by channel; Grow adds the matching pixels 4-connected to the selection, Similar adds
// every matching pixel of the canvas.

#include "surface/RasterSurface.h"

#include <cstdint>

namespace pict {

// A canvas-sized picture of the active layer: 24-bit colour (blue, green, red bytes) and,
// for a layer with a transparency mask, its alpha at the same size, where canvas areas the
// layer does not cover read as alpha 0. Neither surface is owned.
struct SampledImage {
    const Surface24* color = nullptr;
    const Surface8* alpha = nullptr; // null: the layer has no transparency mask

    bool isUsable(int32_t canvasWidth, int32_t canvasHeight) const;
};

// The per-channel reference range, each bound inclusive.
struct ColorRange {
    uint8_t minimum[3] = {255, 255, 255}; // blue, green, red
    uint8_t maximum[3] = {0, 0, 0};

    void include(const uint8_t* bgr) {
        for (int c = 0; c < 3; ++c) {
            minimum[c] = bgr[c] < minimum[c] ? bgr[c] : minimum[c];
            maximum[c] = bgr[c] > maximum[c] ? bgr[c] : maximum[c];
        }
    }
    void widen(int32_t tolerance);
    bool contains(const uint8_t* bgr) const {
        return bgr[0] >= minimum[0] && bgr[0] <= maximum[0] && bgr[1] >= minimum[1] && bgr[1] <= maximum[1] &&
               bgr[2] >= minimum[2] && bgr[2] <= maximum[2];
    }
};

// Coverage from which a pixel counts as selected for Grow and Similar.
constexpr uint8_t kSeedCoverage = 149;

} // namespace pict
