#pragma once
// What the drawing area hands the tools it does not run itself (the painting, picking and
// freehand selection tools): pointer events in image coordinates with the modifier keys,
// the keys the tools use, and the lines they want drawn over the picture.

#include "common/Geometry.h"
#include "selection/SelectionSources.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace pict {

struct ToolPointer {
    double x = 0.0; // image coordinates, continuous: pixel (x, y) spans x .. x + 1
    double y = 0.0;
    double pressure = 1.0; // a tablet pen's; 1 for a mouse
    bool shift = false;
    bool alt = false;
    bool secondary = false; // the right button (the picker takes the background color)
    bool doubleClick = false;

    Point pixel() const { return {int32_t(std::floor(x)), int32_t(std::floor(y))}; }
};

// The arrow keys nudge (the Move tool).
enum class ToolKey : uint8_t { Escape, Enter, Backspace, Left, Right, Up, Down };

// Lines over the picture, image coordinates; closed joins the last point to the first.
struct ToolOverlay {
    std::vector<PolygonPoint> points;
    bool closed = false;
    bool isEmpty() const { return points.size() < 2; }
};

class CanvasToolInput {
public:
    virtual ~CanvasToolInput() = default;
    // Whether this tool id's events come here.
    virtual bool handlesTool(int32_t toolId) const = 0;
    virtual void press(int32_t toolId, const ToolPointer& pointer) = 0;
    // buttonDown: the button is held (a drag); otherwise the pointer only hovers.
    virtual void move(int32_t toolId, const ToolPointer& pointer, bool buttonDown) = 0;
    virtual void release(int32_t toolId, const ToolPointer& pointer) = 0;
    // True when the tool used the key; shift: the Shift key is held.
    virtual bool key(int32_t toolId, ToolKey key, bool shift) = 0;
    // The capture was lost or the tool changed: whatever runs stops without a result.
    virtual void cancel() = 0;
    virtual ToolOverlay overlay() const = 0;
};

} // namespace pict
