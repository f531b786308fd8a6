#include "surface/StackBlur.h"

#include "surface/PixelThreads.h"
#include "surface/RewrittenRows.h"

#include <algorithm>
#include <new>
#include <vector>

namespace pict {
namespace {

using stack_blur_detail::mulFor;
using stack_blur_detail::shiftFor;
static_assert(mulFor(0) == 512 && mulFor(1) == 512 && mulFor(2) == 456 && mulFor(3) == 512 && mulFor(4) == 328 &&
              mulFor(5) == 456);
static_assert(shiftFor(0) == 9 && shiftFor(1) == 11 && shiftFor(2) == 12 && shiftFor(3) == 13 && shiftFor(4) == 13 &&
              shiftFor(5) == 14);
static_assert(mulFor(254) == 259 && shiftFor(254) == 24);
static_assert(uint64_t(255) * 255 * 255 * 259 <= UINT32_MAX);

// Columns are blurred in strips of this many bytes per row, so that the window of the
// column pass stays in cache while it walks down the image.
constexpr int32_t kStripLanes = 192;

// The sums of one line: the whole window, its incoming half and its outgoing half, per lane.
// They live on the stack of blurLine, so that nothing the line writes can touch them: a few
// lanes stay in registers and a strip's lanes vectorise.
template <int MaxLanes>
struct LaneSums {
    uint32_t sum[MaxLanes];
    uint32_t in[MaxLanes];
    uint32_t out[MaxLanes];
};

// One step of every lane: writes the result, then moves the window on by one position
// (the oldest ring entry leaves, the incoming byte enters, the new centre passes from the
// incoming half to the outgoing one). out and incoming are different positions and slot
// and centre different ring entries, as the radius is at least 1.
template <int FixedLanes, int MaxLanes>
inline void stepLanes(int32_t dynamicLanes, uint32_t mul, uint32_t shift, uint8_t* __restrict out,
                      const uint8_t* __restrict incoming, uint8_t* __restrict slot, const uint8_t* __restrict centre,
                      LaneSums<MaxLanes>& __restrict s) {
    const int32_t lanes = FixedLanes ? FixedLanes : dynamicLanes;
    // A pixel's few channels are unrolled, so that their sums stay in registers.
#pragma GCC unroll 4
    for (int32_t l = 0; l < lanes; ++l) {
        out[l] = static_cast<uint8_t>((s.sum[l] * mul) >> shift);
        s.sum[l] -= s.out[l];
        s.out[l] -= slot[l];
        slot[l] = incoming[l];
        s.in[l] += incoming[l];
        s.sum[l] += s.in[l];
        s.out[l] += centre[l];
        s.in[l] -= centre[l];
    }
}

// Blurs one line of count positions, each holding `lanes` independent bytes at at(i), using
// `stack` as the ring of 2R + 1 positions. The result at position i is written once the
// source bytes from i + R + 1 have been read, so the line can be blurred in place.
template <int FixedLanes, int MaxLanes, class At>
void blurLine(At at, int32_t count, int32_t dynamicLanes, int32_t radius, uint8_t* stack) {
    const int32_t lanes = FixedLanes ? FixedLanes : dynamicLanes;
    const int32_t window = 2 * radius + 1;
    const uint32_t mul = kStackBlurTables.mul[radius];
    const uint32_t shift = kStackBlurTables.shift[radius];
    const int32_t last = count - 1;
    LaneSums<MaxLanes> sums;

    const uint8_t* first = at(0);
    for (int32_t l = 0; l < lanes; ++l) {
        sums.sum[l] = uint32_t(first[l]) * uint32_t((radius + 1) * (radius + 2) / 2);
        sums.out[l] = uint32_t(first[l]) * uint32_t(radius + 1);
        sums.in[l] = 0;
    }
    for (int32_t i = 0; i <= radius; ++i)
        std::copy(first, first + lanes, stack + int64_t(i) * lanes);
    for (int32_t i = 1; i <= radius; ++i) {
        const uint8_t* p = at(std::min(i, last));
        uint8_t* ring = stack + int64_t(radius + i) * lanes;
        const uint32_t weight = uint32_t(radius + 1 - i);
        for (int32_t l = 0; l < lanes; ++l) {
            ring[l] = p[l];
            sums.sum[l] += uint32_t(p[l]) * weight;
            sums.in[l] += p[l];
        }
    }

    int32_t top = radius; // ring index of the window's centre
    int32_t read = std::min(radius, last);
    for (int32_t i = 0; i < last; ++i) {
        int32_t oldest = top + window - radius;
        if (oldest >= window)
            oldest -= window;
        if (read < last)
            ++read;
        int32_t next = top + 1;
        if (next >= window)
            next = 0;
        stepLanes<FixedLanes>(lanes, mul, shift, at(i), at(read), stack + int64_t(oldest) * lanes,
                              stack + int64_t(next) * lanes, sums);
        top = next;
    }
    // The last position needs only its result.
    uint8_t* out = at(last);
    for (int32_t l = 0; l < lanes; ++l)
        out[l] = static_cast<uint8_t>((sums.sum[l] * mul) >> shift);
}

// Every row is its own line, so strips of rows run on several threads.
template <int Channels>
void blurRows(RasterSurface& surface, int32_t radius) {
    const int32_t width = surface.width();
    // Each row is blurred in place after rewriteRows copied it in (when the old pixels are
    // shared with the undo), with a small ring of its own per call.
    rewriteRows(surface, 0, surface.height(), width, [&](uint8_t* row, int32_t) {
        uint8_t stack[size_t(2 * kStackBlurMaxRadius + 1) * Channels];
        blurLine<Channels, Channels>([row](int32_t i) { return row + int64_t(i) * Channels; }, width, Channels,
                                     radius, stack);
    });
}

// Every strip of columns is its own set of lines, so groups of strips run on several threads.
void blurColumns(RasterSurface& surface, int32_t radius, int channels) {
    const int32_t rowLanes = surface.width() * channels;
    const int32_t strips = (rowLanes + kStripLanes - 1) / kStripLanes;
    surface.ensureOwnPixels();
    forEachStrip(0, strips, int64_t(kStripLanes / channels) * surface.height(), [&](int32_t first, int32_t end) {
        std::vector<uint8_t> stack(size_t(2 * radius + 1) * size_t(std::min(kStripLanes, rowLanes)));
        for (int32_t strip = first; strip < end; ++strip) {
            const int32_t start = strip * kStripLanes;
            const int32_t lanes = std::min(kStripLanes, rowLanes - start);
            auto at = [&surface, start](int32_t y) { return surface.row(y) + start; };
            if (lanes == kStripLanes)
                blurLine<kStripLanes, kStripLanes>(at, surface.height(), lanes, radius, stack.data());
            else
                blurLine<0, kStripLanes>(at, surface.height(), lanes, radius, stack.data());
        }
    });
}

template <int Channels>
bool blurSurface(RasterSurface& surface, int32_t radiusX, int32_t radiusY) {
    if (!surface.isValid() || surface.depth() != Channels * 8)
        return false;
    radiusX = std::clamp(radiusX, 0, kStackBlurMaxRadius);
    radiusY = std::clamp(radiusY, 0, kStackBlurMaxRadius);
    try {
        if (radiusX > 0)
            blurRows<Channels>(surface, radiusX);
        if (radiusY > 0)
            blurColumns(surface, radiusY, Channels);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

} // namespace

bool stackBlur(Surface24& surface, int32_t radiusX, int32_t radiusY) { return blurSurface<3>(surface, radiusX, radiusY); }

bool stackBlur(Surface8& surface, int32_t radiusX, int32_t radiusY) { return blurSurface<1>(surface, radiusX, radiusY); }

int32_t stackBlurPadding(double radius) {
    const double reach = 2.7 * radius;
    const auto padding = static_cast<int32_t>(reach);
    return reach - padding > 0.0001 ? padding + 1 : padding;
}

} // namespace pict
