#include "app/dialogs/adjustments/PreviewZoomSlider.h"

#include <algorithm>
#include <cmath>

namespace pict {

double PreviewZoomSlider::zoomAt(int32_t position) const {
    const double p = std::clamp(position, 0, kSteps);
    const double n = kSteps;
    if (p <= n / 2)
        return minimumZoom + p * p * 4.0 * (1.0 - minimumZoom) / (n * n);
    return (4.0 - maximumZoom) / 3.0 + p * p * 4.0 * (maximumZoom - 1.0) / (3.0 * n * n);
}

int32_t PreviewZoomSlider::positionOf(double zoom) const {
    const double half = kSteps / 2.0;
    zoom = std::clamp(zoom, minimumZoom, maximumZoom);
    double p = half;
    if (zoom <= 1.0) {
        if (minimumZoom < 1.0)
            p = half * std::sqrt((zoom - minimumZoom) / (1.0 - minimumZoom));
    } else if (maximumZoom > 1.0) {
        p = half * std::sqrt((maximumZoom + 3.0 * zoom - 4.0) / (maximumZoom - 1.0));
    }
    return std::clamp(static_cast<int32_t>(p + 0.5), 0, kLastPosition);
}

} // namespace pict
