#pragma once
// The Swatches panel's grid: 12-pixel cells laid out left to right, top to bottom, across the
// panel's client width, each with a one-pixel black line along its right and bottom edge,
// scrolled vertically. Draws into a window-sized pixel buffer and answers hit tests; the
// panel widget only shows the pixels and feeds it the client size and scroll position.

#include "canvas/CanvasRenderer.h"
#include "canvas/SwatchList.h"
#include "common/Geometry.h"

#include <cstdint>
#include <optional>

namespace pict {

inline constexpr int32_t kSwatchCell = 12;

struct SwatchGridLayout {
    int32_t columns = 1;
    int32_t rows = 0;
    // The height of all rows, rows x 12: what the vertical scroll bar scrolls over.
    int32_t contentHeight() const { return rows * kSwatchCell; }
};

// columns = (width + 1) / 12, at least one (a panel narrower than a cell still shows one
// column, cut off); rows = ceil(count / columns). An empty client area counts as one column
// and one row.
SwatchGridLayout swatchGridLayout(Size client, size_t count);

// The largest useful scroll position for this client height.
int32_t swatchMaxScroll(const SwatchGridLayout& layout, int32_t clientHeight);

// The cell under a client point with the grid scrolled down by `scroll` pixels; none between
// or past the cells, below the last cell of a partly filled row, or outside the client.
std::optional<size_t> swatchAt(Size client, int32_t scroll, size_t count, Point point);

// Draws the whole client area: the cells with their grid lines, and the face color
// everywhere else. The buffer is resized to the client; false when it cannot be.
bool drawSwatchGrid(ViewBuffer& target, Size client, int32_t scroll, const SwatchList& swatches,
                    Color face);

} // namespace pict
