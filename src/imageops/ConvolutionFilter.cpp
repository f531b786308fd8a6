#include "imageops/ConvolutionFilter.h"

#include "imageops/CoverageBlend.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace pict {
namespace {

struct FixedKernel {
    FilterKind kind;
    int32_t weights[9];
    int32_t divisor;
    int32_t offset;
};

constexpr FixedKernel kFixedKernels[] = {
    {FilterKind::Blur, {0, 1, 0, 1, 4, 1, 0, 1, 0}, 8, 0},
    {FilterKind::BlurMore, {1, 2, 1, 2, 2, 2, 1, 2, 1}, 14, 0},
    {FilterKind::Sharpen, {0, -1, 0, -1, 8, -1, 0, -1, 0}, 4, 0},
    {FilterKind::SharpenMore, {-1, -1, -1, -1, 12, -1, -1, -1, -1}, 4, 0},
};

// Sums of kernel weights times samples stay well inside 32 bits.
constexpr int64_t kMaxAbsoluteSum = int64_t(1) << 30;
// Above this many possible sums the division is computed instead of looked up.
constexpr int64_t kMaxLookupEntries = int64_t(1) << 20;

// The source rows the output rows need, each padded by radius columns on both sides with
// the border pixels repeated, kept in a ring so the target can be overwritten row by row
// while every output still reads only original pixels.
template <class Surface>
class PaddedRowRing {
public:
    PaddedRowRing(const Surface& source, const Rect& work, int32_t radius, int channels)
        : source_(source), work_(work), radius_(radius), channels_(channels), slots_(2 * radius + 1),
          rowBytes_((int64_t(work.width()) + 2 * radius) * channels),
          storage_(static_cast<size_t>(rowBytes_ * slots_)), window_(static_cast<size_t>(slots_)) {}

    // Makes window()[j] the padded source row y - radius + j, loading only what is new.
    void moveTo(int32_t y) {
        if (y == work_.top) {
            for (int32_t sy = y - radius_; sy <= y + radius_; ++sy)
                load(sy);
        } else {
            load(y + radius_);
        }
        for (int32_t j = 0; j < slots_; ++j)
            window_[static_cast<size_t>(j)] = slot(y - radius_ + j);
    }
    const uint8_t* const* window() const { return window_.data(); }

private:
    uint8_t* slot(int32_t sy) {
        const int64_t index = ((int64_t(sy) - (work_.top - radius_)) % slots_ + slots_) % slots_;
        return storage_.data() + index * rowBytes_;
    }

    void load(int32_t sy) {
        const int32_t width = source_.width();
        const uint8_t* row = source_.row(std::clamp(sy, 0, source_.height() - 1));
        uint8_t* out = slot(sy);
        const int32_t first = work_.left - radius_;
        const int32_t last = work_.right + radius_; // exclusive
        const int32_t copyFrom = std::max(first, 0);
        const int32_t copyTo = std::min(last, width);
        int64_t at = 0;
        for (int32_t x = first; x < copyFrom; ++x, at += channels_)
            std::memcpy(out + at, row, channels_);
        std::memcpy(out + at, row + int64_t(copyFrom) * channels_, size_t(copyTo - copyFrom) * channels_);
        at += int64_t(copyTo - copyFrom) * channels_;
        for (int32_t x = copyTo; x < last; ++x, at += channels_)
            std::memcpy(out + at, row + int64_t(width - 1) * channels_, channels_);
    }

    const Surface& source_;
    Rect work_;
    int32_t radius_;
    int channels_;
    int32_t slots_;
    int64_t rowBytes_;
    std::vector<uint8_t> storage_;
    std::vector<const uint8_t*> window_;
};

// Sum to output byte: (sum / divisor, truncating) + offset, clamped to 0..255.
class SumToByte {
public:
    SumToByte(const std::vector<int32_t>& kernel, int32_t divisor, int32_t offset) : divisor_(divisor), offset_(offset) {
        int64_t low = 0, high = 0;
        for (int32_t w : kernel)
            (w < 0 ? low : high) += int64_t(w) * 255;
        lowest_ = static_cast<int32_t>(low);
        if (high - low + 1 <= kMaxLookupEntries) {
            table_.resize(static_cast<size_t>(high - low + 1));
            for (int64_t s = low; s <= high; ++s)
                table_[static_cast<size_t>(s - low)] = compute(static_cast<int32_t>(s));
        }
    }
    uint8_t operator()(int32_t sum) const {
        return table_.empty() ? compute(sum) : table_[static_cast<size_t>(sum - lowest_)];
    }

private:
    uint8_t compute(int32_t sum) const {
        const int64_t v = int64_t(sum / divisor_) + offset_;
        return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }

    int32_t divisor_;
    int32_t offset_;
    int32_t lowest_ = 0;
    std::vector<uint8_t> table_;
};

enum class MaskRule { None, Rgb, Gray };

// One output row. Size is the kernel size when fixed at compile time, 0 when not.
template <int Channels, int Size, MaskRule Rule>
void convolveRow(uint8_t* out, const uint8_t* const* rows, int32_t width, const int32_t* kernel, int32_t size,
                 const SumToByte& toByte, const uint8_t* mask) {
    const int32_t n = Size ? Size : size;
    for (int32_t x = 0; x < width; ++x) {
        uint8_t m = 255;
        if constexpr (Rule != MaskRule::None) {
            m = mask[x];
            if (m == 0)
                continue;
        }
        for (int c = 0; c < Channels; ++c) {
            int32_t sum = 0;
            for (int32_t j = 0; j < n; ++j) {
                const uint8_t* src = rows[j] + int64_t(x) * Channels + c;
                const int32_t* k = kernel + j * n;
                for (int32_t i = 0; i < n; ++i)
                    sum += k[i] * src[i * Channels];
            }
            const int32_t fresh = toByte(sum);
            uint8_t* dest = out + int64_t(x) * Channels + c;
            if constexpr (Rule == MaskRule::None) {
                *dest = static_cast<uint8_t>(fresh);
            } else {
                const int32_t source = rows[n / 2][(int64_t(x) + n / 2) * Channels + c];
                if constexpr (Rule == MaskRule::Rgb) {
                    // Pulled back toward the source by the uncovered part.
                    *dest = m == 255 ? static_cast<uint8_t>(fresh)
                                     : static_cast<uint8_t>(fresh + (((source - fresh) * (255 - m)) >> 8));
                } else {
                    // The 8-bit rule weights every covered value, full coverage included.
                    *dest = static_cast<uint8_t>(source + (((fresh - source) * m) >> 8));
                }
            }
        }
    }
}

template <int Channels, int Size, MaskRule Rule>
void convolveRect(RasterSurface& target, const Rect& work, PaddedRowRing<RasterSurface>& ring, const int32_t* kernel,
                  int32_t size, const SumToByte& toByte, const Surface8* mask, Point maskOrigin) {
    for (int32_t y = work.top; y < work.bottom; ++y) {
        ring.moveTo(y);
        const uint8_t* m = nullptr;
        if constexpr (Rule != MaskRule::None)
            m = mask->row(y - maskOrigin.y) + (work.left - maskOrigin.x);
        convolveRow<Channels, Size, Rule>(target.row(y) + int64_t(work.left) * Channels, ring.window(), work.width(),
                                          kernel, size, toByte, m);
    }
}

template <int Channels, int Size>
void convolveMasked(RasterSurface& target, const Rect& work, PaddedRowRing<RasterSurface>& ring, const int32_t* kernel,
                    int32_t size, const SumToByte& toByte, const Surface8* mask, Point maskOrigin) {
    if (!mask)
        convolveRect<Channels, Size, MaskRule::None>(target, work, ring, kernel, size, toByte, mask, maskOrigin);
    else if constexpr (Channels == 3)
        convolveRect<Channels, Size, MaskRule::Rgb>(target, work, ring, kernel, size, toByte, mask, maskOrigin);
    else
        convolveRect<Channels, Size, MaskRule::Gray>(target, work, ring, kernel, size, toByte, mask, maskOrigin);
}

} // namespace

ConvolutionFilter::ConvolutionFilter(FilterKind kind) : kind_(kind) {
    for (const FixedKernel& k : kFixedKernels) {
        if (k.kind != kind)
            continue;
        setKernel(std::vector<int32_t>(std::begin(k.weights), std::end(k.weights)), 3);
        setDivisor(k.divisor);
        setOffset(k.offset);
    }
}

std::unique_ptr<NeighborhoodFilter> ConvolutionFilter::clone() const {
    return std::unique_ptr<NeighborhoodFilter>(new ConvolutionFilter(*this));
}

bool ConvolutionFilter::setKernel(const std::vector<int32_t>& weights, int32_t size) {
    if (size <= 0 || size % 2 == 0 || int64_t(weights.size()) != int64_t(size) * size)
        return false;
    int64_t absolute = 0;
    for (int32_t w : weights)
        absolute += std::abs(int64_t(w)) * 255;
    if (absolute > kMaxAbsoluteSum)
        return false;
    kernel_ = weights;
    size_ = size;
    return true;
}

template <class Surface>
bool ConvolutionFilter::convolve(Surface& target, int channels) {
    if (size_ == 0)
        return true;
    const Rect& work = workRect();
    const SumToByte toByte(kernel_, divisor_, offset_);
    PaddedRowRing<RasterSurface> ring(target, work, radius(), channels);
    const int32_t* k = kernel_.data();
    if (channels == 3) {
        if (size_ == 3)
            convolveMasked<3, 3>(target, work, ring, k, size_, toByte, mask(), maskOrigin());
        else
            convolveMasked<3, 0>(target, work, ring, k, size_, toByte, mask(), maskOrigin());
    } else {
        if (size_ == 3)
            convolveMasked<1, 3>(target, work, ring, k, size_, toByte, mask(), maskOrigin());
        else
            convolveMasked<1, 0>(target, work, ring, k, size_, toByte, mask(), maskOrigin());
    }
    return true;
}

bool ConvolutionFilter::applyRgb(Surface24& target) { return convolve(target, 3); }

bool ConvolutionFilter::applyGray(Surface8& target) { return convolve(target, 1); }

} // namespace pict
