#pragma once
// The history entry of every adjustment and filter: applies one ImageFilter to a layer
// through the window's selection and keeps, to undo it, a copy of the part of the layer's
// color surface the filter can change (the selection's bounds on the layer, or the whole
// layer without a selection). The dialogs' previews keep one of these pending
// and swap its filter on every parameter change (see FilterPreview).

#include "history/HistoryState.h"
#include "history/SavedPixels.h"
#include "imageops/ImageFilter.h"

#include <cstdint>
#include <memory>
#include <string>

namespace pict {

class DocumentContext;
class LastFilterSlot;
class RasterLayer;

class FilterHistoryState final : public DocumentChangeState {
public:
    // Acts on the layer that is active now; that index is kept for every apply and undo, so
    // a redo never lands on another layer than the one the saved copy came from. A
    // neighbourhood filter is attached to lastFilter (null: none), so that each application
    // records it there. filter may be null (a pending preview). The
    // filter may be shared with the dialog answer that carried it; only this state applies it.
    FilterHistoryState(DocumentContext& context, std::shared_ptr<ImageFilter> filter,
                       LastFilterSlot* lastFilter = nullptr);
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

    // Replaces the filter (destroying the old one); the saved copy stays, so that a preview
    // re-applied with new parameters still undoes to the original pixels.
    void setFilter(std::shared_ptr<ImageFilter> filter);
    const ImageFilter* filter() const { return filter_.get(); }

    int32_t layerIndex() const { return layerIndex_; }
    bool hasSavedSurface() const { return !saved_.isEmpty(); }
    // The saved part of the layer, in layer coordinates; empty before the first apply.
    Rect savedRect() const { return saved_.rect(); }

private:
    RasterLayer* editableLayer() const;

    DocumentContext& context_;
    std::shared_ptr<ImageFilter> filter_;
    LastFilterSlot* lastFilter_;
    int32_t layerIndex_;
    SavedPixels saved_;
};

} // namespace pict
