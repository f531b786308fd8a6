#pragma once
// The Hand, Zoom In and Zoom Out tools as state machines over a CanvasView. The window
// forwards button, move, key and timer events and shows cursor(); while a zoom drag runs it
// draws band() over the picture and ticks it from timer 1200.

#include "canvas/CanvasView.h"
#include "canvas/RubberBand.h"

#include <cstdint>

namespace pict {

enum class CanvasCursor {
    Arrow,
    Hand,
    Grabbing,
    ZoomIn,
    ZoomOut,
    ZoomLimit,
    Marquee,
    MarqueeAlternate,
    Crop,
    CropAlternate,
    OverSelection, // the marquee or crop tool over a selected pixel: a press there starts nothing
    Precise,       // the painting, picking and lasso tools: a thin cross
};

enum class CanvasTool { Marquee, Crop, Hand, ZoomIn, ZoomOut };
// The tool that gets the mouse: the hand while the space bar is held, otherwise the active
// tool id (0 marquee, 8 crop, 17 hand, 18 zoom in, 19 zoom out; anything else is the hand).
CanvasTool canvasToolFor(int32_t toolId, bool spaceDown);

class HandTool {
public:
    // True: the window captures the mouse until buttonUp.
    bool buttonDown(Point window);
    // The content follows the cursor.
    void move(CanvasView& view, Point window);
    void buttonUp() { dragging_ = false; }
    bool isDragging() const { return dragging_; }
    CanvasCursor cursor() const { return dragging_ ? CanvasCursor::Grabbing : CanvasCursor::Hand; }

private:
    bool dragging_ = false;
    Point last_;
};

class ZoomTool {
public:
    enum Mode { None = 0, In = 1, Out = 2 };

    explicit ZoomTool(bool zoomOut = false) : zoomOut_(zoomOut) {}
    void setZoomOut(bool zoomOut) { zoomOut_ = zoomOut; }
    // Holding Alt swaps Zoom In and Zoom Out; releasing it swaps back.
    void setAltDown(bool down) { altDown_ = down; }

    // What a click does now: In or Out, or None when that direction is at its limit
    // (16, or the view's minimum zoom).
    Mode mode(const CanvasView& view) const;
    CanvasCursor cursor(const CanvasView& view) const;

    // True when a rubber-band drag started (capture the mouse, start timer 1200).
    bool buttonDown(CanvasView& view, Point window, bool shift);
    void move(const CanvasView& view, Point window);
    // Ends a drag: zooms to the band when it is more than 2 pixels wide or high, otherwise
    // one step in at the point (kept under the cursor, or centred with Shift).
    void buttonUp(CanvasView& view, Point window, bool shift);
    // Escape during the drag: the band goes away and nothing is zoomed.
    void cancel() { band_.stop(); }
    void tick() { band_.tick(); }
    bool isDragging() const { return band_.isActive(); }
    const RubberBand& band() const { return band_; }

private:
    Point clampToImage(const CanvasView& view, Point window) const;
    Rect bandRect(Point to) const;

    bool zoomOut_ = false;
    bool altDown_ = false;
    Point start_;
    RubberBand band_;
};

} // namespace pict
