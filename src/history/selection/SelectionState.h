#pragma once
// Base of the history states that change only the selection. Each keeps a copy of the whole
// mask: apply takes it when it holds none and then performs its operation; undo puts the
// copy back and lets it go, so the next apply takes a fresh one. The controller tells the
// window of every change, which redraws the outline. The document is never marked modified.

#include "history/HistoryState.h"
#include "selection/ModifyLimits.h"
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

// "Select Canavs" (the name as the history has always shown it): the whole canvas.
class SelectAllState final : public SelectionState {
public:
    explicit SelectAllState(SelectionController& selection) : SelectionState(selection) {}
    std::string name() const override { return "Select Canavs"; }

private:
    void perform(SelectionController& selection) override { selection.selectAll(); }
};

// "Select Inverse": every coverage value v becomes 255 - v over the canvas.
class SelectInverseState final : public SelectionState {
public:
    explicit SelectInverseState(SelectionController& selection) : SelectionState(selection) {}
    std::string name() const override { return "Select Inverse"; }

private:
    void perform(SelectionController& selection) override { selection.invert(); }
};

// "Feather": the radius is clamped to 0.1..250 at creation.
class FeatherState final : public SelectionState {
public:
    FeatherState(SelectionController& selection, double radius)
        : SelectionState(selection), radius_(clampFeatherRadius(radius)) {}
    std::string name() const override { return "Feather"; }
    double radius() const { return radius_; }

private:
    void perform(SelectionController& selection) override { selection.feather(radius_); }

    double radius_;
};

// "Expand", "Contract" and "Border": the width is clamped to 1..100 at creation.
class ModifyWidthState final : public SelectionState {
public:
    // command: Expand, Contract or Border.
    ModifyWidthState(SelectionController& selection, ModifyCommand command, int32_t width)
        : SelectionState(selection), command_(command), width_(clampModifyWidth(width)) {}
    std::string name() const override;
    int32_t width() const { return width_; }

private:
    void perform(SelectionController& selection) override;

    ModifyCommand command_;
    int32_t width_;
};

} // namespace pict
