#pragma once
// The history entry of every adjustment and filter: applies one ImageFilter to a layer
// through the window's selection and keeps, to undo it, a copy of the part of the layer's
// color surface the filter can change (the selection's bounds on the layer, or the whole
// layer without a selection, kept by sharing the layer's pixels instead of copying them).
// The dialogs' previews keep one of these pending and swap its filter on every parameter
// change (see FilterPreview).

#include "history/HistoryState.h"
#include "history/SavedPixels.h"
#include "imageops/ImageFilter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace pict {

class DocumentContext;
class RasterLayer;

// Told of the filter after each application that changed the layer: the first, every redo
// and every preview (the application keeps its "Last Filter" this way).
using FilterApplied = std::function<void(const ImageFilter&)>;

class FilterHistoryState final : public DocumentChangeState {
public:
    // Acts on the layer that is active now; that index is kept for every apply and undo, so
    // a redo never lands on another layer than the one the saved copy came from. filter may
    // be null (a pending preview). The filter may be shared with the dialog answer that
    // carried it; only this state applies it. applied may be empty.
    FilterHistoryState(DocumentContext& context, std::shared_ptr<ImageFilter> filter, FilterApplied applied = {});
    ~FilterHistoryState() override;

    // The filter's own name; "Unknown Filter" while the state holds none.
    std::string name() const override;
    // Fails, changing nothing, without a filter, when the layer is not a visible, non-empty
    // raster layer, when a selection exists that misses the layer's canvas rectangle, when
    // the copy for undo cannot be made or when the filter fails.
    bool apply() override;
    // Writes the saved pixels back and reports their rectangle. Fails, changing nothing,
    // before a first apply or when the layer is gone or no longer holds the saved rectangle.
    bool undo() override;
    std::vector<SavedPixels*> savedPixels() override { return {&saved_}; }
    // The filter was put on the layer by other means (a dialog's background preview, which
    // filtered a copy); before is the layer's color as it was. Saves for undo what apply
    // would have saved, so the state can be added as already applied. False without a
    // filter or an editable layer of before's size, or when memory runs out.
    bool recordApplied(const Surface24& before);
    // The same with the undo pixels already taken (by the worker that filtered a copy):
    // before must hold exactly the part of the layer apply would have saved. False otherwise,
    // and then nothing is kept.
    bool adoptApplied(SavedPixels&& before);

    // Replaces the filter (destroying the old one); the saved copy stays, so that a preview
    // re-applied with new parameters still undoes to the original pixels.
    void setFilter(std::shared_ptr<ImageFilter> filter);
    const ImageFilter* filter() const { return filter_.get(); }

    int32_t layerIndex() const { return layerIndex_; }
    // The part of the state's layer that apply would change and save (layer coordinates);
    // empty without an editable layer or when the selection misses it.
    Rect reach() const;
    bool hasSavedSurface() const { return !saved_.isEmpty(); }
    // The saved part of the layer, in layer coordinates; empty before the first apply.
    Rect savedRect() const { return saved_.rect(); }

private:
    RasterLayer* editableLayer() const;
    // The part of the layer the filter can change under the current selection (layer
    // coordinates); empty when the selection misses the layer.
    Rect reachOn(const RasterLayer& layer) const;

    DocumentContext& context_;
    std::shared_ptr<ImageFilter> filter_;
    FilterApplied applied_;
    int32_t layerIndex_;
    SavedPixels saved_;
};

} // namespace pict
