#include "imageops/ColorFill.h"

#include "surface/PixelThreads.h"

#include <algorithm>

namespace pict {

namespace {

// One row of n pixels. coverage (null: full) holds the selection per pixel; the weight of a
// pixel is w, or floor(w x s / 255) under coverage s, and pixels of coverage 0 are skipped.
// With a destination alpha row the full composite runs and updates it; without, the
// backdrop is opaque and the result is (v x B) / 255 + ((255 - v) x D) / 255.
template <int32_t Mode, bool WithAlpha>
void fillRow(uint8_t* pixel, uint8_t* alpha, const uint8_t* coverage, int32_t n, const uint8_t* source,
             uint32_t weight) {
    for (int32_t x = 0; x < n; ++x, pixel += 3) {
        uint32_t v = weight;
        if (coverage) {
            if (coverage[x] == 0)
                continue;
            v = weight * coverage[x] / 255;
        }
        if constexpr (WithAlpha) {
            compositePixel<Mode>(pixel, alpha[x], source, uint8_t(v));
        } else {
            uint8_t blended[3];
            blendPixel<Mode>(pixel, source, blended);
            // At full weight the mix is the blended colour itself: (255 x B) / 255 + 0.
            if (v == 255) {
                pixel[0] = blended[0];
                pixel[1] = blended[1];
                pixel[2] = blended[2];
                continue;
            }
            for (int c = 0; c < 3; ++c)
                pixel[c] = mixOverOpaque(pixel[c], blended[c], v);
        }
    }
}

} // namespace

bool ColorFill::fill(Surface24& color, Surface8* transparency, const Surface8* mask, Point maskOrigin) {
    if (!color.isValid())
        return false;
    if (transparency && transparency->size() != color.size())
        return false;
    // The area to walk, in layer coordinates, and where the coverage starts in it.
    Rect area = color.bounds();
    if (mask) {
        if (!mask->isValid())
            return false;
        area = Rect::fromPointSize(maskOrigin, mask->size()).intersected(color.bounds());
        if (area.isEmpty())
            return true;
    }
    Surface8* destinationAlpha = params_.preserveTransparency ? nullptr : transparency;
    const uint32_t c = params_.color;
    const uint8_t source[3] = {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)}; // blue, green, red
    const uint32_t weight = fillOpacityWeight(params_.opacity);
    color.ensureOwnPixels();
    if (destinationAlpha)
        destinationAlpha->ensureOwnPixels();
    return withBlendMode(params_.mode, [&](auto m) {
        constexpr int32_t kMode = decltype(m)::value;
        forEachStrip(area.top, area.bottom, area.width(), [&](int32_t top, int32_t bottom) {
            for (int32_t y = top; y < bottom; ++y) {
                uint8_t* pixel = color.row(y) + 3 * int64_t(area.left);
                const uint8_t* coverage =
                    mask ? mask->row(y - maskOrigin.y) + (area.left - maskOrigin.x) : nullptr;
                if (destinationAlpha)
                    fillRow<kMode, true>(pixel, destinationAlpha->row(y) + area.left, coverage, area.width(), source,
                                         weight);
                else
                    fillRow<kMode, false>(pixel, nullptr, coverage, area.width(), source, weight);
            }
        });
    });
}

} // namespace pict
