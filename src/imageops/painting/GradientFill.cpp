#include "imageops/painting/GradientFill.h"

#include "imageops/FillParams.h"
#include "imageops/painting/PaintPixel.h"
#include "surface/PixelThreads.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace pict {

namespace {

struct Ramp {
    double ax, ay, dx, dy, lengthSquared, length;
    bool radial;

    explicit Ramp(const GradientParams& p)
        : ax(p.start.x + 0.5), ay(p.start.y + 0.5), dx(double(p.end.x) - p.start.x), dy(double(p.end.y) - p.start.y),
          lengthSquared(dx * dx + dy * dy), length(std::sqrt(lengthSquared)), radial(p.radial) {}

    uint8_t at(double cx, double cy) const {
        const double px = cx - ax, py = cy - ay;
        const double t =
            radial ? std::sqrt(px * px + py * py) / length : (px * dx + py * dy) / lengthSquared;
        return uint8_t(std::clamp(t, 0.0, 1.0) * 255.0 + 0.5);
    }
};

} // namespace

uint8_t gradientPosition(const GradientParams& params, int32_t x, int32_t y) {
    const Ramp ramp(params);
    return ramp.lengthSquared > 0 ? ramp.at(x + 0.5, y + 0.5) : 0;
}

bool paintGradient(const GradientParams& params, const StrokeTarget& target, const SelectionArea& selection,
                   const Rect& area) {
    if (!target.color || !target.color->isValid() || params.start == params.end)
        return false;
    const Rect region = area.intersected(target.color->bounds());
    Surface8* transparency =
        target.transparency && target.transparency->size() == target.color->size() ? target.transparency : nullptr;
    if (region.isEmpty())
        return true;
    const Ramp ramp(params);
    // The colour and alpha of every ramp position.
    uint8_t colors[256][3];
    uint8_t alphas[256];
    const uint32_t f = params.foreground, b = params.background;
    for (int32_t t = 0; t < 256; ++t) {
        for (int k = 0; k < 3; ++k) {
            const uint32_t fc = (f >> (8 * k)) & 0xFF, bc = (b >> (8 * k)) & 0xFF;
            // Channel k of a 0x00RRGGBB word is blue, green, red for k = 0, 1, 2.
            colors[t][k] = params.toTransparent ? uint8_t(fc) : uint8_t((fc * (255 - t) + bc * t + 127) / 255);
        }
        alphas[t] = params.toTransparent ? uint8_t(255 - t) : uint8_t(255);
    }
    const uint32_t weight = fillOpacityWeight(std::clamp(params.opacity, GradientParams::kMinOpacity,
                                                         GradientParams::kMaxOpacity));
    const int32_t mode = isBlendMode(params.mode) ? params.mode : int32_t(kBlendNormal);
    const PixelRule rule = pixelRuleFor(false, transparency != nullptr, target.background);
    Rect selectionBounds;
    if (!selection.isEmpty())
        selectionBounds = selection.bounds.translated(-target.position.x, -target.position.y);
    target.color->ensureOwnPixels();
    if (transparency)
        transparency->ensureOwnPixels();
    withBlendMode(mode, [&](auto m) {
        constexpr int32_t kMode = decltype(m)::value;
        withPixelRule(rule, [&](auto r) {
            constexpr PixelRule kRule = decltype(r)::value;
            forEachStrip(region.top, region.bottom, region.width(), [&](int32_t top, int32_t bottom) {
                for (int32_t y = top; y < bottom; ++y) {
                    uint8_t* pixel = target.color->row(y);
                    uint8_t* alpha = transparency ? transparency->row(y) : nullptr;
                    const double cy = y + target.position.y + 0.5;
                    for (int32_t x = region.left; x < region.right; ++x) {
                        uint8_t s = 255;
                        if (!selection.isEmpty()) {
                            if (!selectionBounds.contains(x, y))
                                continue;
                            s = selection.coverage->row(y - selectionBounds.top)[x - selectionBounds.left];
                            if (s == 0)
                                continue;
                        }
                        const uint8_t t = ramp.at(x + target.position.x + 0.5, cy);
                        uint8_t scratch = 255;
                        uint8_t* out = pixel + 3 * int64_t(x);
                        const uint8_t old[3] = {out[0], out[1], out[2]};
                        paintPixel<kMode, kRule>(out, alpha ? alpha + x : &scratch, old, alpha ? alpha[x] : 255,
                                                 colors[t], uint8_t(divide255(weight * alphas[t])), s);
                    }
                }
            });
        });
    });
    return true;
}

} // namespace pict
