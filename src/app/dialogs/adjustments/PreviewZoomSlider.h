#pragma once
// The zoom slider of the Gaussian Blur dialog's preview pane: 84 steps from the pane's
// minimum zoom to its maximum, quadratic on both sides of 1, which sits at the middle.

#include <cstdint>

namespace pict {

struct PreviewZoomSlider {
    static constexpr int32_t kSteps = 84;
    // The highest position the slider shows (a position of kSteps maps, but is not shown).
    static constexpr int32_t kLastPosition = kSteps - 1;

    double minimumZoom = 1.0;
    double maximumZoom = 8.0;

    // Position 0 gives the minimum, kSteps / 2 exactly 1, kSteps the maximum.
    double zoomAt(int32_t position) const;
    // The position that shows a zoom, rounded, within 0..kLastPosition.
    int32_t positionOf(double zoom) const;
};

} // namespace pict
