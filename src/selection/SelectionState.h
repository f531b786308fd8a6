#pragma once
// Base of the history states that change only the selection. Each keeps a copy of the whole
// mask: apply takes it when it holds none and then performs its operation; undo puts the
// copy back and lets it go, so the next apply takes a fresh one. The controller tells the
// window of every change, which redraws the outline. The document is never marked modified.

#include "history/HistoryState.h"
#include "selection/SelectionController.h"
#include "selection/SelectionMask.h"

#include <string>

namespace pict {

class SelectionState : public HistoryState {
public:
    bool apply() final;
    bool undo() final;

protected:
    explicit SelectionState(SelectionController& selection) : selection_(selection) {}
    // The operation itself. Its own result does not decide the state's: an operation that
    // changes nothing is still a recorded step, exactly as the user asked for it.
    virtual void perform(SelectionController& selection) = 0;

private:
    SelectionController& selection_;
    SelectionMask saved_;
    bool holdsCopy_ = false;
};

// "Deselect": the selection becomes empty.
class DeselectState final : public SelectionState {
public:
    explicit DeselectState(SelectionController& selection) : SelectionState(selection) {}
    std::string name() const override { return "Deselect"; }

private:
    void perform(SelectionController& selection) override { selection.clear(); }
};

// "Rectangular Marquee" / "Elliptical Marquee": the rectangle (canvas coordinates), or the
// ellipse inscribed in it, becomes the selection.
class MarqueeState final : public SelectionState {
public:
    MarqueeState(SelectionController& selection, const Rect& shape, bool ellipse)
        : SelectionState(selection), shape_(shape.normalized()), ellipse_(ellipse) {}
    std::string name() const override { return ellipse_ ? "Elliptical Marquee" : "Rectangular Marquee"; }

private:
    void perform(SelectionController& selection) override { selection.setShape(shape_, ellipse_); }

    Rect shape_;
    bool ellipse_;
};

} // namespace pict
