#include "app/printing/PagePlacement.h"

#include <algorithm>

namespace pict {

PagePlacement placeOnPage(Size picture, const PrinterPage& page) {
    const int64_t printableWidth = page.printableWidth();
    const int64_t printableHeight = page.printableHeight();
    const int64_t width = std::max(picture.width, 1);
    const int64_t height = std::max(picture.height, 1);
    // Three quarters of the printable width, rounded to the nearest pixel, in whole multiples.
    const int64_t threeQuarters = (printableWidth * 3 + 2) / 4;
    const int64_t factor = std::max<int64_t>(threeQuarters / width, 1);
    int64_t destWidth = width * factor;
    int64_t destHeight = height * factor;
    const int64_t left = std::max<int64_t>((printableWidth - destWidth) / 2, 0);
    const int64_t top = std::max<int64_t>((printableHeight - destHeight) / 2, 0);
    if (left + destWidth > printableWidth)
        destWidth = printableWidth - left;
    if (top + destHeight > printableHeight)
        destHeight = printableHeight - top;
    PagePlacement placement;
    placement.factor = static_cast<int32_t>(factor);
    placement.destination = Rect::fromPointSize({static_cast<int32_t>(left), static_cast<int32_t>(top)},
                                                {static_cast<int32_t>(destWidth), static_cast<int32_t>(destHeight)});
    return placement;
}

} // namespace pict
