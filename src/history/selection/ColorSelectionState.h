#pragma once
// "Grow" and "Similar": the selection takes in pixels of the layer whose color matches the
// selected ones. The tolerance is read when the state runs, so a redo after the option
// changed uses the new value, as the option's own text promises.

#include "history/selection/SelectionState.h"

#include <cstdint>

namespace pict {

class Document;

class ColorSelectionState final : public SelectionState {
public:
    // layerIndex: the layer to sample (the active one when the command ran); tolerance is
    // read from the referenced option on every apply and must outlive the state.
    ColorSelectionState(SelectionController& selection, Document& document, int32_t layerIndex,
                        const int32_t& tolerance, bool grow)
        : SelectionState(selection), document_(document), layerIndex_(layerIndex), tolerance_(tolerance),
          grow_(grow) {}
    std::string name() const override { return grow_ ? "Grow" : "Similar"; }

private:
    void perform(SelectionController& selection) override;

    Document& document_;
    int32_t layerIndex_;
    const int32_t& tolerance_;
    bool grow_;
};

} // namespace pict
