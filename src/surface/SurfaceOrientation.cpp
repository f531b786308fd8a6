// Reorientation: quarter and half turns, mirror, flip, transpose and transverse. The byte-
// aligned depths share one template per operation over the pixel size; quarter turns,
// transpose and transverse go through one blocked transposition.
#include "surface/PixelCodec.h"
#include "surface/PixelThreads.h"
#include "surface/RasterSurface.h"

#include <algorithm>
#include <cstring>

namespace pict {

namespace {

template <int Bytes>
inline void copyPixel(uint8_t* d, const uint8_t* s) {
    if constexpr (Bytes == 1) {
        d[0] = s[0];
    } else if constexpr (Bytes == 3) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
    } else {
        std::memcpy(d, s, Bytes);
    }
}

template <int Bytes>
inline void swapPixels(uint8_t* a, uint8_t* b) {
    uint8_t t[Bytes];
    copyPixel<Bytes>(t, a);
    copyPixel<Bytes>(a, b);
    copyPixel<Bytes>(b, t);
}

// Destination row Y is source column (reverseColumns ? W - 1 - Y : Y); destination column X
// is source row (reverseRows ? H - 1 - X : X). The source is walked in bands of rows so that
// every cache line fetched from a source row serves several destination rows in a row.
template <int Bytes>
void transposeInto(const SurfaceBuffer& src, SurfaceBuffer& dst, bool reverseColumns, bool reverseRows) {
    constexpr int32_t kBand = 32;
    const int32_t w = src.width();
    const int32_t h = src.height();
    // Each band writes its own columns of the destination, so bands run on several threads.
    const int32_t bands = (h + kBand - 1) / kBand;
    forEachStrip(0, bands, int64_t(kBand) * w, [&](int32_t firstBand, int32_t endBand) {
        const uint8_t* band[kBand];
        for (int32_t x0 = firstBand * kBand; x0 < std::min(h, endBand * kBand); x0 += kBand) {
            const int32_t n = std::min(kBand, h - x0);
            for (int32_t k = 0; k < n; ++k)
                band[k] = src.row(reverseRows ? h - 1 - (x0 + k) : x0 + k);
            for (int32_t y = 0; y < w; ++y) {
                uint8_t* d = dst.row(y) + int64_t(x0) * Bytes;
                const int64_t offset = int64_t(reverseColumns ? w - 1 - y : y) * Bytes;
                for (int32_t k = 0; k < n; ++k)
                    copyPixel<Bytes>(d + int64_t(k) * Bytes, band[k] + offset);
            }
        }
    });
}

template <int Bytes>
void mirrorRows(SurfaceBuffer& b) {
    const int32_t w = b.width();
    forEachStrip(0, b.height(), w, [&](int32_t top, int32_t bottom) {
        for (int32_t y = top; y < bottom; ++y) {
            uint8_t* row = b.row(y);
            for (int32_t x = 0; x < w / 2; ++x)
                swapPixels<Bytes>(row + int64_t(x) * Bytes, row + int64_t(w - 1 - x) * Bytes);
        }
    });
}

void mirrorSubByte(SurfaceBuffer& b) {
    const int depth = b.depth();
    const int32_t w = b.width();
    for (int32_t y = 0; y < b.height(); ++y) {
        uint8_t* row = b.row(y);
        for (int32_t x = 0; x < w / 2; ++x) {
            const uint32_t left = rawAt(row, depth, x);
            setRawAt(row, depth, x, rawAt(row, depth, w - 1 - x));
            setRawAt(row, depth, w - 1 - x, left);
        }
    }
}

bool mirrorBuffer(SurfaceBuffer& b) {
    switch (b.depth()) {
    case 1:
    case 4:
        mirrorSubByte(b);
        return true;
    case 8:
        mirrorRows<1>(b);
        return true;
    case 16:
        mirrorRows<2>(b);
        return true;
    case 24:
        mirrorRows<3>(b);
        return true;
    case 32:
        mirrorRows<4>(b);
        return true;
    default:
        return false;
    }
}

// Whole rows change places, so every depth flips the same way.
void flipBuffer(SurfaceBuffer& b) {
    const size_t bytes = size_t(b.stride());
    const int32_t height = b.height();
    // Row y of the upper half trades places with its mirror row; the pairs are independent.
    forEachStrip(0, height / 2, 2 * int64_t(b.width()), [&](int32_t first, int32_t end) {
        for (int32_t top = first; top < end; ++top)
            std::swap_ranges(b.row(top), b.row(top) + bytes, b.row(height - 1 - top));
    });
}

bool isValidBuffer(const std::unique_ptr<SurfaceBuffer>& b) { return b && b->magic == kSurfaceMagic; }

enum class Turn { Clockwise, CounterClockwise, Transpose, Transverse };

// A new buffer holding src turned; null for a depth that cannot turn or when memory runs out.
std::unique_ptr<SurfaceBuffer> turnedBuffer(const SurfaceBuffer& src, Turn turn) {
    const int depth = src.depth();
    if (depth != 8 && depth != 16 && depth != 24 && depth != 32)
        return nullptr;
    auto out = createBufferLike(src, src.height(), src.width());
    if (!out)
        return nullptr;
    std::swap(out->section.header.xPelsPerMeter, out->section.header.yPelsPerMeter);
    const bool reverseColumns = turn == Turn::CounterClockwise || turn == Turn::Transverse;
    const bool reverseRows = turn == Turn::Clockwise || turn == Turn::Transverse;
    switch (depth) {
    case 8:
        transposeInto<1>(src, *out, reverseColumns, reverseRows);
        break;
    case 16:
        transposeInto<2>(src, *out, reverseColumns, reverseRows);
        break;
    case 24:
        transposeInto<3>(src, *out, reverseColumns, reverseRows);
        break;
    default:
        transposeInto<4>(src, *out, reverseColumns, reverseRows);
        break;
    }
    return out;
}

// Allocates the turned buffer and fills it; the old buffer is kept when that fails.
bool turnBuffer(std::unique_ptr<SurfaceBuffer>& buffer, Turn turn) {
    if (!isValidBuffer(buffer))
        return false;
    auto out = turnedBuffer(*buffer, turn);
    if (!out)
        return false;
    buffer = std::move(out);
    return true;
}

// Destination row y is source row (reverseRows ? h - 1 - y : y), its pixels in reverse order
// when reverseColumns: a reflected or half-turned copy written in one pass.
template <int Bytes>
void reflectInto(const SurfaceBuffer& src, SurfaceBuffer& dst, bool reverseColumns, bool reverseRows) {
    const int32_t w = src.width();
    const int32_t h = src.height();
    const size_t rowBytes = size_t(w) * Bytes;
    forEachStrip(0, h, w, [&](int32_t top, int32_t bottom) {
        for (int32_t y = top; y < bottom; ++y) {
            const uint8_t* s = src.row(reverseRows ? h - 1 - y : y);
            uint8_t* d = dst.row(y);
            if (!reverseColumns) {
                std::memcpy(d, s, rowBytes);
                continue;
            }
            for (int32_t x = 0; x < w; ++x)
                copyPixel<Bytes>(d + int64_t(x) * Bytes, s + int64_t(w - 1 - x) * Bytes);
        }
    });
}

// A new buffer holding src reflected; sub-byte depths are copied and then reflected in place.
std::unique_ptr<SurfaceBuffer> reflectedBuffer(const SurfaceBuffer& src, bool reverseColumns, bool reverseRows) {
    auto out = createBufferLike(src, src.width(), src.height());
    if (!out)
        return nullptr;
    switch (src.depth()) {
    case 8:
        reflectInto<1>(src, *out, reverseColumns, reverseRows);
        return out;
    case 16:
        reflectInto<2>(src, *out, reverseColumns, reverseRows);
        return out;
    case 24:
        reflectInto<3>(src, *out, reverseColumns, reverseRows);
        return out;
    case 32:
        reflectInto<4>(src, *out, reverseColumns, reverseRows);
        return out;
    default:
        break;
    }
    const size_t rowBytes = size_t(src.stride());
    for (int32_t y = 0; y < src.height(); ++y)
        std::memcpy(out->row(y), src.row(y), rowBytes);
    if (reverseColumns && !mirrorBuffer(*out))
        return nullptr;
    if (reverseRows)
        flipBuffer(*out);
    return out;
}

bool halfTurnBuffer(std::unique_ptr<SurfaceBuffer>& buffer) {
    if (!isValidBuffer(buffer) || !mirrorBuffer(*buffer))
        return false;
    flipBuffer(*buffer);
    return true;
}

} // namespace

bool AnySurface::rotate180() { return halfTurnBuffer(buffer_.writable()); }

bool AnySurface::orientedInto(RasterSurface& target, Orientation how) const {
    if (!isValidBuffer(buffer_.owner()))
        return false;
    std::unique_ptr<SurfaceBuffer> out;
    switch (how) {
    case Orientation::Clockwise:
        out = turnedBuffer(*buffer_, Turn::Clockwise);
        break;
    case Orientation::CounterClockwise:
        out = turnedBuffer(*buffer_, Turn::CounterClockwise);
        break;
    case Orientation::HalfTurn:
        out = reflectedBuffer(*buffer_, true, true);
        break;
    case Orientation::Mirrored:
        out = reflectedBuffer(*buffer_, true, false);
        break;
    case Orientation::Flipped:
        out = reflectedBuffer(*buffer_, false, true);
        break;
    }
    return out && target.attach(std::move(out));
}
bool AnySurface::rotate90Clockwise() { return turnBuffer(buffer_.writable(), Turn::Clockwise); }
bool AnySurface::rotate90CounterClockwise() { return turnBuffer(buffer_.writable(), Turn::CounterClockwise); }
bool AnySurface::transpose() { return turnBuffer(buffer_.writable(), Turn::Transpose); }
bool AnySurface::transverse() { return turnBuffer(buffer_.writable(), Turn::Transverse); }
bool AnySurface::mirror() { return isValidBuffer(buffer_.owner()) && mirrorBuffer(*buffer_); }
bool AnySurface::flip() {
    if (!isValid())
        return false;
    flipBuffer(*buffer_);
    return true;
}

bool Surface4::mirror() { return isValid() && mirrorBuffer(*buffer_); }
bool Surface4::flip() { return AnySurface::flip(); }

bool Surface8::rotate180() { return isValid() && halfTurnBuffer(buffer_.writable()); }
bool Surface8::rotate90Clockwise() { return isValid() && turnBuffer(buffer_.writable(), Turn::Clockwise); }
bool Surface8::rotate90CounterClockwise() { return isValid() && turnBuffer(buffer_.writable(), Turn::CounterClockwise); }
bool Surface8::mirror() { return isValid() && mirrorBuffer(*buffer_); }
bool Surface8::flip() { return AnySurface::flip(); }

bool Surface24::rotate180() { return isValid() && halfTurnBuffer(buffer_.writable()); }
bool Surface24::rotate90Clockwise() { return isValid() && turnBuffer(buffer_.writable(), Turn::Clockwise); }
bool Surface24::rotate90CounterClockwise() { return isValid() && turnBuffer(buffer_.writable(), Turn::CounterClockwise); }
bool Surface24::mirror() { return isValid() && mirrorBuffer(*buffer_); }
bool Surface24::transpose() { return isValid() && turnBuffer(buffer_.writable(), Turn::Transpose); }
bool Surface24::transverse() { return isValid() && turnBuffer(buffer_.writable(), Turn::Transverse); }

} // namespace pict
