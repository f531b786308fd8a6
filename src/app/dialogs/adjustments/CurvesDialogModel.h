#pragma once
// The model of the "Curves..." dialog: the point editor on the 256 × 256 graph for the chosen
// channel, and the "Input:"/"Output:" readouts.

#include "app/dialogs/adjustments/AdjustmentDialogModel.h"
#include "app/dialogs/adjustments/CurveEditor.h"

namespace pict {

class CurvesDialogModel final : public AdjustmentDialogModel {
public:
    using AdjustmentDialogModel::AdjustmentDialogModel;

    const CurveEditor& editor() const { return editor_; }
    const CurvesSettings& settings() const { return editor_.settings(); }
    int32_t channel() const { return editor_.channel(); }
    void setChannel(int32_t channel) { editor_.setChannel(channel); }

    // A press at graph position (x, y) (y = 0 at the bottom): selects, moves, inserts or,
    // with Ctrl, removes a point.
    CurveEditor::ClickResult press(int32_t x, int32_t y, bool ctrl);
    // The pointer moved with the button down: drags the point the press selected.
    void drag(int32_t x, int32_t y);
    void release() { dragging_ = false; }
    // The pointer moved with no button down.
    void hover(int32_t x);

    // What "Input:" and "Output:" show: the dragged point while dragging, else the pointer's
    // input and the curve's output there.
    CurvePoint readout() const { return readout_; }

protected:
    std::unique_ptr<ImageFilter> makeFilter() const override;
    void resetValues() override;

private:
    CurveEditor editor_;
    CurvePoint readout_;
    bool dragging_ = false;
};

} // namespace pict
