#pragma once
// The selection tools' state: a shape (lasso polygon, magic-wand region, marquee shape with a
// mode) combined into the selection as Replace, Add, Subtract or Intersect. The shape is kept
// trimmed to its own bounds; it is placed on the canvas only while the state runs.
// ("Magic Wand", "Lasso", "Polygonal Lasso", "Rectangular Marquee", "Elliptical Marquee")

#include "selection/CombineMode.h"
#include "history/selection/SelectionState.h"

#include <string>
#include <utility>

namespace pict {

class CombinedSelectionState final : public SelectionState {
public:
    // shape is a canvas-sized mask; an invalid one selects nothing.
    CombinedSelectionState(SelectionController& selection, std::string name, const Surface8& shape, CombineMode mode)
        : SelectionState(selection), name_(std::move(name)), mode_(mode),
          shape_(selection.mask().canvasWidth(), selection.mask().canvasHeight()) {
        shape_.load(shape);
    }

    // shape is already a trimmed mask of the canvas size.
    CombinedSelectionState(SelectionController& selection, std::string name, SelectionMask&& shape, CombineMode mode)
        : SelectionState(selection), name_(std::move(name)), mode_(mode), shape_(std::move(shape)) {}

    std::string name() const override { return name_; }
    CombineMode mode() const { return mode_; }
    const SelectionMask& shape() const { return shape_; }

private:
    void perform(SelectionController& selection) override {
        // Replacing needs no canvas-sized detour: the shape is the new selection as it is.
        if (mode_ == CombineMode::New && shape_.canvasWidth() == selection.mask().canvasWidth() &&
            shape_.canvasHeight() == selection.mask().canvasHeight()) {
            selection.restore(shape_);
            return;
        }
        Surface8 canvas;
        if (shape_.isEmpty()) {
            canvas.create(shape_.canvasWidth(), shape_.canvasHeight(), 8);
            canvas.fillValue(0);
        } else if (!shape_.toCanvasSurface(canvas)) {
            return;
        }
        selection.loadFromChannel(canvas, mode_, false);
    }

    std::string name_;
    CombineMode mode_;
    SelectionMask shape_;
};

} // namespace pict
