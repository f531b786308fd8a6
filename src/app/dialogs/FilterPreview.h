#pragma once
// The live preview of an adjustment dialog, without any window: one pending
// FilterHistoryState that is undone and applied again with a new filter on every parameter
// change while "Preview" is checked, handed over as already applied on OK and undone on
// Cancel. The dialogs of Levels, Curves, Brightness/Contrast, Color Balance,
// Hue/Saturation (and Colorize) and Gaussian Blur drive one each.

#include "history/filter/FilterHistoryState.h"

#include <memory>

namespace pict {

// What OK hands to the command layer: the previewed state (already applied), or a filter
// to apply now, or neither when the parameters are the identity.
struct FilterAnswer {
    std::unique_ptr<FilterHistoryState> previewedState;
    std::unique_ptr<ImageFilter> filter;

    bool isEmpty() const { return !previewedState && !filter; }
};

class FilterPreview {
public:
    // Preview starts checked, as in the dialogs.
    FilterPreview(DocumentContext& context, LastFilterSlot* lastFilter);
    FilterPreview(const FilterPreview&) = delete;
    FilterPreview& operator=(const FilterPreview&) = delete;
    // A preview left pending (the dialog went away without OK) is taken back.
    ~FilterPreview();

    bool isPreviewOn() const { return previewOn_; }
    // Unchecking takes the preview back and drops the pending state; checking shows the
    // current parameters at once.
    void setPreview(bool on, std::unique_ptr<ImageFilter> current);

    // The dialog's parameters changed; current is the filter they make. With Preview on the
    // layer returns to its saved pixels and, unless the parameters are the identity, shows
    // the new filter. With Preview off nothing happens.
    void parametersChanged(std::unique_ptr<ImageFilter> current);

    // OK with the filter of the final parameters.
    FilterAnswer accept(std::unique_ptr<ImageFilter> current);
    // Cancel: the layer gets its pixels back.
    void cancel();

    // The pending state shows its filter on the layer now.
    bool isShowing() const { return showing_; }
    const FilterHistoryState* pendingState() const { return pending_.get(); }

private:
    void takeBack();

    DocumentContext& context_;
    LastFilterSlot* lastFilter_;
    std::unique_ptr<FilterHistoryState> pending_;
    bool previewOn_ = true;
    bool showing_ = false;
};

} // namespace pict
