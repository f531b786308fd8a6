#include "imageops/painting/BrushDab.h"

#include <algorithm>
#include <cmath>

namespace pict {

double softTipCoverage(double distance, double radius, double hardness) {
    // The anti-aliased edge: a pixel half inside the radius is half covered.
    const double edge = std::clamp(radius + 0.5 - distance, 0.0, 1.0);
    if (hardness >= 1.0)
        return edge;
    const double inner = radius * hardness;
    if (distance <= inner)
        return edge;
    // A smoothstep over the soft part; it rises with the hardness at every distance, and so
    // does the minimum with the edge.
    const double t = std::clamp((radius - distance) / (radius - inner), 0.0, 1.0);
    return std::min(edge, t * t * (3.0 - 2.0 * t));
}

void makeSoftDab(double centerX, double centerY, double diameter, double hardness, uint8_t strength, Dab& out) {
    const double radius = std::max(diameter, 1.0) / 2.0;
    const double h = std::clamp(hardness, 0.0, 1.0);
    // Every pixel whose centre lies within radius + 0.5 of the centre.
    const int32_t left = int32_t(std::floor(centerX - radius - 0.5));
    const int32_t top = int32_t(std::floor(centerY - radius - 0.5));
    const int32_t right = int32_t(std::ceil(centerX + radius + 0.5));
    const int32_t bottom = int32_t(std::ceil(centerY + radius + 0.5));
    out.box = {left, top, right, bottom};
    out.coverage.assign(size_t(out.box.width()) * size_t(out.box.height()), 0);
    uint8_t* p = out.coverage.data();
    for (int32_t y = top; y < bottom; ++y) {
        const double dy = y + 0.5 - centerY;
        for (int32_t x = left; x < right; ++x, ++p) {
            const double dx = x + 0.5 - centerX;
            const double c = softTipCoverage(std::sqrt(dx * dx + dy * dy), radius, h);
            *p = uint8_t(c * strength + 0.5);
        }
    }
}

HardTip::HardTip(int32_t size) : size_(std::max(size, 1)), offset_(-(std::max(size, 1) - 1) / 2) {
    // The tip's pixels are offsets offset_ .. offset_ + size - 1 on both axes; the disc is
    // centred in that square.
    const double center = offset_ + (size_ - 1) / 2.0;
    const double r2 = (size_ / 2.0) * (size_ / 2.0);
    mask_.assign(size_t(size_) * size_t(size_), 0);
    for (int32_t j = 0; j < size_; ++j)
        for (int32_t i = 0; i < size_; ++i) {
            const double dx = offset_ + i - center, dy = offset_ + j - center;
            mask_[size_t(j) * size_t(size_) + size_t(i)] = dx * dx + dy * dy <= r2 ? 255 : 0;
        }
}

void HardTip::stamp(Point center, uint8_t strength, Dab& out) const {
    out.box = {center.x + offset_, center.y + offset_, center.x + offset_ + size_, center.y + offset_ + size_};
    out.coverage.resize(mask_.size());
    for (size_t i = 0; i < mask_.size(); ++i)
        out.coverage[i] = mask_[i] ? strength : 0;
}

} // namespace pict
