#include "canvas/CanvasRenderer.h"

#include "document/compositing/CompositeCache.h"
#include "document/Document.h"
#include "surface/PixelThreads.h"
#include "surface/RasterSurface.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace pict {
namespace {

void fillSpan(uint32_t* row, int32_t from, int32_t to, uint32_t value) {
    if (from < to)
        std::fill(row + from, row + to, value);
}

int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Everything a row of content needs, computed once per drawn rectangle.
struct ContentSpan {
    int32_t x0 = 0, x1 = 0;            // window columns of content inside the rectangle
    std::vector<int32_t> sourceColumn; // image column of each of them
    int32_t originX = 0, originY = 0;
};

// One row of content from x0 to x1. Without alpha the composite is copied; with alpha each
// pixel is mixed over the checker color of its window position.
template <bool HasAlpha>
void drawContentRow(uint32_t* out, const ContentSpan& span, const uint8_t* colorRow, const uint8_t* alphaRow,
                    int32_t contentY) {
    const int32_t* column = span.sourceColumn.data();
    for (int32_t x = span.x0; x < span.x1; ++x, ++column) {
        const uint8_t* c = colorRow + int64_t(*column) * 3;
        if constexpr (HasAlpha) {
            const uint8_t a = alphaRow[*column];
            if (a != 255) {
                const uint8_t k = checkerValue(x - span.originX, contentY);
                out[x] = Color{mixOverChecker(c[2], a, k), mixOverChecker(c[1], a, k), mixOverChecker(c[0], a, k)}.pixelWord();
                continue;
            }
        }
        out[x] = Color::fromBgrBytes(c).pixelWord();
    }
}

void drawCheckerRow(uint32_t* out, const ContentSpan& span, int32_t contentY) {
    for (int32_t x = span.x0; x < span.x1; ++x) {
        const uint8_t k = checkerValue(x - span.originX, contentY);
        out[x] = Color{k, k, k}.pixelWord();
    }
}

} // namespace

CompositeSource compositeSourceOf(const CompositeCache* cache, bool opaque) {
    if (!cache)
        return {};
    return {&cache->color(), opaque ? nullptr : &cache->alpha()};
}

CompositeSource compositeSourceOf(Document& document) {
    return compositeSourceOf(document.composite(), coveredByOpaqueLayer(document));
}

bool ViewBuffer::resize(Size size) {
    const int32_t w = std::max(0, size.width), h = std::max(0, size.height);
    try {
        pixels.assign(static_cast<size_t>(int64_t(w) * h), 0xFF000000u);
    } catch (const std::bad_alloc&) {
        pixels.clear();
        width = height = 0;
        return false;
    }
    width = w;
    height = h;
    return true;
}

void CanvasRenderer::setColors(const CanvasColors& colors) {
    if (colors == colors_)
        return;
    colors_ = colors;
    fullRedraw_ = true;
}

void CanvasRenderer::invalidateImageRect(const Rect& imageRect) {
    if (!imageRect.isEmpty())
        dirtyImageRects_.push_back(imageRect);
}

void CanvasRenderer::drawRect(ViewBuffer& target, const CanvasView& view, const CompositeSource& source,
                              const CanvasColors& colors, const Rect& windowRect) {
    const Rect area = windowRect.intersected(Rect::fromSize(target.width, target.height));
    if (area.isEmpty())
        return;
    const Rect image = view.imageWindowRect();
    const Rect frame{image.left - 1, image.top - 1, image.right + 1, image.bottom + 1};
    const Size imageSize = view.imageSize();
    const Size content = view.contentSize();
    const uint32_t background = colors.background.pixelWord();
    const uint32_t border = colors.border.pixelWord();

    // A source that does not match the canvas draws as fully transparent rather than
    // reading outside its pixels.
    const Surface24* color = source.color;
    if (color && (color->isEmpty() || color->size() != imageSize))
        color = nullptr;
    const Surface8* alpha = source.alpha;
    if (alpha && (alpha->isEmpty() || alpha->size() != imageSize))
        alpha = nullptr;

    ContentSpan span;
    span.originX = image.left;
    span.originY = image.top;
    span.x0 = std::max(area.left, image.left);
    span.x1 = std::min(area.right, image.right);
    if (span.x0 < span.x1) {
        span.sourceColumn.resize(static_cast<size_t>(span.x1 - span.x0));
        for (int32_t x = span.x0; x < span.x1; ++x) {
            int64_t ix = floorDiv(int64_t(x - image.left) * imageSize.width, content.width);
            span.sourceColumn[static_cast<size_t>(x - span.x0)] =
                static_cast<int32_t>(std::clamp<int64_t>(ix, 0, imageSize.width - 1));
        }
    }

    // Every view row is drawn from the image alone, so strips of rows run on several threads.
    forEachStrip(area.top, area.bottom, area.width(), [&](int32_t stripTop, int32_t stripBottom) {
        for (int32_t y = stripTop; y < stripBottom; ++y) {
            uint32_t* out = target.row(y);
            if (y < frame.top || y >= frame.bottom) {
                fillSpan(out, area.left, area.right, background);
                continue;
            }
            // Background left and right of the frame.
            fillSpan(out, area.left, std::min(area.right, frame.left), background);
            fillSpan(out, std::max(area.left, frame.right), area.right, background);
            if (y == frame.top || y == frame.bottom - 1) {
                fillSpan(out, std::max(area.left, frame.left), std::min(area.right, frame.right), border);
                continue;
            }
            if (frame.left >= area.left && frame.left < area.right)
                out[frame.left] = border;
            if (frame.right - 1 >= area.left && frame.right - 1 < area.right)
                out[frame.right - 1] = border;
            if (span.x0 >= span.x1)
                continue;
            const int32_t contentY = y - image.top;
            const int32_t iy = static_cast<int32_t>(
                std::clamp<int64_t>(floorDiv(int64_t(contentY) * imageSize.height, content.height), 0, imageSize.height - 1));
            if (!color)
                drawCheckerRow(out, span, contentY);
            else if (alpha)
                drawContentRow<true>(out, span, color->row(iy), alpha->row(iy), contentY);
            else
                drawContentRow<false>(out, span, color->row(iy), nullptr, contentY);
        }
    });
}

void CanvasRenderer::shiftBy(int32_t dx, int32_t dy) {
    const int32_t w = buffer_.width, h = buffer_.height;
    const int32_t width = w - std::abs(dx);
    const int32_t srcX = dx > 0 ? 0 : -dx;
    const int32_t dstX = dx > 0 ? dx : 0;
    auto moveRow = [&](int32_t y) {
        uint32_t* row = buffer_.row(y);
        const uint32_t* from = buffer_.row(y - dy);
        std::memmove(row + dstX, from + srcX, static_cast<size_t>(width) * 4);
    };
    // Walk against the direction of the move so that no source row is overwritten first.
    if (dy > 0) {
        for (int32_t y = h - 1; y >= dy; --y)
            moveRow(y);
    } else {
        for (int32_t y = 0; y < h + dy; ++y)
            moveRow(y);
    }
}

const ViewBuffer& CanvasRenderer::render(const CanvasView& view, const CompositeSource& source) {
    changed_ = {};
    const Size client = view.clientSize();
    if (buffer_.width != client.width || buffer_.height != client.height || buffer_.pixels.empty()) {
        if (!buffer_.resize(client))
            return buffer_;
        fullRedraw_ = true;
    }
    if (client.isEmpty())
        return buffer_;

    const Layout layout{client, view.contentSize(), view.imageSize(), view.contentOrigin(), source.color, source.alpha};
    Layout moved = cached_;
    moved.origin = layout.origin;
    const Rect all = Rect::fromSize(client);

    if (fullRedraw_ || !(moved == layout)) {
        drawRect(buffer_, view, source, colors_, all);
        changed_ = all;
        dirtyImageRects_.clear();
    } else if (layout.origin != cached_.origin) {
        const int32_t dx = layout.origin.x - cached_.origin.x;
        const int32_t dy = layout.origin.y - cached_.origin.y;
        if (std::abs(dx) >= client.width || std::abs(dy) >= client.height) {
            drawRect(buffer_, view, source, colors_, all);
        } else {
            shiftBy(dx, dy);
            if (dx > 0)
                drawRect(buffer_, view, source, colors_, {0, 0, dx, client.height});
            else if (dx < 0)
                drawRect(buffer_, view, source, colors_, {client.width + dx, 0, client.width, client.height});
            if (dy > 0)
                drawRect(buffer_, view, source, colors_, {0, 0, client.width, dy});
            else if (dy < 0)
                drawRect(buffer_, view, source, colors_, {0, client.height + dy, client.width, client.height});
        }
        changed_ = all;
    }

    for (const Rect& imageRect : dirtyImageRects_) {
        // One pixel of margin covers the rounding difference between the rectangle mapping
        // and the nearest-neighbour sampling at fractional zooms.
        Rect w = view.imageRectToWindow(imageRect);
        w = Rect{w.left - 1, w.top - 1, w.right + 1, w.bottom + 1}.intersected(all);
        drawRect(buffer_, view, source, colors_, w);
        changed_ = changed_.united(w);
    }
    dirtyImageRects_.clear();
    cached_ = layout;
    fullRedraw_ = false;
    return buffer_;
}

} // namespace pict
