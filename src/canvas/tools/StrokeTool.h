#pragma once
// The Brush, Pencil and Eraser tools as a state machine fed image-space pointer events.
//
//   idle --press--> painting --drag*--> painting --release--> idle (one state to record)
//                       \--Escape--> idle (the layer is put back, nothing recorded)
//
// Shift at the press draws a straight line from where the previous stroke ended; Shift and
// Alt changing during the drag change nothing. The window repaints the rectangles that
// press and drag return (canvas coordinates).

#include "canvas/painting/LayerStroke.h"

#include <memory>
#include <optional>
#include <string>

namespace pict {

class StrokeTool {
public:
    // Starts painting at point (shift: a line from the last point of the previous stroke,
    // when there was one). False, with the reason, when the active layer cannot be painted.
    bool press(DocumentContext& context, const BrushParams& params, const StrokePoint& point, bool shift,
               Rect& changed, std::string* whyNot = nullptr);
    // The pointer moved while the button is down; nothing while idle.
    Rect drag(const StrokePoint& point);
    // The button came up: the state to record (already applied), or null when nothing was
    // painted or no stroke ran.
    std::unique_ptr<HistoryState> release();
    // Escape or a lost capture while painting.
    void cancel();

    bool isPainting() const { return stroke_ != nullptr; }
    // Where the last stroke ended, for Shift-click lines.
    std::optional<StrokePoint> lastPoint() const { return last_; }
    // The document changed under the tool (another window, an undo): forget the last point.
    void forgetLastPoint() { last_.reset(); }

private:
    std::unique_ptr<LayerStroke> stroke_;
    std::optional<StrokePoint> last_;
};

} // namespace pict
