#include "app/dialogs/adjustments/SliderMappings.h"

#include "imageops/LevelsFilter.h"

#include <cmath>

namespace pict {

double levelsGammaFromSlider(double position, double black, double white) {
    const double middle = (black + white) / 2.0;
    const double half = (white - black) / 2.0;
    if (!(half > 0.0))
        return LevelsChannel::kGamma.defaultValue;
    const double gamma = std::trunc(100.0 * std::pow(10.0, -(position - middle) / half) + 0.5) / 100.0;
    return LevelsChannel::kGamma.clamp(gamma);
}

int32_t levelsSliderFromGamma(double gamma, int32_t black, int32_t white) {
    const double middle = (black + white) / 2.0;
    const double half = (white - black) / 2.0;
    gamma = LevelsChannel::kGamma.clamp(gamma);
    const double position = std::trunc(half * std::log10(1.0 / gamma) + middle + 0.5);
    if (position < black)
        return black;
    if (position > white)
        return white;
    return static_cast<int32_t>(position);
}

double gaussianRadiusFromSlider(int32_t position) {
    const double s = position;
    if (position < 50)
        return 0.1 + 0.098 * s;
    if (position <= 180) {
        constexpr double kDenominator = 50.0 * 50.0 - 180.0 * 180.0;
        constexpr double a = (5.0 - 100.0) / kDenominator;
        constexpr double c = (100.0 * 50.0 * 50.0 - 5.0 * 180.0 * 180.0) / kDenominator;
        return a * s * s + c;
    }
    return s * s * 0.019736842105263157 - 539.4736842105263577;
}

} // namespace pict
