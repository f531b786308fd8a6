#include "app/panels/LayersPanelModel.h"

#include "app/commands/CommandIds.h"
#include "app/session/DocumentSession.h"
#include "app/dialogs/LayerDialogModel.h"
#include "document/Document.h"
#include "surface/BlendModes.h"

#include <algorithm>
#include <cstdlib>

namespace pict {

namespace {

// A press that stays within this many pixels is still a click.
constexpr int32_t kClickSlop = 1;

bool movedFrom(Point a, Point b) {
    return std::abs(a.x - b.x) > kClickSlop || std::abs(a.y - b.y) > kClickSlop;
}

} // namespace

// ---- geometry ----

Rect LayerRowGeometry::thumbnailArea() {
    return Rect{kThumbnailLeft + 1, 1, kThumbnailLeft + kThumbnailBox - 1, kThumbnailBox - 1};
}

Rect LayerRowGeometry::thumbnailRect(Size canvas) {
    const Rect area = thumbnailArea();
    const int32_t side = area.width();
    int32_t width = side;
    int32_t height = side;
    if (canvas.width > 0 && canvas.height > 0) {
        if (canvas.width >= canvas.height)
            height = std::max<int32_t>(1, int32_t(int64_t(side) * canvas.height / canvas.width));
        else
            width = int32_t(int64_t(side) * canvas.width / canvas.height);
    }
    width = std::max(width, kMinThumbnailWidth);
    const int32_t left = area.left + (side - width) / 2;
    const int32_t top = area.top + (side - height) / 2;
    return Rect{left, top, left + width, top + height};
}

Rect LayerRowGeometry::nameArea(int32_t listWidth) {
    const int32_t left = kThumbnailLeft + kThumbnailBox + kNameGap;
    return Rect{left, 1, std::max(left, listWidth - kNameGap), kRowHeight - 2};
}

// ---- rows ----

void LayersPanelModel::attach(DocumentSession* session) {
    session_ = session;
    captured_ = false;
    rebuild();
}

void LayersPanelModel::rebuild() {
    rows_.clear();
    focused_ = -1;
    anchor_ = -1;
    captured_ = false;
    const LayerStack* stack = session_ ? session_->document().layersIfAny() : nullptr;
    if (!stack)
        return;
    // Bottom to top, each in front: the top of the stack ends up as row 0.
    for (int32_t index = 0; index < stack->count(); ++index) {
        const Layer* layer = stack->layerAt(index);
        rows_.insert(rows_.begin(), LayerRow{layer, layer->name(), layer == stack->active()});
    }
    if (stack->active())
        focused_ = rowOfStackIndex(stack->activeIndex());
    session_->setPanelSelection(focused_ >= 0 ? std::vector<int32_t>{stack->activeIndex()}
                                              : std::vector<int32_t>{});
}

bool LayersPanelModel::isSameLayers() const {
    const LayerStack* stack = session_ ? session_->document().layersIfAny() : nullptr;
    const int32_t count = stack ? stack->count() : 0;
    if (count != rowCount())
        return false;
    for (int32_t index = 0; index < count; ++index)
        if (rows_[size_t(rowOfStackIndex(index))].layer != stack->layerAt(index))
            return false;
    return true;
}

bool LayersPanelModel::refresh() {
    if (!isSameLayers()) {
        rebuild();
        return true;
    }
    for (LayerRow& row : rows_)
        row.name = row.layer->name();
    // Undo or a menu command may have made another layer active behind a single selection.
    const Layer* active = session_ ? session_->document().layers().active() : nullptr;
    if (selectedCount() == 1 && active && rows_[size_t(focused_)].layer != active) {
        selectOnly(rowOfStackIndex(session_->document().layers().indexOf(active)));
        selectionChanged();
    }
    return false;
}

int32_t LayersPanelModel::rowAt(int32_t y) const {
    if (y < 0)
        return -1;
    const int32_t row = y / LayerRowGeometry::kRowHeight;
    return row < rowCount() ? row : -1;
}

int32_t LayersPanelModel::selectedCount() const {
    return int32_t(std::count_if(rows_.begin(), rows_.end(), [](const LayerRow& row) { return row.selected; }));
}

std::vector<int32_t> LayersPanelModel::selectedRows() const {
    std::vector<int32_t> rows;
    for (int32_t row = 0; row < rowCount(); ++row)
        if (rows_[size_t(row)].selected)
            rows.push_back(row);
    return rows;
}

void LayersPanelModel::selectOnly(int32_t row) {
    for (LayerRow& each : rows_)
        each.selected = false;
    rows_[size_t(row)].selected = true;
    focused_ = row;
}

void LayersPanelModel::selectRange(int32_t from, int32_t to) {
    const auto [first, last] = std::minmax(from, to);
    for (int32_t row = 0; row < rowCount(); ++row)
        rows_[size_t(row)].selected = row >= first && row <= last;
    if (first == last)
        focused_ = first;
}

void LayersPanelModel::selectionChanged() {
    if (!session_)
        return;
    std::vector<int32_t> layers;
    for (int32_t row : selectedRows())
        layers.push_back(stackIndexOfRow(row));
    if (layers.size() == 1)
        session_->document().layers().setActive(rows_[size_t(selectedRows().front())].layer);
    session_->setPanelSelection(std::move(layers));
}

// ---- mouse ----

std::optional<LayerPanelRequest> LayersPanelModel::press(Point at, PanelButton button, PanelModifiers modifiers) {
    const int32_t row = rowAt(at.y);
    if (row < 0 || at.x < 0)
        return std::nullopt;
    const bool inVisibility = at.x < LayerRowGeometry::kVisibilityWidth;
    if (button == PanelButton::Right) {
        if (!inVisibility && !rows_[size_t(row)].selected) {
            selectOnly(row);
            selectionChanged();
        }
        return std::nullopt;
    }
    if (inVisibility) {
        LayerParams params;
        params.layer = stackIndexOfRow(row);
        return LayerPanelRequest{kMsgToggleLayerVisibility, params};
    }
    captured_ = true;
    pressRow_ = row;
    pressPoint_ = at;
    clickMode_ = modifiers.ctrl || modifiers.shift ? 2 : 1;
    if (modifiers.shift && !modifiers.ctrl) {
        selectRange(anchor_ >= 0 ? anchor_ : std::max(focused_, 0), row);
        selectionChanged();
    } else if (!modifiers.ctrl) {
        anchor_ = row;
        // With several rows selected the press may start a drag of them all; the release
        // decides.
        if (selectedCount() < 2) {
            selectOnly(row);
            selectionChanged();
        }
    }
    return std::nullopt;
}

void LayersPanelModel::release(Point at, PanelModifiers modifiers) {
    if (!captured_)
        return;
    captured_ = false;
    const int32_t row = rowAt(at.y);
    if (row < 0 || row != pressRow_ || movedFrom(at, pressPoint_))
        return;
    if (clickMode_ == 1) {
        selectOnly(row);
    } else if (modifiers.ctrl) {
        // Adds to one selected row; the last selected row stays, so a click never
        // empties the selection.
        if (selectedCount() < 2)
            rows_[size_t(row)].selected = true;
        else
            rows_[size_t(row)].selected = !rows_[size_t(row)].selected;
        if (selectedCount() == 1)
            focused_ = selectedRows().front();
    } else {
        return;
    }
    selectionChanged();
}

bool LayersPanelModel::move(Point at) {
    return captured_ && movedFrom(at, pressPoint_);
}

bool LayersPanelModel::step(int32_t delta) {
    const int32_t row = focused_ + delta;
    if (focused_ < 0 || row < 0 || row >= rowCount() || (selectedCount() == 1 && row == focused_))
        return false;
    selectOnly(row);
    anchor_ = row;
    selectionChanged();
    return true;
}

int32_t LayersPanelModel::renameRowAt(Point at, int32_t listWidth) const {
    const int32_t row = rowAt(at.y);
    if (row < 0)
        return -1;
    const Rect name = LayerRowGeometry::nameArea(listWidth);
    const Point inRow{at.x, at.y - row * LayerRowGeometry::kRowHeight};
    if (!name.contains(inRow.x, inRow.y) || rows_[size_t(row)].layer->isBackground())
        return -1;
    return row;
}

std::optional<LayerPanelRequest> LayersPanelModel::finishRename(int32_t row, std::string_view text) const {
    if (row < 0 || row >= rowCount())
        return std::nullopt;
    LayerParams params;
    params.layer = stackIndexOfRow(row);
    params.name = std::string(text);
    return LayerPanelRequest{kMsgRenameLayer, params};
}

// ---- controls ----

const Layer* LayersPanelModel::focusedLayer() const {
    return focused_ >= 0 && focused_ < rowCount() ? rows_[size_t(focused_)].layer : nullptr;
}

LayerControlsState LayersPanelModel::controls() const {
    LayerControlsState state;
    const Layer* layer = focusedLayer();
    if (!layer || layer->isBackground() || !layer->isLive())
        return state;
    state.mode = layer->blendMode();
    state.opacity = layer->opacity();
    state.enabled = selectedCount() == 1 && layer->isVisible();
    return state;
}

std::optional<LayerPanelRequest> LayersPanelModel::forFocused(uint16_t id, LayerParams params) const {
    if (!controls().enabled)
        return std::nullopt;
    params.layer = stackIndexOfRow(focused_);
    return LayerPanelRequest{id, params};
}

std::optional<LayerPanelRequest> LayersPanelModel::chooseMode(int32_t mode) const {
    if (!isBlendMode(mode))
        return std::nullopt;
    LayerParams params;
    params.mode = mode;
    return forFocused(kMsgSetLayerBlendMode, params);
}

std::optional<LayerPanelRequest> LayersPanelModel::editOpacity(std::string_view percentText) const {
    const std::optional<int32_t> percent = parseLayerOpacityPercent(percentText);
    if (!percent)
        return std::nullopt;
    LayerParams params;
    params.opacity = layerOpacityFromPercent(*percent);
    return forFocused(kMsgSetLayerOpacity, params);
}

std::optional<int32_t> LayersPanelModel::opacityTextFor(int32_t opacity, std::string_view shownText) {
    const std::optional<int32_t> shown = parseLayerOpacityPercent(shownText);
    if (shown && layerOpacityFromPercent(*shown) == opacity)
        return std::nullopt;
    return layerOpacityPercent(opacity);
}

// ---- toolbar ----

LayerPanelRequest LayersPanelModel::createRequest() const {
    // Without the dialog: the next default name, Normal, opaque.
    return LayerPanelRequest{kMsgNewLayer, LayerParams{}};
}

LayerPanelRequest LayersPanelModel::deleteRequest() const {
    return LayerPanelRequest{kMsgDeleteLayer, LayerParams{}, true};
}

} // namespace pict
