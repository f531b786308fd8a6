#include "imageops/GaussianBlurFilter.h"

#include "imageops/CoverageBlend.h"
#include "surface/PixelThreads.h"
#include "surface/StackBlur.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace pict {

double limitBlurRadius(double radius) {
    if (!(radius > GaussianBlurSettings::kRadius.min))
        return GaussianBlurSettings::kRadius.min;
    return radius > GaussianBlurSettings::kRadius.max ? GaussianBlurSettings::kRadius.max : radius;
}

GaussianBlurFilter::GaussianBlurFilter(double radius) : radius_(limitBlurRadius(radius)) {}

std::unique_ptr<NeighborhoodFilter> GaussianBlurFilter::clone() const {
    return std::unique_ptr<NeighborhoodFilter>(new GaussianBlurFilter(*this));
}

template <class Surface>
bool GaussianBlurFilter::blur(Surface& target) {
    const int32_t r = pixelRadius();
    const Surface8* coverage = givenMask();
    if (!coverage)
        return stackBlur(target, r, r);

    // Blur a block grown by more than the radius, so that inside the work rectangle the
    // result equals a blur of the whole target, then write it back through the mask.
    const Rect& work = workRect();
    const int32_t pad = stackBlurPadding(radius_);
    const Rect block =
        Rect{work.left - pad, work.top - pad, work.right + pad, work.bottom + pad}.intersected(target.bounds());
    Surface temporary;
    if (!temporary.create(block.width(), block.height(), target.depth()))
        return false;
    constexpr int kChannels = std::is_same_v<Surface, Surface24> ? 3 : 1;
    for (int32_t y = block.top; y < block.bottom; ++y)
        std::copy_n(target.row(y) + int64_t(block.left) * kChannels, int64_t(block.width()) * kChannels,
                    temporary.row(y - block.top));
    if (!stackBlur(temporary, r, r))
        return false;

    const Point origin = maskOrigin();
    target.ensureOwnPixels();
    forEachStrip(work.top, work.bottom, work.width(), [&](int32_t top, int32_t bottom) {
        for (int32_t y = top; y < bottom; ++y) {
            uint8_t* out = target.row(y) + int64_t(work.left) * kChannels;
            const uint8_t* blurred = temporary.row(y - block.top) + int64_t(work.left - block.left) * kChannels;
            const uint8_t* m = coverage->row(y - origin.y) + (work.left - origin.x);
            for (int32_t x = 0; x < work.width(); ++x) {
                const uint8_t coverageValue = m[x];
                if (coverageValue == 0)
                    continue;
                for (int c = 0; c < kChannels; ++c) {
                    const int64_t at = int64_t(x) * kChannels + c;
                    out[at] = coverageMix(out[at], blurred[at], coverageValue);
                }
            }
        }
    });
    return true;
}

bool GaussianBlurFilter::applyRgb(Surface24& target) { return blur(target); }

bool GaussianBlurFilter::applyGray(Surface8& target) { return blur(target); }

} // namespace pict
