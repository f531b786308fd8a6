#pragma once
// The Marquee and Crop tools as one state machine over a CanvasView: a drag draws the
// marching rubber band, clamped to the image, and the release hands back the image pixels
// it covers for the command layer to select ("Rectangular Marquee"). The Crop tool differs
// only in its cursors; Image > Crop then cuts the image to that selection.

#include "canvas/CanvasView.h"
#include "canvas/NavigationTools.h"
#include "canvas/RubberBand.h"

#include <optional>

namespace pict {

class SelectionMask;

// Hears the size of the rectangle being dragged, for a panel that shows it.
class MarqueeListener {
public:
    virtual ~MarqueeListener() = default;
    // The band changed; it now covers this many image pixels (0 wide or high when empty).
    virtual void marqueeSizeChanged(Size imagePixels) = 0;
    // The drag ended, with or without a selection.
    virtual void marqueeEnded() {}
};

struct MarqueeModifiers {
    bool square = false;   // Shift: the band becomes a square
    bool centered = false; // Alt: the anchor is the band's centre instead of a corner
};

// What a button press asks of the window.
enum class MarqueePress {
    OnSelection,      // pressed on a selected pixel: no band, the selection stays
    Band,             // a band started (capture the mouse, start timer 1200)
    DeselectThenBand, // a band started; record "Deselect" for the selection there was first
};

// Whether a press or the pointer at this window point is on the selection: something is
// selected, the active layer shows, and the image pixel there has coverage 128 or more.
struct MarqueeSelectionView {
    const SelectionMask* selection = nullptr;
    bool activeLayerVisible = true;
    bool onSelectedPixel(const CanvasView& view, Point window) const;
    bool hasSelection() const;
};

class MarqueeTool {
public:
    explicit MarqueeTool(bool crop = false) : crop_(crop) {}
    void setCrop(bool crop) { crop_ = crop; }
    bool isCrop() const { return crop_; }
    // Not owned; null for none.
    void setListener(MarqueeListener* listener) { listener_ = listener; }

    MarqueePress buttonDown(const CanvasView& view, Point window, const MarqueeSelectionView& selection);
    // True when the band changed (the window repaints the old and the new band).
    bool move(const CanvasView& view, Point window, MarqueeModifiers modifiers);
    // Ends the drag: the image rectangle to select, or none for an empty band.
    std::optional<Rect> buttonUp(const CanvasView& view);
    // Escape or a lost capture: the band goes away and nothing is selected.
    void cancel();
    void tick() { band_.tick(); }

    bool isDragging() const { return band_.isActive(); }
    const RubberBand& band() const { return band_; }
    // The image pixels the band covers while dragging.
    std::optional<Size> draggedSize(const CanvasView& view) const;

    // Alt pressed while no drag runs: only the cursor changes.
    void toggleAlternateCursor() { alternateCursor_ = !alternateCursor_; }
    CanvasCursor cursor(const CanvasView& view, Point window, const MarqueeSelectionView& selection) const;

private:
    Rect bandTo(const CanvasView& view, Point window, MarqueeModifiers modifiers) const;
    void end();

    bool crop_ = false;
    bool alternateCursor_ = false;
    Point anchor_;
    RubberBand band_;
    MarqueeListener* listener_ = nullptr;
};

} // namespace pict
