#pragma once
// The point editing of the Curves dialog on its 256 × 256 graph, without any window. Every
// edit keeps each list one that the table construction accepts: 2 to 10 points, x strictly
// increasing from 0 to 255, both coordinates in 0..255.

#include "imageops/CurvesFilter.h"

#include <cstdint>

namespace pict {

class CurveEditor {
public:
    // "Near" is a squared distance of at most this many graph units.
    static constexpr int32_t kNearSquared = 64;
    static constexpr int32_t kNoPoint = -1;

    enum class ClickResult {
        Selected, // an existing point was selected (and moved there, if the click was elsewhere)
        Removed,  // Ctrl-click removed a point
        Inserted, // a new point was inserted at the click and selected
        Ignored,  // the click was neither near a point nor near the curve, or no edit was possible
    };

    CurveEditor() = default;
    // Starts from given settings; lists the table construction would not accept are
    // replaced by the default line.
    explicit CurveEditor(const CurvesSettings& settings);

    const CurvesSettings& settings() const { return settings_; }
    const CurvePoints& points() const { return settings_.channel[channel_]; }
    int32_t channel() const { return channel_; }
    // Another list to edit (out of range is ignored); nothing is selected on it.
    void setChannel(int32_t channel);
    int32_t selectedPoint() const { return selected_; }

    // A click at graph position (x, y), limited to 0..255 on both axes.
    ClickResult click(int32_t x, int32_t y, bool ctrl);
    // Moves the selected point (dragging). The first and last points keep their x; a middle
    // point stops one unit short of its neighbours, so no two points ever share an x.
    bool moveSelected(int32_t x, int32_t y);

    // The dialog's Reset: every list back to the default line, the first channel selected.
    void reset();

    // The current list's own curve (its table) at x, for drawing and for "near the curve".
    int32_t curveAt(int32_t x) const;

private:
    int32_t nearestPointWithin(int32_t x, int32_t y) const;

    CurvesSettings settings_;
    int32_t channel_ = kToneComposite;
    int32_t selected_ = kNoPoint;
    // The current list's table, built when first needed after an edit.
    mutable uint8_t table_[256] = {};
    mutable bool tableValid_ = false;
};

} // namespace pict
