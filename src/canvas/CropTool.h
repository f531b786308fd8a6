#pragma once
// The Crop tool as a state machine over a CanvasView. A drag draws a frame over the image;
// the frame then stays, and can be moved by dragging inside it and resized by dragging its
// edges and corners. Enter, or a double-click inside the frame, hands the frame's image
// rectangle back for the command layer to crop to ("Crop"); Escape drops it. The frame is
// kept in image pixels, so it stays on the same pixels while the view zooms and scrolls.

#include "canvas/CanvasView.h"
#include "canvas/NavigationTools.h"
#include "canvas/RubberBand.h"

#include <cstdint>
#include <optional>

namespace pict {

class CropTool {
public:
    // Window pixels around an edge that still grab it.
    static constexpr int32_t kGrip = 4;
    // A press that moves less than this many window pixels draws no new frame.
    static constexpr int32_t kDragThreshold = 3;

    // What a press at a window point would take hold of.
    enum Grip : uint8_t { None = 0, Left = 1, Top = 2, Right = 4, Bottom = 8, Inside = 16 };
    uint8_t gripAt(const CanvasView& view, Point window) const;

    // A press on an edge or corner resizes, inside moves, anywhere else starts a new frame
    // (the old one goes).
    void buttonDown(const CanvasView& view, Point window);
    // True when the frame changed.
    bool move(const CanvasView& view, Point window);
    // Ends the drag; a press that never became a drag leaves no new frame.
    void buttonUp();
    // Ends a drag without its last move (the window lost the mouse): the frame stays as it is.
    void endDrag() { drag_ = None; }

    // Enter: the frame to crop to, and the frame goes; none without a frame.
    std::optional<Rect> commit();
    // A double-click inside the frame commits it; elsewhere it does nothing.
    std::optional<Rect> doubleClick(const CanvasView& view, Point window);
    // Escape: the frame goes without cropping.
    void drop();

    bool hasFrame() const { return frame_.has_value(); }
    bool isDragging() const { return drag_ != None; }
    // In image pixels, inside the canvas.
    const std::optional<Rect>& frame() const { return frame_; }
    // Where the frame is drawn; none without a frame.
    std::optional<Rect> windowFrame(const CanvasView& view) const;

    CanvasCursor cursor(const CanvasView& view, Point window) const;
    // The frame's stripes march while it is shown (timer 1200).
    void tick() { phase_ = (phase_ + 1) % 8; }
    void drawInto(ViewBuffer& buffer, const CanvasView& view) const;

private:
    Rect resized(const CanvasView& view, Point window) const;
    Rect moved(const CanvasView& view, Point window) const;
    Rect created(const CanvasView& view, Point window) const;

    std::optional<Rect> frame_;
    uint8_t drag_ = None; // the grip being dragged; Inside moves; None and a new frame: see creating_
    bool creating_ = false;
    bool dragged_ = false; // the pointer left the threshold around the press
    Point press_;          // window point of the press
    Rect start_;           // the frame when the press came
    int32_t phase_ = 0;
};

} // namespace pict
