#pragma once
// "Move Layer" and "Move Selection", the Move tool's and the move steps' states.
//  - Move Layer changes only where a layer lies on the canvas; no pixels are kept.
//  - Move Selection lifts the active layer's selected pixels, leaves a hole (transparent, or
//    the background colour on the background layer), lays them down again by the offset and
//    moves the selection with them. It keeps the touched part of the layer (the whole layer
//    when the pixels land on the canvas beyond a smaller layer, which then grows to the
//    canvas so that none are lost) and the selection as it was.
// Both keep their offset open to change, so a drag or a run of arrow-key nudges stays one
// state: the Move tool undoes, changes the offset and applies again.

#include "common/Geometry.h"
#include "history/DocumentContext.h"
#include "history/HistoryState.h"
#include "history/SavedPixels.h"
#include "history/SavedSelection.h"

#include <cstdint>
#include <memory>

namespace pict {

class RasterLayer;

// What the Move tool changes of its states while they are undone.
class OffsetState {
public:
    virtual ~OffsetState() = default;
    virtual Point offset() const = 0;
    virtual void setOffset(Point offset) = 0;
};

// The move state inside state (also inside an empty layer's promotion); null for any other.
OffsetState* offsetStateOf(HistoryState& state);

class MoveLayerState final : public DocumentChangeState, public OffsetState {
public:
    MoveLayerState(DocumentContext& context, int32_t layerIndex, Point offset);

    std::string name() const override { return "Move Layer"; }
    // Fails, changing nothing, when the index holds no live layer or the background layer,
    // which always covers the canvas from its origin.
    bool apply() override;
    bool undo() override;

    Point offset() const override { return offset_; }
    // Only while the state is undone (or not yet applied).
    void setOffset(Point offset) override { offset_ = offset; }
    int32_t layerIndex() const { return layerIndex_; }

private:
    bool moveBy(Point offset);

    DocumentContext& context_;
    int32_t layerIndex_;
    Point offset_;
};

class MoveSelectionState final : public DocumentChangeState, public OffsetState {
public:
    // backgroundColor: a layer colour word (0x00BBGGRR) for the hole in a background layer.
    MoveSelectionState(DocumentContext& context, Point offset, uint32_t backgroundColor);
    ~MoveSelectionState() override;

    std::string name() const override { return "Move Selection"; }
    // Fails, changing nothing, without a selection, when the active layer (taken at creation)
    // is not a raster layer with pixels under the selection, or when memory runs out.
    bool apply() override;
    // Puts the kept pixels and the selection back.
    bool undo() override;
    std::vector<SavedPixels*> savedPixels() override { return {&savedColor_, &savedMask_}; }

    Point offset() const override { return offset_; }
    // Only while the state is undone (or not yet applied); the kept pixels are dropped, since
    // another offset touches another part of the layer.
    void setOffset(Point offset) override;
    int32_t layerIndex() const { return layerIndex_; }

private:
    bool saveForUndo(RasterLayer& layer, const Rect& canvasArea, bool grows);

    DocumentContext& context_;
    Point offset_;
    uint32_t backgroundColor_;
    int32_t layerIndex_;
    SavedSelection selection_;
    bool selectionSaved_ = false;
    // One of the two is held once applied: the touched part (layer coordinates) or the layer.
    SavedPixels savedColor_;
    SavedPixels savedMask_;
    std::unique_ptr<RasterLayer> savedLayer_;
};

// "Move Selection Outline": the Move tool's Alt+drag moves the selection alone, cut to the
// canvas; the pixels stay. A selection state: the document is not modified.
class OutlineMoveState final : public HistoryState, public OffsetState {
public:
    OutlineMoveState(DocumentContext& context, Point offset) : context_(context), offset_(offset) {}

    std::string name() const override { return "Move Selection Outline"; }
    // Fails without a selection.
    bool apply() override;
    bool undo() override;

    Point offset() const override { return offset_; }
    void setOffset(Point offset) override { offset_ = offset; }

private:
    DocumentContext& context_;
    Point offset_;
    SavedSelection selection_;
    bool selectionSaved_ = false;
};

} // namespace pict
