#include "imageops/StackBlur.h"

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

// Working memory of one pass: the ring of 2R + 1 positions and the three running sums per
// lane (the whole window, its incoming half and its outgoing half).
struct PassMemory {
    PassMemory(int32_t radius, int32_t lanes)
        : stack(size_t(2 * radius + 1) * size_t(lanes)), sum(size_t(lanes)), sumIn(size_t(lanes)), sumOut(size_t(lanes)) {}
    std::vector<uint8_t> stack;
    std::vector<uint32_t> sum;
    std::vector<uint32_t> sumIn;
    std::vector<uint32_t> sumOut;
};

// Blurs one line of count positions, each holding `lanes` independent bytes at at(i). The
// result at position i is written once the source bytes from i + R + 1 have been read, so
// the line can be blurred in place.
template <int FixedLanes, class At>
void blurLine(At at, int32_t count, int32_t dynamicLanes, int32_t radius, PassMemory& memory) {
    const int32_t lanes = FixedLanes ? FixedLanes : dynamicLanes;
    const int32_t window = 2 * radius + 1;
    const uint32_t mul = kStackBlurTables.mul[radius];
    const uint32_t shift = kStackBlurTables.shift[radius];
    uint8_t* const stack = memory.stack.data();
    uint32_t* const sum = memory.sum.data();
    uint32_t* const sumIn = memory.sumIn.data();
    uint32_t* const sumOut = memory.sumOut.data();
    const int32_t last = count - 1;

    const uint8_t* first = at(0);
    for (int32_t l = 0; l < lanes; ++l) {
        sum[l] = uint32_t(first[l]) * uint32_t((radius + 1) * (radius + 2) / 2);
        sumOut[l] = uint32_t(first[l]) * uint32_t(radius + 1);
        sumIn[l] = 0;
    }
    for (int32_t i = 0; i <= radius; ++i)
        std::copy(first, first + lanes, stack + int64_t(i) * lanes);
    for (int32_t i = 1; i <= radius; ++i) {
        const uint8_t* p = at(std::min(i, last));
        uint8_t* s = stack + int64_t(radius + i) * lanes;
        const uint32_t weight = uint32_t(radius + 1 - i);
        for (int32_t l = 0; l < lanes; ++l) {
            s[l] = p[l];
            sum[l] += uint32_t(p[l]) * weight;
            sumIn[l] += p[l];
        }
    }

    int32_t top = radius; // ring index of the window's centre
    int32_t read = std::min(radius, last);
    for (int32_t i = 0; i < count; ++i) {
        uint8_t* out = at(i);
        int32_t oldest = top + window - radius;
        if (oldest >= window)
            oldest -= window;
        if (read < last)
            ++read;
        const uint8_t* incoming = at(read);
        uint8_t* slot = stack + int64_t(oldest) * lanes;
        int32_t next = top + 1;
        if (next >= window)
            next = 0;
        const uint8_t* centre = stack + int64_t(next) * lanes;
        for (int32_t l = 0; l < lanes; ++l) {
            out[l] = static_cast<uint8_t>((sum[l] * mul) >> shift);
            sum[l] -= sumOut[l];
            sumOut[l] -= slot[l];
            slot[l] = incoming[l];
            sumIn[l] += incoming[l];
            sum[l] += sumIn[l];
            // The ring moves on: its new centre passes from the incoming to the outgoing half
            // (a different slot from the one just written, as the radius is at least 1).
            sumOut[l] += centre[l];
            sumIn[l] -= centre[l];
        }
        top = next;
    }
}

template <int Channels>
void blurRows(RasterSurface& surface, int32_t radius) {
    PassMemory memory(radius, Channels);
    const int32_t width = surface.width();
    for (int32_t y = 0; y < surface.height(); ++y) {
        uint8_t* row = surface.row(y);
        blurLine<Channels>([row](int32_t i) { return row + int64_t(i) * Channels; }, width, Channels, radius, memory);
    }
}

void blurColumns(RasterSurface& surface, int32_t radius, int channels) {
    const int32_t rowLanes = surface.width() * channels;
    PassMemory memory(radius, std::min(kStripLanes, rowLanes));
    for (int32_t start = 0; start < rowLanes; start += kStripLanes) {
        const int32_t lanes = std::min(kStripLanes, rowLanes - start);
        auto at = [&surface, start](int32_t y) { return surface.row(y) + start; };
        if (lanes == kStripLanes)
            blurLine<kStripLanes>(at, surface.height(), lanes, radius, memory);
        else
            blurLine<0>(at, surface.height(), lanes, radius, memory);
    }
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

} // namespace pict
