#include "selection/MaskStackBlur.h"

#include "surface/PixelThreads.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

namespace pict {

namespace {

constexpr int32_t kMaxRadius = 254;

// mul[R] / 2^shift[R] approximates 1 / (R + 1)^2 from above: the shift keeps the multiplier
// in 257..512, so 255 * (R + 1)^2 * mul[R] stays within 32 bits for every R.
struct BlurDivisor {
    uint32_t mul;
    uint32_t shift;
};

constexpr BlurDivisor divisorFor(int32_t radius) {
    const uint32_t weight = uint32_t(radius + 1) * uint32_t(radius + 1);
    const uint32_t shift = 9 + uint32_t(std::bit_width(weight) - 1);
    const uint64_t scale = uint64_t(1) << shift;
    return {static_cast<uint32_t>((scale + weight - 1) / weight), shift};
}

constexpr std::array<BlurDivisor, kMaxRadius + 1> kDivisors = [] {
    std::array<BlurDivisor, kMaxRadius + 1> table{};
    for (int32_t r = 0; r <= kMaxRadius; ++r)
        table[size_t(r)] = divisorFor(r);
    return table;
}();

static_assert(kDivisors[0].mul == 512 && kDivisors[0].shift == 9);
static_assert(kDivisors[2].mul == 456 && kDivisors[2].shift == 12);
static_assert(kDivisors[5].mul == 456 && kDivisors[5].shift == 14);
static_assert(kDivisors[254].mul == 259 && kDivisors[254].shift == 24);

// One line of samples (stride apart) blurred through the running sums; `line` is a copy of
// the original samples.
void blurLine(uint8_t* out, int64_t outStep, const uint8_t* line, int32_t count, int32_t radius, BlurDivisor d) {
    uint32_t sum = 0;
    uint32_t sumIn = 0;
    uint32_t sumOut = 0;
    auto at = [&](int32_t i) { return uint32_t(line[std::clamp(i, 0, count - 1)]); };
    for (int32_t k = -radius; k <= 0; ++k) {
        sum += uint32_t(radius + 1 + k) * at(k);
        sumOut += at(k);
    }
    for (int32_t k = 1; k <= radius; ++k) {
        sum += uint32_t(radius + 1 - k) * at(k);
        sumIn += at(k);
    }
    for (int32_t x = 0; x < count; ++x) {
        out[int64_t(x) * outStep] = static_cast<uint8_t>((sum * d.mul) >> d.shift);
        // Slide the window on by one: the leaving half loses its oldest sample, the
        // entering half gains the next one, and the centre moves from one half to the other.
        sum -= sumOut;
        sumOut -= at(x - radius);
        sumIn += at(x + radius + 1);
        sum += sumIn;
        sumIn -= at(x + 1);
        sumOut += at(x + 1);
    }
}

} // namespace

bool stackBlurMask(Surface8& surface, int32_t radius) {
    if (!surface.isValid())
        return false;
    radius = std::min(radius, kMaxRadius);
    if (radius <= 0)
        return true;
    const BlurDivisor divisor = kDivisors[size_t(radius)];
    const int32_t width = surface.width();
    const int32_t height = surface.height();
    try {
        // Rows, then columns, are independent lines: strips of them run on several threads,
        // each with its own line buffers.
        std::vector<uint8_t> blurred(size_t(width) * size_t(height));
        forEachStrip(0, height, width, [&](int32_t top, int32_t bottom) {
            std::vector<uint8_t> line(static_cast<size_t>(width));
            for (int32_t y = top; y < bottom; ++y) {
                std::memcpy(line.data(), surface.row(y), size_t(width));
                blurLine(blurred.data() + size_t(y) * size_t(width), 1, line.data(), width, radius, divisor);
            }
        });
        // Columns are blurred from the row-blurred copy straight back into the surface.
        forEachStrip(0, width, height, [&](int32_t left, int32_t right) {
            std::vector<uint8_t> line(static_cast<size_t>(height));
            std::vector<uint8_t> column(static_cast<size_t>(height), 0);
            for (int32_t x = left; x < right; ++x) {
                for (int32_t y = 0; y < height; ++y)
                    column[size_t(y)] = blurred[size_t(y) * size_t(width) + size_t(x)];
                blurLine(line.data(), 1, column.data(), height, radius, divisor);
                for (int32_t y = 0; y < height; ++y)
                    surface.row(y)[x] = line[size_t(y)];
            }
        });
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

} // namespace pict
