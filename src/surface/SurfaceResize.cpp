// Stretching a surface to a new size. The plain stretch takes one source pixel for every
// destination pixel (nearest pixel centre) and never mixes colors. The smooth stretch is
// separable: per axis it averages the covered source area when shrinking and interpolates
// linearly between the two nearest pixel centres when enlarging.
#include "surface/PixelCodec.h"
#include "surface/PixelThreads.h"
#include "surface/RasterSurface.h"

#include <algorithm>

namespace pict {

namespace {

constexpr int32_t kWeightBits = 14;
constexpr int32_t kWeightOne = 1 << kWeightBits;

// For every destination position along one axis: the first source position and `taps`
// weights summing to kWeightOne. Every position uses the same number of taps (unused ones
// weigh 0) so the loops over them can be unrolled.
struct AxisWeights {
    int32_t taps = 0;
    std::vector<int32_t> first;
    std::vector<int32_t> weights; // taps per destination position
};

AxisWeights shrinkWeights(int32_t src, int32_t dst) {
    // In units of 1/dst source pixels, destination pixel X covers [X*src, (X+1)*src) and
    // source pixel i covers [i*dst, (i+1)*dst).
    std::vector<std::vector<int32_t>> lists(static_cast<size_t>(dst));
    std::vector<int32_t> firsts(static_cast<size_t>(dst));
    int32_t taps = 1;
    for (int32_t x = 0; x < dst; ++x) {
        const int64_t lo = int64_t(x) * src, hi = int64_t(x + 1) * src;
        const int32_t first = int32_t(lo / dst), last = int32_t((hi - 1) / dst);
        auto& list = lists[size_t(x)];
        int32_t sum = 0;
        size_t largest = 0;
        for (int32_t i = first; i <= last; ++i) {
            const int64_t overlap = std::min(hi, int64_t(i + 1) * dst) - std::max(lo, int64_t(i) * dst);
            const int32_t w = int32_t((overlap * kWeightOne + src / 2) / src);
            list.push_back(w);
            sum += w;
            if (w > list[largest])
                largest = list.size() - 1;
        }
        list[largest] += kWeightOne - sum; // rounding must not change the total
        firsts[size_t(x)] = first;
        taps = std::max(taps, int32_t(list.size()));
    }
    AxisWeights axis;
    axis.taps = taps;
    axis.first.resize(size_t(dst));
    axis.weights.assign(size_t(dst) * size_t(taps), 0);
    for (int32_t x = 0; x < dst; ++x) {
        const auto& list = lists[size_t(x)];
        const int32_t first = std::min(firsts[size_t(x)], src - taps);
        const int32_t skip = firsts[size_t(x)] - first;
        axis.first[size_t(x)] = first;
        for (size_t k = 0; k < list.size(); ++k)
            axis.weights[size_t(x) * size_t(taps) + size_t(skip) + k] = list[k];
    }
    return axis;
}

AxisWeights enlargeWeights(int32_t src, int32_t dst) {
    AxisWeights axis;
    axis.taps = src > 1 ? 2 : 1;
    axis.first.resize(size_t(dst));
    axis.weights.assign(size_t(dst) * size_t(axis.taps), 0);
    for (int32_t x = 0; x < dst; ++x) {
        // Source position of the destination pixel centre: (x + 0.5) * src / dst - 0.5.
        const int64_t numerator = (2 * int64_t(x) + 1) * src - dst;
        int64_t p = numerator * kWeightOne / (2 * int64_t(dst));
        if (numerator < 0)
            p = 0;
        int32_t i = int32_t(p >> kWeightBits);
        int32_t f = int32_t(p & (kWeightOne - 1));
        if (i >= src - 1) {
            i = src - 1;
            f = 0;
        }
        int32_t* w = &axis.weights[size_t(x) * size_t(axis.taps)];
        if (axis.taps == 1) {
            axis.first[size_t(x)] = 0;
            w[0] = kWeightOne;
        } else if (i == src - 1) {
            axis.first[size_t(x)] = i - 1;
            w[1] = kWeightOne;
        } else {
            axis.first[size_t(x)] = i;
            w[0] = kWeightOne - f;
            w[1] = f;
        }
    }
    return axis;
}

AxisWeights axisWeights(int32_t src, int32_t dst) { return dst < src ? shrinkWeights(src, dst) : enlargeWeights(src, dst); }

// One source row resampled horizontally into 16-bit values with 8 fractional bits.
template <int Channels, int Taps>
void resampleRow(const uint8_t* s, uint16_t* out, const AxisWeights& axis, int32_t dstWidth) {
    const int32_t taps = Taps > 0 ? Taps : axis.taps;
    const int32_t* w = axis.weights.data();
    for (int32_t x = 0; x < dstWidth; ++x, w += taps, out += Channels) {
        const uint8_t* p = s + int64_t(axis.first[size_t(x)]) * Channels;
        uint32_t acc[Channels] = {};
        for (int32_t k = 0; k < taps; ++k)
            for (int c = 0; c < Channels; ++c)
                acc[c] += uint32_t(w[k]) * p[k * Channels + c];
        for (int c = 0; c < Channels; ++c)
            out[c] = uint16_t((acc[c] + 32) >> 6);
    }
}

template <int Channels, int Taps>
void smoothStretch(const SurfaceBuffer& src, SurfaceBuffer& dst) {
    const int32_t dstWidth = dst.width();
    const AxisWeights across = axisWeights(src.width(), dstWidth);
    const AxisWeights down = axisWeights(src.height(), dst.height());
    const size_t values = size_t(dstWidth) * Channels;
    // Strips of destination rows are independent; each keeps its own ring of horizontally
    // resampled source rows (the rows a destination row needs are consecutive and move only
    // forward), so a strip recomputes at most the rows its first output shares with the
    // strip above.
    forEachStrip(0, dst.height(), int64_t(dstWidth) * down.taps, [&](int32_t top, int32_t bottom) {
        const int32_t ring = down.taps;
        std::vector<uint16_t> cache(values * size_t(ring));
        std::vector<int32_t> cachedRow(static_cast<size_t>(ring), -1);
        std::vector<uint32_t> acc(values);
        for (int32_t y = top; y < bottom; ++y) {
            std::fill(acc.begin(), acc.end(), 0u);
            const int32_t* w = &down.weights[size_t(y) * size_t(down.taps)];
            for (int32_t k = 0; k < down.taps; ++k) {
                if (w[k] == 0)
                    continue;
                const int32_t sy = down.first[size_t(y)] + k;
                const size_t slot = size_t(sy % ring);
                uint16_t* line = cache.data() + slot * values;
                if (cachedRow[slot] != sy) {
                    resampleRow<Channels, Taps>(src.row(sy), line, across, dstWidth);
                    cachedRow[slot] = sy;
                }
                const uint32_t weight = uint32_t(w[k]);
                for (size_t i = 0; i < values; ++i)
                    acc[i] += weight * line[i];
            }
            uint8_t* out = dst.row(y);
            for (size_t i = 0; i < values; ++i)
                out[i] = uint8_t((acc[i] + (1u << 21)) >> 22);
        }
    });
}

template <int Channels>
void smoothStretchChannels(const SurfaceBuffer& src, SurfaceBuffer& dst) {
    const int32_t taps = axisWeights(src.width(), dst.width()).taps;
    switch (taps) {
    case 1:
        return smoothStretch<Channels, 1>(src, dst);
    case 2:
        return smoothStretch<Channels, 2>(src, dst);
    case 3:
        return smoothStretch<Channels, 3>(src, dst);
    case 4:
        return smoothStretch<Channels, 4>(src, dst);
    default:
        return smoothStretch<Channels, 0>(src, dst);
    }
}

template <int Bytes>
void plainStretchRows(const SurfaceBuffer& src, SurfaceBuffer& dst, const std::vector<int32_t>& columns,
                      const std::vector<int32_t>& rows) {
    const size_t rowBytes = size_t(dst.width()) * Bytes;
    forEachStrip(0, dst.height(), dst.width(), [&](int32_t top, int32_t bottom) {
        for (int32_t y = top; y < bottom; ++y) {
            uint8_t* d = dst.row(y);
            // Enlarging repeats source rows: a repeated row is a copy of the one just made
            // (in this strip; the row above a strip may still be in the making).
            if (y > top && rows[size_t(y)] == rows[size_t(y) - 1]) {
                std::memcpy(d, dst.row(y - 1), rowBytes);
                continue;
            }
            const uint8_t* s = src.row(rows[size_t(y)]);
            for (int32_t x = 0; x < dst.width(); ++x, d += Bytes)
                std::memcpy(d, s + int64_t(columns[size_t(x)]) * Bytes, Bytes);
        }
    });
}

// The source pixel whose centre is nearest to each destination pixel centre.
std::vector<int32_t> nearestPositions(int32_t src, int32_t dst) {
    std::vector<int32_t> positions(static_cast<size_t>(dst));
    for (int32_t x = 0; x < dst; ++x)
        positions[size_t(x)] = int32_t((2 * int64_t(x) + 1) * src / (2 * int64_t(dst)));
    return positions;
}

void plainStretch(const SurfaceBuffer& src, SurfaceBuffer& dst) {
    const auto columns = nearestPositions(src.width(), dst.width());
    const auto rows = nearestPositions(src.height(), dst.height());
    switch (src.depth()) {
    case 8:
        return plainStretchRows<1>(src, dst, columns, rows);
    case 16:
        return plainStretchRows<2>(src, dst, columns, rows);
    case 24:
        return plainStretchRows<3>(src, dst, columns, rows);
    case 32:
        return plainStretchRows<4>(src, dst, columns, rows);
    default:
        for (int32_t y = 0; y < dst.height(); ++y)
            for (int32_t x = 0; x < dst.width(); ++x)
                setRawAt(dst.row(y), dst.depth(), x, rawAt(src.row(rows[size_t(y)]), src.depth(), columns[size_t(x)]));
    }
}

bool isGrayRamp(const ColorTable& palette) {
    if (palette.count() != 256)
        return false;
    for (uint32_t i = 0; i < 256; ++i)
        if ((palette.at(int32_t(i)) & 0xFFFFFFu) != (i << 16 | i << 8 | i))
            return false;
    return true;
}

std::unique_ptr<SurfaceBuffer> stretchedBuffer(const SurfaceBuffer& src, Size size, bool smooth) {
    auto out = createBufferLike(src, size.width, size.height);
    if (!out)
        return nullptr;
    if (!smooth) {
        plainStretch(src, *out);
        return out;
    }
    switch (src.depth()) {
    case 24:
        smoothStretchChannels<3>(src, *out);
        return out;
    case 32:
        smoothStretchChannels<4>(src, *out);
        return out;
    case 8:
        if (isGrayRamp(src.palette)) { // masks and gray images: the levels themselves mix
            smoothStretchChannels<1>(src, *out);
            return out;
        }
        break;
    default:
        break;
    }
    // Palette and 16-bit pixels mix as colors, then go back to the source's own format.
    auto colors = createPlainBuffer(src.width(), src.height(), 24);
    auto stretched = createPlainBuffer(size.width, size.height, 24);
    if (!colors || !stretched)
        return nullptr;
    copyPixels(src, Rect::fromSize(src.width(), src.height()), *colors, {0, 0});
    smoothStretchChannels<3>(*colors, *stretched);
    copyPixels(*stretched, Rect::fromSize(size), *out, {0, 0});
    return out;
}

} // namespace

bool AnySurface::resizeInto(RasterSurface& target, Size size, bool smooth) const {
    if (!isValid() || size.isEmpty() || &target == this)
        return false;
    return failSafe([&] {
        if (size == this->size()) {
            auto copy = copyBuffer(*buffer_);
            return copy && target.attach(std::move(copy));
        }
        auto out = stretchedBuffer(*buffer_, size, smooth);
        return out && target.attach(std::move(out));
    });
}

bool AnySurface::resize(Size size, bool smooth) {
    if (!isValid() || size.isEmpty())
        return false;
    if (size == this->size())
        return true;
    return failSafe([&] {
        auto out = stretchedBuffer(*buffer_, size, smooth);
        if (!out)
            return false;
        buffer_ = std::move(out);
        return true;
    });
}

} // namespace pict
