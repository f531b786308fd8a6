#pragma once
// The Lasso (freehand) and Polygonal Lasso tools as a state machine fed image-space events.
//
// Freehand: press starts the outline, every drag adds a point, release closes it.
// Polygonal: each click adds a corner and the pointer pulls a rubber segment from the last
// one; a double-click, Enter or a click near the first corner closes the outline; Backspace
// removes the last corner (the last one left cancels); Escape cancels at any time.
// A closed outline with at least three corners is handed back once by takePolygon().

#include "selection/SelectionSources.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace pict {

class LassoTool {
public:
    enum class Result : uint8_t {
        None,      // still drawing (or idle)
        Closed,    // the outline is complete: takePolygon()
        Cancelled, // the outline was dropped
    };

    void setPolygonal(bool polygonal);
    bool isPolygonal() const { return polygonal_; }
    // How close (in image pixels) a click must come to the first corner to close the outline.
    void setCloseDistance(double pixels) { closeDistance_ = pixels; }

    Result press(PolygonPoint point, bool doubleClick);
    Result move(PolygonPoint point);
    Result release(PolygonPoint point);
    Result enter();
    Result backspace();
    Result escape();

    bool isActive() const { return !points_.empty(); }
    // The outline so far, and where the rubber segment ends (polygonal, none otherwise).
    const std::vector<PolygonPoint>& points() const { return points_; }
    std::optional<PolygonPoint> hover() const { return hover_; }
    // The closed outline; empty afterwards.
    std::vector<PolygonPoint> takePolygon();

private:
    Result close();
    Result cancel();

    bool polygonal_ = false;
    bool dragging_ = false;
    double closeDistance_ = 3.0;
    std::vector<PolygonPoint> points_;
    std::optional<PolygonPoint> hover_;
    std::vector<PolygonPoint> closed_;
};

} // namespace pict
