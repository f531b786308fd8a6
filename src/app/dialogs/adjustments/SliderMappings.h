#pragma once
// How the adjustment dialogs' sliders map to filter parameters. The filters take the
// parameters themselves; only the dialogs have sliders.

#include <cstdint>

namespace pict {

// The middle input slider of the Levels dialog and gamma. black and white are the positions
// of the two outer sliders; gamma is limited to 0.1..9.99 and the position to black..white.
double levelsGammaFromSlider(double position, double black, double white);
int32_t levelsSliderFromGamma(double gamma, int32_t black, int32_t white);

// The Gaussian Blur dialog's slider (0..200) as a radius: linear to 5 at 50, a parabola
// through (50, 5) and (180, 100), then steeper up to 250 at 200.
double gaussianRadiusFromSlider(int32_t position);

} // namespace pict
