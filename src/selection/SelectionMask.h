#pragma once
// The document's selection: an 8-bit coverage surface (0 unselected .. 255 selected) that
// covers only the selection's bounds on the canvas. Pixels outside bounds have coverage 0;
// empty bounds means nothing is selected and then no coverage surface exists.
//
// Invariants kept by every operation: bounds lies inside the canvas rectangle, the coverage
// surface exists exactly when bounds is not empty, and its size equals the bounds' size.
// Operations return false only when they could not do their work (a surface could not be
// made, a source of the wrong size); they then leave the selection exactly as it was.

#include "common/Geometry.h"
#include "document/SelectionArea.h"
#include "surface/RasterSurface.h"

#include <cstdint>

namespace pict {

struct SampledImage;

class SelectionMask {
public:
    SelectionMask() = default;
    SelectionMask(int32_t canvasWidth, int32_t canvasHeight);
    SelectionMask(const SelectionMask&) = delete;
    SelectionMask& operator=(const SelectionMask&) = delete;
    SelectionMask(SelectionMask&&) noexcept = default;
    SelectionMask& operator=(SelectionMask&&) noexcept = default;

    // ---- what is selected ----
    int32_t canvasWidth() const { return canvasWidth_; }
    int32_t canvasHeight() const { return canvasHeight_; }
    Rect canvasRect() const { return Rect::fromSize(canvasWidth_, canvasHeight_); }
    bool isEmpty() const { return bounds_.isEmpty(); }
    const Rect& bounds() const { return bounds_; }
    // Null while the selection is empty.
    const Surface8* coverage() const { return isEmpty() ? nullptr : &coverage_; }
    // The document model's view of this selection; it refers to our surface, so it is valid
    // until the selection next changes.
    SelectionArea area() const { return {bounds_, coverage()}; }

    // Coverage at a canvas point; 0 outside bounds.
    uint8_t coverageAt(int32_t x, int32_t y) const;
    // Outside bounds: false. Strict: coverage of at least 128 counts; otherwise any non-zero.
    bool containsPoint(Point canvasPoint, bool strict) const;

    // Canvas coordinates <-> coordinates of the coverage surface.
    Point toMask(Point p) const { return {p.x - bounds_.left, p.y - bounds_.top}; }
    Point toCanvas(Point p) const { return {p.x + bounds_.left, p.y + bounds_.top}; }
    Rect toMask(const Rect& r) const { return r.translated(-bounds_.left, -bounds_.top); }
    Rect toCanvas(const Rect& r) const { return r.translated(bounds_.left, bounds_.top); }

    // ---- copies, for undo and for saving into channels ----
    // An independent copy; false (this unchanged) when memory runs out.
    bool copyFrom(const SelectionMask& source);
    void swap(SelectionMask& other) noexcept;
    // Replaces target by a canvas-sized surface holding the coverage at its place.
    bool toCanvasSurface(Surface8& target) const;

    // ---- bounds management ----
    // Moves the coverage onto new bounds (clipped to the canvas); pixels keep their canvas
    // position, newly covered pixels are 0, pixels outside the new bounds are dropped.
    bool resize(const Rect& newBounds);
    // Shrinks bounds to the tight box of non-zero coverage (empty when there is none).
    bool trim();
    // A new, empty canvas (the document changed size); the selection is dropped.
    void resetCanvas(int32_t canvasWidth, int32_t canvasHeight);

    // ---- commands that replace the selection ----
    // A rectangle or the ellipse inscribed in it (aliased, 255 only), cut to the canvas.
    bool setShape(const Rect& shape, bool ellipse);
    bool selectAll();
    void clear();
    bool invert();
    // A canvas-sized source becomes the selection (then trimmed).
    bool load(const Surface8& source);
    // coverage laid with its top-left at the canvas point becomes the selection, cut to the
    // canvas and trimmed (a pasted or moved piece's transparency).
    bool place(const Surface8& coverage, Point topLeft);

    // ---- Modify commands (out-of-range arguments are clamped) ----
    bool feather(double radius);
    bool expand(int32_t width);
    bool contract(int32_t width);
    bool border(int32_t width);

    // ---- colour selection: Grow (grow = true) or Similar ----
    bool growOrSimilar(const SampledImage& image, int32_t tolerance, bool grow);

private:
    // Makes target a mask of the working rectangle holding the coverage at its place (zero
    // around it), for the Modify commands to work on.
    bool copyToWorking(Surface8& target, const Rect& working) const;
    // Installs a finished surface as the coverage at the given bounds, then trims.
    bool adoptTrimmed(Surface8& surface, const Rect& surfaceBounds);

    int32_t canvasWidth_ = 0;
    int32_t canvasHeight_ = 0;
    Rect bounds_;
    Surface8 coverage_;
};

} // namespace pict
