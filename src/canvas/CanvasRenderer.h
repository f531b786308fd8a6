#pragma once
// Draws a CanvasView into a window-sized 32-bit pixel buffer: the window background, the
// one-pixel image border, and the composite scaled nearest-neighbour over the transparency
// checkerboard. The buffer is the view's render cache: when only the scroll position moved,
// the overlapping pixels are shifted and only the uncovered strips are drawn again.

#include "canvas/CanvasView.h"
#include "common/Color.h"
#include "common/Geometry.h"

#include <cstdint>
#include <vector>

namespace pict {

class CompositeCache;
class Document;
class Surface24;
class Surface8;

// Pixels as 0xFFRRGGBB words, rows top-down without padding (QImage::Format_RGB32 layout).
struct ViewBuffer {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;

    uint32_t* row(int32_t y) { return pixels.data() + static_cast<int64_t>(y) * width; }
    const uint32_t* row(int32_t y) const { return pixels.data() + static_cast<int64_t>(y) * width; }
    uint32_t at(int32_t x, int32_t y) const { return row(y)[x]; }
    int64_t strideBytes() const { return static_cast<int64_t>(width) * 4; }
    bool resize(Size size);
};

// What the view shows: the composite color and its alpha (null for an opaque composite),
// both canvas-sized.
struct CompositeSource {
    const Surface24* color = nullptr;
    const Surface8* alpha = nullptr;
};

// The document's composite as the view draws it; the alpha is left out when an opaque layer
// covers the whole canvas (no checkerboard can show). Empty when there is no composite.
CompositeSource compositeSourceOf(const CompositeCache* cache, bool opaque = false);
CompositeSource compositeSourceOf(Document& document);

struct CanvasColors {
    Color background = Color::fromRgb(0xAAAAAA); // the document window background option
    Color border = kBlack;                        // the image border option
    friend bool operator==(const CanvasColors&, const CanvasColors&) = default;
};

inline constexpr uint8_t kCheckerLight = 255;
inline constexpr uint8_t kCheckerDark = 204;
inline constexpr int32_t kCheckerSquare = 8;

class CanvasRenderer {
public:
    void setColors(const CanvasColors& colors);
    const CanvasColors& colors() const { return colors_; }

    // The composite changed inside this canvas rectangle; it is redrawn on the next render.
    void invalidateImageRect(const Rect& imageRect);
    void invalidateAll() { fullRedraw_ = true; }

    // Brings the buffer up to date with the view and the source and returns it. The window
    // rectangle that changed since the previous call is in lastChangedRect(). A buffer that
    // cannot be allocated comes back empty and is retried on the next call.
    const ViewBuffer& render(const CanvasView& view, const CompositeSource& source);
    Rect lastChangedRect() const { return changed_; }
    const ViewBuffer& buffer() const { return buffer_; }

    // Draws one window rectangle of the view from scratch (no cache involved).
    static void drawRect(ViewBuffer& target, const CanvasView& view, const CompositeSource& source,
                         const CanvasColors& colors, const Rect& windowRect);

private:
    struct Layout {
        Size client;
        Size content;
        Size image;
        Point origin;
        const void* color = nullptr;
        const void* alpha = nullptr;
        friend bool operator==(const Layout&, const Layout&) = default;
    };
    void shiftBy(int32_t dx, int32_t dy);

    ViewBuffer buffer_;
    CanvasColors colors_;
    Layout cached_;
    bool fullRedraw_ = true;
    std::vector<Rect> dirtyImageRects_;
    Rect changed_;
};

// The checker color of a window pixel, counted from the content origin.
constexpr uint8_t checkerValue(int32_t contentX, int32_t contentY) {
    return (((contentX >> 3) ^ (contentY >> 3)) & 1) == 0 ? kCheckerLight : kCheckerDark;
}

// One channel of a pixel with alpha a over the checker color k: the checker weighs in with
// coverage 255 − a, c + (((255 − a) × (k − c)) >> 8), where full coverage (a = 0) takes k
// exactly, as every coverage blend does; the shift alone would stop one short of it.
constexpr uint8_t mixOverChecker(uint8_t c, uint8_t a, uint8_t k) {
    return a == 0 ? k : static_cast<uint8_t>(c + (((255 - a) * (k - c)) >> 8));
}

} // namespace pict
