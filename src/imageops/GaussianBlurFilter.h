#pragma once
// Gaussian Blur (the Filter menu's, with a dialog): the stack blur of the whole-pixel part of
// its radius.

#include "imageops/FilterParams.h"
#include "imageops/ImageFilter.h"

namespace pict {

struct GaussianBlurSettings {
    // Values not above 0.1 are taken as 0.1.
    static constexpr ParamRange<double> kRadius{0.1, 250.0, 0.1};
    // The dialog commits only from this radius on.
    static constexpr double kSmallestCommitted = 0.2;

    double radius = kRadius.defaultValue;

    bool isIdentity() const { return radius < kSmallestCommitted; }
    // What the dialog's field accepts: 0.1..250.
    bool isValid() const { return kRadius.contains(radius); }
    friend bool operator==(const GaussianBlurSettings&, const GaussianBlurSettings&) = default;
};

// The limit applied to every radius given to the filter.
double limitBlurRadius(double radius);

class GaussianBlurFilter : public NeighborhoodFilter {
public:
    explicit GaussianBlurFilter(double radius);
    explicit GaussianBlurFilter(const GaussianBlurSettings& settings) : GaussianBlurFilter(settings.radius) {}

    FilterKind kind() const override { return FilterKind::GaussianBlur; }
    bool isIdentity() const override { return GaussianBlurSettings{radius_}.isIdentity(); }
    std::unique_ptr<NeighborhoodFilter> clone() const override;
    double radius() const { return radius_; }
    // Whole pixels actually blurred: 2.9 blurs like 2.0, and radii below 1 change nothing.
    int32_t pixelRadius() const { return static_cast<int32_t>(radius_); }

protected:
    GaussianBlurFilter(const GaussianBlurFilter&) = default;
    bool applyRgb(Surface24& target) override;
    bool applyGray(Surface8& target) override;

private:
    template <class Surface>
    bool blur(Surface& target);

    double radius_;
};

// The Gaussian Blur dialog's slider (0..200) as a radius: linear to 5 at 50, a parabola
// through (50, 5) and (180, 100), then steeper up to 250 at 200.
double gaussianRadiusFromSlider(int32_t position);

} // namespace pict
