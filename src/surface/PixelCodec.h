#pragma once
// Raw pixel values of every depth, for the code inside the surface library that must treat
// all depths alike (canvas changes, drawing, conversions). A raw value is what one pixel
// stores: a palette index (1, 4, 8 bits), the 16-bit word, 0x00RRGGBB from the three bytes
// of a 24-bit pixel, or the 32-bit word. Colors are 0xAARRGGBB words.
//
// Nothing here checks coordinates: callers clip first.

#include "common/Geometry.h"
#include "surface/SurfaceBuffer.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

namespace pict {

inline uint32_t rawAt(const uint8_t* row, int depth, int32_t x) {
    switch (depth) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
        return (x & 1) ? row[x >> 1] & 0x0Fu : row[x >> 1] >> 4;
    case 8:
        return row[x];
    case 16:
        return uint32_t(row[2 * int64_t(x)]) | uint32_t(row[2 * int64_t(x) + 1]) << 8;
    case 24: {
        const uint8_t* p = row + 3 * int64_t(x);
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    }
    case 32: {
        uint32_t v;
        std::memcpy(&v, row + 4 * int64_t(x), 4);
        return v;
    }
    default:
        return 0;
    }
}

inline void setRawAt(uint8_t* row, int depth, int32_t x, uint32_t raw) {
    switch (depth) {
    case 1: {
        const uint8_t bit = uint8_t(0x80u >> (x & 7));
        row[x >> 3] = raw ? uint8_t(row[x >> 3] | bit) : uint8_t(row[x >> 3] & ~bit);
        return;
    }
    case 4:
        row[x >> 1] = (x & 1) ? uint8_t((row[x >> 1] & 0xF0) | (raw & 0x0F))
                              : uint8_t((row[x >> 1] & 0x0F) | ((raw & 0x0F) << 4));
        return;
    case 8:
        row[x] = uint8_t(raw);
        return;
    case 16:
        row[2 * int64_t(x)] = uint8_t(raw);
        row[2 * int64_t(x) + 1] = uint8_t(raw >> 8);
        return;
    case 24: {
        uint8_t* p = row + 3 * int64_t(x);
        p[0] = uint8_t(raw);
        p[1] = uint8_t(raw >> 8);
        p[2] = uint8_t(raw >> 16);
        return;
    }
    case 32:
        std::memcpy(row + 4 * int64_t(x), &raw, 4);
        return;
    default:
        return;
    }
}

// Writes raw into pixels x .. x + count - 1 of the row.
void fillRawRun(uint8_t* row, int depth, int32_t x, int32_t count, uint32_t raw);

// Copies count pixels between rows of the same depth (the ranges may overlap).
void copyRawRun(const uint8_t* source, int32_t sourceX, uint8_t* dest, int32_t destX, int32_t count, int depth);

// One channel (kRed .. kAlpha) of a bit-field word as 8 bits: ((word & mask) >> shift) << loss.
uint32_t maskedChannel(const SurfaceBuffer& buffer, uint32_t word, int channel);

// The color of a raw value: palette entry, 16-bit fields widened by their loss (alpha 255
// unless the buffer has an alpha mask), 24-bit with alpha 255, 32-bit as stored.
uint32_t colorOfRaw(const SurfaceBuffer& buffer, uint32_t raw);
// The raw value that stores a color: the nearest palette entry, the 16-bit fields by the
// buffer's masks, the 24-bit bytes, or the 32-bit word.
uint32_t rawOfColor(const SurfaceBuffer& buffer, uint32_t color);

// A drawing color 0x00BBGGRR as a pixel color 0xFFRRGGBB.
constexpr uint32_t colorOfColorRef(uint32_t colorRef) {
    return 0xFF000000u | (colorRef & 0xFFu) << 16 | (colorRef & 0xFF00u) | (colorRef >> 16 & 0xFFu);
}

// Nearest palette entry by squared distance over blue, green and red; an exact match wins
// at once, ties keep the lower index. Entries are searched outward from the color's green
// value and a small cache remembers recent answers, so mapping whole images stays fast.
class NearestPaletteIndex {
public:
    // lookups: about how many colors will be asked for, which sizes the cache (up to 32768
    // answers): clearing a cache larger than the picture cost small pictures most of their
    // time. The answers do not depend on it.
    NearestPaletteIndex(const ColorTable& palette, int64_t lookups);
    int32_t operator()(uint32_t color);

private:
    struct Entry {
        int32_t b, g, r, index;
    };
    std::vector<Entry> sorted_; // by green, then index
    int cacheBits_;
    std::vector<uint32_t> cacheKey_;
    std::vector<int32_t> cacheIndex_;
};

// A buffer of the same depth, masks, palette, flags and resolution as model but of the given
// size, all pixels zero; null when memory runs out or the size is refused.
std::unique_ptr<SurfaceBuffer> createBufferLike(const SurfaceBuffer& model, int32_t width, int32_t height);
// A fresh buffer of a depth with its default palette (and 5-5-5 masks for 16 bits).
std::unique_ptr<SurfaceBuffer> createPlainBuffer(int32_t width, int32_t height, int depth);

// Copies a rectangle of source pixels (already clipped to both) from one buffer into
// another, converting depths through colors; equal depths with equal palettes copy raw.
void copyPixels(const SurfaceBuffer& source, const Rect& sourceRect, SurfaceBuffer& dest, Point destPoint);

// Runs an operation that may allocate; an allocation failure becomes false.
template <class Fn>
bool failSafe(Fn&& fn) {
    try {
        return fn();
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

} // namespace pict
