// Changes of the canvas a surface covers (setBounds, trim, setSizeWithOffset) and the blits
// between surfaces of any depths (copyRect, drawTo, copyFrom).
#include "surface/PixelCodec.h"
#include "surface/RasterSurface.h"

namespace pict {

namespace {

bool isValidBuffer(const SurfaceBuffer* b) { return b && b->magic == kSurfaceMagic; }

// The buffer becomes the size of rect; with keepContent the old pixel (x, y) lands on
// (x - rect.left, y - rect.top). Uncovered pixels are zero.
bool setBufferBounds(std::unique_ptr<SurfaceBuffer>& buffer, const Rect& requested, bool keepContent) {
    if (!isValidBuffer(buffer.get()))
        return false;
    const Rect rect = requested.normalized();
    if (rect.isEmpty())
        return false;
    const Rect old = Rect::fromSize(buffer->width(), buffer->height());
    if (keepContent && rect == old)
        return true;
    auto out = createBufferLike(*buffer, rect.width(), rect.height());
    if (!out)
        return false;
    if (keepContent) {
        const Rect kept = old.intersected(rect);
        if (!kept.isEmpty())
            copyPixels(*buffer, kept, *out, {kept.left - rect.left, kept.top - rect.top});
    }
    buffer = std::move(out);
    return true;
}

// The bounding box of every pixel whose raw value differs from the top-left pixel.
Rect differingBounds(const SurfaceBuffer& b) {
    const int depth = b.depth();
    const uint32_t corner = rawAt(b.row(0), depth, 0);
    int32_t left = b.width(), top = b.height(), right = 0, bottom = 0;
    for (int32_t y = 0; y < b.height(); ++y) {
        const uint8_t* row = b.row(y);
        int32_t first = -1;
        for (int32_t x = 0; x < b.width(); ++x)
            if (rawAt(row, depth, x) != corner) {
                first = x;
                break;
            }
        if (first < 0)
            continue;
        int32_t last = b.width() - 1;
        while (rawAt(row, depth, last) == corner)
            --last;
        left = std::min(left, first);
        right = std::max(right, last + 1);
        top = std::min(top, y);
        bottom = y + 1;
    }
    return Rect{left, top, right, bottom}.isEmpty() ? Rect{} : Rect{left, top, right, bottom};
}

bool trimBuffer(std::unique_ptr<SurfaceBuffer>& buffer) {
    if (!isValidBuffer(buffer.get()))
        return false;
    const Rect box = differingBounds(*buffer);
    if (box.isEmpty())
        return true; // one color throughout: nothing to cut
    return setBufferBounds(buffer, box, true);
}

// Clips a copy of sourceRect to destPoint against both buffers; false when nothing is left.
bool clipCopy(const SurfaceBuffer& source, Rect& sourceRect, const SurfaceBuffer& dest, Point& destPoint) {
    Rect clipped = sourceRect.normalized().intersected(Rect::fromSize(source.width(), source.height()));
    Point at{destPoint.x + (clipped.left - sourceRect.normalized().left),
             destPoint.y + (clipped.top - sourceRect.normalized().top)};
    const Rect placed = Rect::fromPointSize(at, clipped.size()).intersected(Rect::fromSize(dest.width(), dest.height()));
    if (clipped.isEmpty() || placed.isEmpty())
        return false;
    clipped = Rect::fromPointSize({clipped.left + (placed.left - at.x), clipped.top + (placed.top - at.y)}, placed.size());
    sourceRect = clipped;
    destPoint = placed.topLeft();
    return true;
}

} // namespace

bool AnySurface::setBounds(const Rect& rect, bool keepContent) { return setBufferBounds(buffer_.writable(), rect, keepContent); }

bool Surface8::setBounds(const Rect& rect, bool keepContent) {
    if (isEmpty()) {
        const Rect r = rect.normalized();
        return !r.isEmpty() && create(r.width(), r.height(), 8);
    }
    return isValid() && setBufferBounds(buffer_.writable(), rect, keepContent);
}

bool Surface24::setBounds(const Rect& rect, bool keepContent) {
    if (isEmpty()) {
        const Rect r = rect.normalized();
        return !r.isEmpty() && create(r.width(), r.height(), 24);
    }
    return isValid() && setBufferBounds(buffer_.writable(), rect, keepContent);
}

Rect AnySurface::trimBounds() const { return isValid() ? differingBounds(*buffer_) : Rect{}; }

bool AnySurface::trim() { return false; }
bool Surface8::trim() { return isValid() && failSafe([&] { return trimBuffer(buffer_.writable()); }); }
bool Surface24::trim() { return isValid() && failSafe([&] { return trimBuffer(buffer_.writable()); }); }

bool Surface8::setSizeWithOffset(Size size, Point offset) {
    if (!isValid() || size.isEmpty())
        return false;
    if (size == this->size())
        return true;
    return setBufferBounds(buffer_.writable(), Rect::fromPointSize({-offset.x, -offset.y}, size), true);
}

bool AnySurface::copyRect(const RasterSurface& source, const Rect& srcRect, Point destPoint) {
    if (!isValid() || !source.isValid())
        return false;
    Rect from = srcRect;
    if (clipCopy(*source.buffer(), from, *buffer_, destPoint))
        failSafe([&] {
            copyPixels(*source.buffer(), from, *buffer_, destPoint);
            return true;
        });
    return true;
}

bool AnySurface::drawTo(RasterSurface& target, Point destPoint) const {
    if (!isValid() || !target.isValid())
        return false;
    Rect from = bounds();
    if (clipCopy(*buffer_, from, *target.buffer(), destPoint))
        failSafe([&] {
            copyPixels(*buffer_, from, *target.buffer(), destPoint);
            return true;
        });
    return true;
}

bool RasterSurface::copyFrom(const RasterSurface& source) { return copyFrom(source, source.bounds()); }

bool RasterSurface::copyFrom(const RasterSurface& source, const Rect& rect) {
    if (source.isEmpty()) {
        destroy();
        return true;
    }
    if (!source.isValid() || source.buffer_->magic != kSurfaceMagic)
        return false;
    const Rect area = rect.normalized().intersected(source.bounds());
    if (area.isEmpty()) {
        destroy();
        return false;
    }
    return failSafe([&] {
        auto out = createPlainBuffer(area.width(), area.height(), 24);
        if (out)
            copyPixels(*source.buffer_, area, *out, {0, 0});
        destroy(); // source may be this surface: replace only after copying
        if (!out || !accepts(*out))
            return false;
        buffer_ = std::move(out);
        return true;
    });
}

} // namespace pict
