#pragma once
// The Gradient tool's pixel work: a linear or radial ramp from a start point to an end point,
// foreground to background or foreground to transparent, composited over a layer in a blend
// mode at an opacity, inside the selection.
//
// The ramp position of a pixel is t = projection of its centre onto start→end (linear) or
// its centre's distance from start over the length (radial), clamped to 0..1 and taken as
// T = round(255 t). Its colour is (F × (255 − T) + B × T + 127) / 255 per channel, so the
// start pixel gets exactly the foreground and the end pixel exactly the background; to
// transparent, the colour is F and its alpha 255 − T. The strength is then Sa = w × alpha / 255
// (w the opacity weight) and the pixel follows the painting rule of PaintPixel.h.

#include "common/Geometry.h"
#include "document/SelectionArea.h"
#include "imageops/painting/PaintStroke.h"

#include <cstdint>

namespace pict {

struct GradientParams {
    static constexpr int32_t kMinOpacity = 1, kMaxOpacity = 100;

    Point start; // canvas pixels; their centres are the ramp's ends
    Point end;
    bool radial = false;
    bool toTransparent = false;
    int32_t mode = kBlendNormal;
    int32_t opacity = kMaxOpacity; // percent
    uint32_t foreground = 0x000000; // 0x00RRGGBB
    uint32_t background = 0xFFFFFF;
};

// The ramp position 0..255 of canvas pixel (x, y).
uint8_t gradientPosition(const GradientParams& params, int32_t x, int32_t y);

// Paints area (layer coordinates, clipped to the layer) of the target. False, changing
// nothing, when start and end are the same pixel or the target has no pixels.
bool paintGradient(const GradientParams& params, const StrokeTarget& target, const SelectionArea& selection,
                   const Rect& area);

} // namespace pict
