#pragma once
// Where the printed picture goes on the page. The picture is printed at a whole multiple of
// its pixel size, as large as fits into three quarters of the printable width and never
// reduced, centred in the printable area; what would run past the printable area's right or
// bottom edge is squeezed in (the whole picture is always drawn, never cropped). The same
// arithmetic paints the printed page and the preview.

#include "common/Geometry.h"

#include <cstdint>

namespace pict {

// The printer's page in device pixels: the physical paper and the unprintable margin on the
// left and top (taken to be the same on the right and bottom).
struct PrinterPage {
    int32_t physicalWidth = 0;
    int32_t physicalHeight = 0;
    int32_t offsetX = 0;
    int32_t offsetY = 0;

    int32_t printableWidth() const { return physicalWidth - 2 * offsetX; }
    int32_t printableHeight() const { return physicalHeight - 2 * offsetY; }
};

struct PagePlacement {
    int32_t factor = 1; // the whole-number enlargement before any squeeze
    // In device pixels from the printable area's top-left corner; the picture is stretched
    // into it whole.
    Rect destination;
};

// The placement of a picture of `picture` pixels (both sides at least 1) on the page.
PagePlacement placeOnPage(Size picture, const PrinterPage& page);

} // namespace pict
