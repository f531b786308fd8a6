#include "selection/EllipseRaster.h"

#include <algorithm>
#include <cmath>

namespace pict {

RowSpan ellipseRowSpan(const Rect& shape, int32_t y) {
    if (shape.isEmpty() || y < shape.top || y >= shape.bottom)
        return {};
    const int64_t width = int64_t(shape.right) - shape.left;
    const int64_t height = int64_t(shape.bottom) - shape.top;
    // Two pixels or fewer across: every pixel of the rectangle lies on the outline.
    if (width <= 2 || height <= 2)
        return {shape.left, shape.right};

    // Semi-axes measured between the centres of the outermost pixels.
    const double a = (double(width) - 1.0) / 2.0;
    const double b = (double(height) - 1.0) / 2.0;
    const double centerX = (double(shape.left) + double(shape.right)) / 2.0;
    const double centerY = (double(shape.top) + double(shape.bottom)) / 2.0;
    const double dy = std::fabs(double(y) + 0.5 - centerY);

    // A pixel is covered when the curve passes within half a pixel of it, measured along
    // its row or along its column; taking both keeps the outline connected where the curve
    // runs steep or flat.
    auto along = [](double t) { return t >= 1.0 ? 0.0 : std::sqrt(1.0 - t * t); };
    const double byRow = dy <= b ? a * along(dy / b) + 0.5 : -1.0;
    const double shifted = std::max(dy - 0.5, 0.0);
    const double byColumn = shifted <= b ? a * along(shifted / b) : -1.0;
    const double half = std::max(byRow, byColumn) + 1e-9;
    if (half < 0)
        return {};

    const double first = std::ceil(centerX - 0.5 - half);
    const double last = std::floor(centerX - 0.5 + half);
    const int32_t left = static_cast<int32_t>(std::max(first, double(shape.left)));
    const int32_t right = static_cast<int32_t>(std::min(last + 1.0, double(shape.right)));
    if (right <= left)
        return {};
    return {left, right};
}

} // namespace pict
