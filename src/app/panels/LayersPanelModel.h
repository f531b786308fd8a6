#pragma once
// The Layers panel without its widgets: one row per layer, top of the stack first, the
// selection of rows with its focus and Shift anchor, what a click or an edit on the list
// turns into, and the state of the mode and opacity controls and the buttons.
//
// The panel changes no document itself. Selecting rows is panel state that the session
// records (the panel selection Merge Layers reads, and the active layer when one row is
// selected alone); every other change comes back as a request: a layer notification id
// with its parameters, for the host to hand to the document window's command layer.

#include "app/commands/DocumentCommands.h"
#include "common/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pict {

class DocumentSession;
class Layer;

struct LayerRow {
    const Layer* layer = nullptr; // owned by the document's stack
    std::string name;
    bool selected = false;
};

// A layer notification for the document window.
struct LayerPanelRequest {
    uint16_t id = 0;
    LayerParams params;
    // The window asks the user first (Delete Layer's question).
    bool confirm = false;
};

// Where things are in a row, in list pixels, for a row whose top is at 0.
struct LayerRowGeometry {
    static constexpr int32_t kRowHeight = 37;
    static constexpr int32_t kVisibilityWidth = 20;
    static constexpr int32_t kThumbnailLeft = 21;
    static constexpr int32_t kThumbnailBox = kRowHeight - 1;
    static constexpr int32_t kMinThumbnailWidth = 10;
    static constexpr int32_t kNameGap = 5;

    // The square the thumbnail sits in, inset by 1 from its box.
    static Rect thumbnailArea();
    // The thumbnail of a canvas of this size fitted into the area, centred.
    static Rect thumbnailRect(Size canvas);
    // The name and the in-place editor over it, for a list this wide.
    static Rect nameArea(int32_t listWidth);
};

// What the mode list and the opacity edit show.
struct LayerControlsState {
    int32_t mode = 0;
    int32_t opacity = 255; // the byte; the edit shows it as a percentage
    bool enabled = false;
};

enum class PanelButton { Left, Right };

struct PanelModifiers {
    bool ctrl = false;
    bool shift = false;
};

class LayersPanelModel {
public:
    // The session the panel shows, or none. Attaching builds the rows.
    void attach(DocumentSession* session);
    DocumentSession* session() const { return session_; }

    // Clears the rows and builds them again from the stack; the active layer's row is the
    // one selected.
    void rebuild();
    // After a change of the document: a stack that holds other layers now is rebuilt; the
    // same layers keep their selection and take their current names. True when rebuilt.
    bool refresh();

    int32_t rowCount() const { return int32_t(rows_.size()); }
    const LayerRow& row(int32_t row) const { return rows_[size_t(row)]; }
    int32_t stackIndexOfRow(int32_t row) const { return rowCount() - 1 - row; }
    int32_t rowOfStackIndex(int32_t index) const { return rowCount() - 1 - index; }
    // The row under a list point (y includes the scroll offset), or -1.
    int32_t rowAt(int32_t y) const;
    int32_t scrollRange() const { return rowCount() * LayerRowGeometry::kRowHeight; }
    int32_t focusedRow() const { return focused_; }
    int32_t selectedCount() const;
    std::vector<int32_t> selectedRows() const;

    // ---- mouse on the list ----
    // A press; a click in the visibility column gives the notification that flips it.
    std::optional<LayerPanelRequest> press(Point at, PanelButton button, PanelModifiers modifiers);
    void release(Point at, PanelModifiers modifiers);
    // True while a captured press has moved more than a pixel (the grabbing cursor).
    bool move(Point at);
    bool isCaptured() const { return captured_; }
    // A double click on a name opens the editor over it: the row to edit, or -1 (outside a
    // name, or the background layer, which keeps its name).
    int32_t renameRowAt(Point at, int32_t listWidth) const;
    // Up and Down: the row above or below the focused one becomes the one selected alone
    // (and the Shift anchor); at either end nothing changes. True when the selection moved.
    bool step(int32_t delta);
    // The editor closed with this text (not cancelled).
    std::optional<LayerPanelRequest> finishRename(int32_t row, std::string_view text) const;

    // ---- controls above the list ----
    LayerControlsState controls() const;
    std::optional<LayerPanelRequest> chooseMode(int32_t mode) const;
    std::optional<LayerPanelRequest> editOpacity(std::string_view percentText) const;
    // The percentage to write into the edit for a layer's byte, or none when what it shows
    // already stands for that byte.
    static std::optional<int32_t> opacityTextFor(int32_t opacity, std::string_view shownText);

    // ---- toolbar ----
    bool canCreate() const { return session_ != nullptr; }
    bool canDelete() const { return rowCount() > 1; }
    LayerPanelRequest createRequest() const;
    LayerPanelRequest deleteRequest() const;

private:
    void selectOnly(int32_t row);
    void selectRange(int32_t from, int32_t to);
    // Records the selection in the session; one row alone makes its layer active.
    void selectionChanged();
    std::optional<LayerPanelRequest> forFocused(uint16_t id, LayerParams params) const;
    const Layer* focusedLayer() const;
    bool isSameLayers() const;

    DocumentSession* session_ = nullptr;
    std::vector<LayerRow> rows_;
    int32_t focused_ = -1;
    int32_t anchor_ = -1;
    // The press the release decides on.
    bool captured_ = false;
    int32_t pressRow_ = -1;
    Point pressPoint_;
    int32_t clickMode_ = 1; // 1 single, 2 extend
};

} // namespace pict
