#pragma once
// What the Swatches panel does, without the widget: the swatch list laid out as a grid over
// the panel's client area, picking a cell into the application's current colors, the panel's
// two buttons and the color shown in the Info panel while the pointer passes over a cell.

#include "app/session/ApplicationContext.h"
#include "canvas/InfoPanelModel.h"
#include "canvas/SwatchGrid.h"
#include "canvas/SwatchList.h"

#include <cstdint>
#include <optional>

namespace pict {

class SwatchesPanelModel {
public:
    // `info` (may be null) is told the color of the cell under the pointer.
    explicit SwatchesPanelModel(ApplicationContext& app, InfoPanelModel* info = nullptr);

    const SwatchList& swatches() const { return swatches_; }
    SwatchGridLayout layout() const { return swatchGridLayout(client_, swatches_.count()); }

    // ---- panel geometry ----
    void setClientSize(Size client);
    Size clientSize() const { return client_; }
    // Pixels scrolled down, kept within 0..maxScroll().
    void setScroll(int32_t scroll);
    int32_t scroll() const { return scroll_; }
    int32_t maxScroll() const { return swatchMaxScroll(layout(), client_.height); }
    std::optional<size_t> swatchAt(Point client) const;

    // ---- pointer and buttons ----
    // Left button on a cell: its color becomes the foreground color, the background color
    // with Ctrl. False when the point hits no cell.
    bool press(Point client, bool ctrl);
    void hover(Point client);
    // "Create a new swatch" (the current foreground color, background with Ctrl, appended)
    // and "Delete swatch" (the last one). False for another id or when nothing changed.
    bool runCommand(uint16_t id, bool ctrl);

    bool draw(ViewBuffer& target, Color face) const {
        return drawSwatchGrid(target, client_, scroll_, swatches_, face);
    }

private:
    ApplicationContext& app_;
    InfoPanelModel* info_;
    SwatchList swatches_;
    Size client_;
    int32_t scroll_ = 0;
};

} // namespace pict
