#include "app/session/DocumentWindowLayout.h"

#include "canvas/CanvasView.h"
#include "canvas/ZoomSteps.h"

#include <algorithm>

namespace pict {

InitialViewLayout initialViewLayout(Size image, Size available) {
    image = {std::max(1, image.width), std::max(1, image.height)};
    available = {std::max(1, available.width), std::max(1, available.height)};
    const CanvasView limits(image, available);
    float zoom = 1.0f;
    if (image.width > available.width || image.height > available.height) {
        const double fit = std::min(static_cast<double>(available.width) / image.width,
                                    static_cast<double>(available.height) / image.height);
        zoom = limits.minimumZoom();
        for (float step : zoomSteps())
            if (step <= fit && step > zoom)
                zoom = step;
    }
    CanvasView view(image, available);
    view.setZoom(zoom, false);
    const Size content = view.contentSize();
    const auto side = [](int32_t content, int32_t minimum, int32_t room) {
        return std::min(std::max(content, minimum), room);
    };
    return {view.zoom(),
            {side(content.width, kMinimumDocumentClient.width, available.width),
             side(content.height, kMinimumDocumentClient.height, available.height)}};
}

std::vector<Point> arrangeIconPositions(int32_t count, Size iconSize, Size workspace) {
    std::vector<Point> out;
    if (count <= 0 || iconSize.isEmpty())
        return out;
    const int32_t perRow = std::max(1, workspace.width / iconSize.width);
    out.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const int32_t row = i / perRow;
        const int32_t column = i % perRow;
        out.push_back({column * iconSize.width, workspace.height - (row + 1) * iconSize.height});
    }
    return out;
}

} // namespace pict
