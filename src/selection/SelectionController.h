#pragma once
// A document window's selection: the mask plus what the window needs to show it. Every
// change goes through here so that the window hears of it (to repaint the old outline and
// restart or stop the outline animation). The drawing itself belongs to the editor; the
// edge points it draws and the stripe pattern are computed by SelectionOutline.h.

#include "selection/CombineMode.h"
#include "selection/SelectionMask.h"

#include <cstdint>

namespace pict {

struct SampledImage;

class SelectionListener {
public:
    virtual ~SelectionListener() = default;
    // The selection changed from oldBounds to the current one (either may be empty).
    virtual void selectionChanged(const Rect& oldBounds, const Rect& newBounds) = 0;
    // The outline was hidden or shown again; the mask is unchanged.
    virtual void outlineVisibilityChanged(bool visible) { (void)visible; }
};

class SelectionController {
public:
    SelectionController(int32_t canvasWidth, int32_t canvasHeight) : mask_(canvasWidth, canvasHeight) {}

    const SelectionMask& mask() const { return mask_; }
    SelectionArea area() const { return mask_.area(); }
    bool isEmpty() const { return mask_.isEmpty(); }

    // Not owned; null for none. The listener must outlive its registration.
    void setListener(SelectionListener* listener) { listener_ = listener; }

    // ---- commands (each reports the change when it succeeds) ----
    bool setShape(const Rect& shape, bool ellipse);
    bool selectAll();
    bool invert();
    void clear();
    bool load(const Surface8& canvasSizedSource);
    bool place(const Surface8& coverage, Point topLeft);
    bool loadFromChannel(const Surface8& channel, CombineMode mode, bool invert);
    bool feather(double radius);
    bool expand(int32_t width);
    bool contract(int32_t width);
    bool border(int32_t width);
    bool growOrSimilar(const SampledImage& image, int32_t tolerance, bool grow);

    // ---- undo support ----
    // Puts a saved copy back (it may be of another canvas size, after a geometry undo).
    bool restore(const SelectionMask& saved);
    // The canvas changed size: the selection is dropped.
    void resetCanvas(int32_t canvasWidth, int32_t canvasHeight);

    // ---- outline state ----
    bool outlineVisible() const { return outlineVisible_; }
    void toggleOutline();
    // The outline animates while something is selected.
    bool outlineAnimating() const { return !mask_.isEmpty(); }
    // Bumped by every change, so that cached edge points can tell they are stale.
    uint64_t changeCount() const { return changeCount_; }

private:
    template <class Change>
    bool change(Change&& operation);

    SelectionMask mask_;
    SelectionListener* listener_ = nullptr;
    bool outlineVisible_ = true;
    uint64_t changeCount_ = 0;
};

} // namespace pict
