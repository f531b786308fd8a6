#include "canvas/SwatchGrid.h"

#include <algorithm>

namespace pict {
namespace {

constexpr uint32_t kGridLine = kBlack.pixelWord();

// Fills the part of a window rectangle that lies inside the buffer.
void fillClipped(ViewBuffer& target, Rect r, uint32_t pixel) {
    r = r.intersected(Rect::fromSize(target.width, target.height));
    for (int32_t y = r.top; y < r.bottom; ++y) {
        uint32_t* row = target.row(y);
        std::fill(row + r.left, row + r.right, pixel);
    }
}

} // namespace

SwatchGridLayout swatchGridLayout(Size client, size_t count) {
    SwatchGridLayout layout;
    if (client.isEmpty()) {
        layout.rows = 1;
        return layout;
    }
    layout.columns = std::max(1, (client.width + 1) / kSwatchCell);
    const size_t columns = static_cast<size_t>(layout.columns);
    layout.rows = static_cast<int32_t>((count + columns - 1) / columns);
    return layout;
}

int32_t swatchMaxScroll(const SwatchGridLayout& layout, int32_t clientHeight) {
    return std::max(0, layout.contentHeight() - std::max(0, clientHeight));
}

std::optional<size_t> swatchAt(Size client, int32_t scroll, size_t count, Point point) {
    const SwatchGridLayout layout = swatchGridLayout(client, count);
    const int32_t y = point.y + scroll;
    if (point.x < 0 || point.x >= client.width || y < 0 || y >= layout.contentHeight())
        return std::nullopt;
    const int32_t column = point.x / kSwatchCell;
    const int32_t row = y / kSwatchCell;
    if (column >= layout.columns || row >= layout.rows)
        return std::nullopt;
    const size_t index = static_cast<size_t>(column) + static_cast<size_t>(row) * static_cast<size_t>(layout.columns);
    if (index >= count)
        return std::nullopt;
    return index;
}

bool drawSwatchGrid(ViewBuffer& target, Size client, int32_t scroll, const SwatchList& swatches,
                    Color face) {
    if (!target.resize(client))
        return false;
    std::fill(target.pixels.begin(), target.pixels.end(), face.pixelWord());
    const SwatchGridLayout layout = swatchGridLayout(client, swatches.count());
    // Only the rows that reach into the window are drawn.
    const int32_t firstRow = std::max(0, scroll / kSwatchCell);
    const int32_t lastRow = std::min(layout.rows, (scroll + client.height) / kSwatchCell + 1);
    for (int32_t row = firstRow; row < lastRow; ++row) {
        for (int32_t column = 0; column < layout.columns; ++column) {
            const std::optional<Color> color =
                swatches.at(static_cast<size_t>(row) * static_cast<size_t>(layout.columns) + static_cast<size_t>(column));
            if (!color)
                return true; // the rest of a partly filled row stays face-colored
            // Each cell carries the grid lines along its right and bottom edge, so lines
            // stop with the last cell of a partly filled row.
            const Rect cell = Rect::fromPointSize({column * kSwatchCell, row * kSwatchCell - scroll},
                                                  {kSwatchCell, kSwatchCell});
            fillClipped(target, cell, kGridLine);
            fillClipped(target, {cell.left, cell.top, cell.right - 1, cell.bottom - 1}, color->pixelWord());
        }
    }
    return true;
}

} // namespace pict
