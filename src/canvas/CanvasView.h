#pragma once
// The view model of one document window: the image-to-window mapping, the zoom with its
// commands and the scroll position. It knows sizes only; CanvasRenderer turns it into pixels
// and the window toolkit feeds it the client size and user input.

#include "common/Geometry.h"
#include "document/ResolutionUnit.h"

#include <cstdint>
#include <optional>

namespace pict {

class CanvasViewListener {
public:
    virtual ~CanvasViewListener() = default;
    // The zoom changed (caption, zoom bar, scroll bars and the whole picture need updating).
    virtual void canvasZoomChanged() {}
    // Only the scroll position changed, by this many window pixels.
    virtual void canvasScrolled(int32_t dx, int32_t dy) {
        (void)dx;
        (void)dy;
    }
};

struct ScrollRange {
    int32_t minimum = 0;
    int32_t maximum = 0; // content size − 1
    int32_t page = 0;    // client size
    int32_t position = 0;
    bool enabled = false; // false when the page covers the whole content
};

class CanvasView {
public:
    CanvasView() = default;
    CanvasView(Size imageSize, Size clientSize);

    // A new canvas size (after Image Size, rotation, crop...) keeps the zoom where it can.
    void setImageSize(Size imageSize);
    void setClientSize(Size clientSize);
    void setListener(CanvasViewListener* listener) { listener_ = listener; }

    Size imageSize() const { return image_; }
    Size clientSize() const { return client_; }
    Size contentSize() const { return content_; }
    Point scrollPosition() const { return scroll_; }
    float zoom() const { return zoom_; }
    float minimumZoom() const { return minZoom_; }
    static constexpr float maximumZoom() { return 16.0f; }
    bool canZoomIn() const { return zoom_ < maximumZoom(); }
    bool canZoomOut() const { return zoom_ > minZoom_; }
    // Whether a zoom preset of this factor can be chosen (below the minimum it is disabled).
    bool isZoomAllowed(float factor) const { return factor >= minZoom_; }

    // ---- mapping ----
    // Where the content's top-left corner is drawn: centred with integer halves when the
    // content is smaller than the client, otherwise minus the scroll position.
    Point contentOrigin() const;
    Point imageToWindow(Point image) const;
    // The image pixel that covers a window pixel (rounded down, may lie outside the image).
    Point windowToImage(Point window) const;
    // Right and bottom edges go to the first window pixel beyond the rectangle.
    Rect imageRectToWindow(const Rect& image) const;
    // The image pixels a window rectangle touches: top-left rounded down to the pixel that
    // holds it, bottom-right rounded up to the next pixel edge.
    Rect windowRectToImage(const Rect& window) const;
    Rect imageWindowRect() const { return Rect::fromPointSize(contentOrigin(), content_); }
    // The image pixels visible in the window, clipped to the image.
    Rect visibleImageRect() const;

    // ---- zoom ----
    void setZoom(float zoom, bool keepCentre);
    // Zoom keeping the image point under `window` there (keepUnderCursor) or centring it.
    void zoomAt(Point window, float zoom, bool keepUnderCursor);
    // The Zoom In tool's drag rectangle, in window pixels.
    void zoomToWindowRect(const Rect& window);
    void zoomIn();  // next step, window centre fixed
    void zoomOut(); // previous step (not below the minimum), window centre fixed
    void fitInWindow();
    // Fit on Screen for a document window that is not maximized: the client size the window
    // should take inside `available`, or none when that would need a zoom below the minimum.
    // The caller resizes the window (setClientSize) and then calls fitInWindow().
    std::optional<Size> fitOnScreenClientSize(Size available) const;
    void actualPixels();
    // The zoom at which the picture shows at its printed size on a 72 pixels/inch screen.
    void printSize(double resolution, ResolutionUnit unit);

    // ---- scrolling ----
    ScrollRange horizontalRange() const;
    ScrollRange verticalRange() const;
    // Moves within [0, content − client]; returns the distance actually moved.
    Point scrollBy(int32_t dx, int32_t dy);
    Point scrollTo(int32_t x, int32_t y);
    // Scroll so that the window point (x, y) comes to the centre.
    void scrollToCentre(Point window);

private:
    void updateMinimumZoom();
    void setContentSize(Size content);
    int32_t maxScrollX() const;
    int32_t maxScrollY() const;
    Point clampScroll(Point p) const;
    // Window position of an image coordinate relative to the content origin.
    int32_t contentX(int32_t imageX) const;
    int32_t contentY(int32_t imageY) const;
    Point windowCentre() const;
    // Zooming keeps a point of the image in place: held in fractional image pixels, so that
    // zooming in and out again comes back to the same view rather than drifting up to a
    // whole image pixel towards the corner of the pixel that was there.
    struct ImagePosition {
        double x = 0;
        double y = 0;
    };
    ImagePosition imagePositionAt(Point window) const;
    // The scroll position, clamped, that draws `image` at the window point.
    Point scrollPlacing(ImagePosition image, Point window) const;
    void notifyZoom();
    void notifyScroll(Point before);

    Size image_{1, 1};
    Size client_{0, 0};
    Size content_{1, 1};
    Point scroll_;
    float zoom_ = 1.0f;
    float minZoom_ = 1.0f;
    CanvasViewListener* listener_ = nullptr;
};

} // namespace pict
