#include "imageops/ConvolutionFilter.h"

#include "imageops/CoverageBlend.h"
#include "surface/PixelThreads.h"

#include <algorithm>
#include <climits>
#include <cstdint>
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

// Where a block of output rows reads its source rows. The target is overwritten in place, a
// block at a time, possibly several blocks at once: rows of the block itself are read before
// they are written, and the rows near the other blocks' edges come from copies taken before
// any block started.
class BlockRows {
public:
    // Cuts work's rows into `blocks` parts and copies the radius rows on each side of every cut.
    BlockRows(const RasterSurface& target, const Rect& work, int32_t radius, int32_t blocks)
        : target_(target), work_(work), blocks_(blocks) {
        const size_t rowBytes = size_t(target.stride());
        for (int32_t b = 1; b < blocks; ++b) {
            const int32_t cut = blockTop(b);
            const int32_t from = std::max(cut - radius, work.top);
            const int32_t to = std::min(cut + radius, work.bottom);
            Saved saved{from, std::vector<uint8_t>(size_t(to - from) * rowBytes)};
            for (int32_t y = from; y < to; ++y)
                std::memcpy(saved.bytes.data() + size_t(y - from) * rowBytes, target.row(y), rowBytes);
            saved_.push_back(std::move(saved));
        }
    }

    int32_t blockTop(int32_t block) const {
        return work_.top + static_cast<int32_t>(int64_t(work_.height()) * block / blocks_);
    }

    // Source row y (already clamped to the surface) as block `block` must see it.
    const uint8_t* row(int32_t block, int32_t y) const {
        const int32_t top = blockTop(block), bottom = blockTop(block + 1);
        if ((y >= top && y < bottom) || y < work_.top || y >= work_.bottom)
            return target_.row(y);
        const Saved& saved = saved_[size_t(y < top ? block - 1 : block)];
        return saved.bytes.data() + size_t(y - saved.firstRow) * size_t(target_.stride());
    }

private:
    struct Saved {
        int32_t firstRow;
        std::vector<uint8_t> bytes;
    };
    const RasterSurface& target_;
    Rect work_;
    int32_t blocks_;
    std::vector<Saved> saved_; // saved_[b - 1] around the top of block b
};

// The source rows the output rows need, each padded by radius columns on both sides with
// the border pixels repeated, kept in a ring so the target can be overwritten row by row
// while every output still reads only original pixels.
template <class Surface>
class PaddedRowRing {
public:
    PaddedRowRing(const Surface& source, const BlockRows& rows, int32_t block, const Rect& work, int32_t radius,
                  int channels)
        : source_(source), rows_(rows), block_(block), work_(work), radius_(radius), channels_(channels), slots_(2 * radius + 1),
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
        const uint8_t* row = rows_.row(block_, std::clamp(sy, 0, source_.height() - 1));
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
    const BlockRows& rows_;
    int32_t block_;
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

// One non-zero kernel weight: its row of the window and its column offset.
struct Tap {
    int32_t row;
    int32_t column;
    int32_t weight;
};

std::vector<Tap> kernelTaps(const std::vector<int32_t>& kernel, int32_t size) {
    std::vector<Tap> taps;
    for (int32_t j = 0; j < size; ++j)
        for (int32_t i = 0; i < size; ++i)
            if (const int32_t w = kernel[size_t(j * size + i)]; w != 0)
                taps.push_back({j, i, w});
    return taps;
}

// Rows are summed in chunks of this many pixels so that the sums stay in the first-level
// cache while every tap adds its weighted source bytes to them.
constexpr int32_t kChunkPixels = 1024;

// The sums of a chunk, byte by byte of the interleaved channels: each tap is one pass of
// multiply-adds over contiguous bytes, which the compiler vectorises. Sum is int16_t when
// every possible sum fits in it (the four fixed kernels), int32_t otherwise.
template <class Sum>
void sumChunk(Sum* __restrict sums, const uint8_t* const* rows, int64_t start, int64_t bytes, const std::vector<Tap>& taps,
              int channels) {
    std::fill_n(sums, bytes, Sum(0));
    for (const Tap& tap : taps) {
        const uint8_t* __restrict src = rows[tap.row] + start + int64_t(tap.column) * channels;
        const auto weight = static_cast<Sum>(tap.weight);
        for (int64_t b = 0; b < bytes; ++b)
            sums[b] = static_cast<Sum>(sums[b] + weight * src[b]);
    }
}

// One output row from the padded source rows of its window.
template <int Channels, MaskRule Rule, class Sum>
void convolveRow(uint8_t* out, const uint8_t* const* rows, int32_t width, int32_t radius, const std::vector<Tap>& taps,
                 const SumToByte& toByte, const uint8_t* mask, Sum* sums) {
    // The source pixel under the output: the centre row, radius columns into the padding.
    const uint8_t* centre = rows[radius] + int64_t(radius) * Channels;
    for (int32_t x0 = 0; x0 < width; x0 += kChunkPixels) {
        const int32_t count = std::min(kChunkPixels, width - x0);
        const int64_t start = int64_t(x0) * Channels;
        sumChunk(sums, rows, start, int64_t(count) * Channels, taps, Channels);
        uint8_t* dest = out + start;
        const uint8_t* source = centre + start;
        if constexpr (Rule == MaskRule::None) {
            for (int64_t b = 0; b < int64_t(count) * Channels; ++b)
                dest[b] = toByte(sums[b]);
            continue;
        }
        for (int32_t x = 0; x < count; ++x) {
            const int32_t m = mask[x0 + x];
            if (m == 0)
                continue;
            for (int c = 0; c < Channels; ++c) {
                const int64_t b = int64_t(x) * Channels + c;
                const int32_t fresh = toByte(sums[b]);
                const int32_t old = source[b];
                if constexpr (Rule == MaskRule::Rgb) {
                    // Pulled back toward the source by the uncovered part.
                    dest[b] = m == 255 ? static_cast<uint8_t>(fresh)
                                       : static_cast<uint8_t>(fresh + (((old - fresh) * (255 - m)) >> 8));
                } else {
                    // The 8-bit rule weights every covered value, full coverage included.
                    dest[b] = static_cast<uint8_t>(old + (((fresh - old) * m) >> 8));
                }
            }
        }
    }
}

template <int Channels, MaskRule Rule, class Sum>
void convolveRect(RasterSurface& target, const Rect& work, int32_t radius, const std::vector<Tap>& taps,
                  const SumToByte& toByte, const Surface8* mask, Point maskOrigin) {
    target.ensureOwnPixels();
    const int32_t blocks = stripCount(work.height(), work.width());
    const BlockRows rows(target, work, radius, blocks);
    forEachStrip(0, blocks, int64_t(work.width()) * (work.height() / blocks), [&](int32_t first, int32_t end) {
        std::vector<Sum> sums(size_t(kChunkPixels) * Channels);
        for (int32_t block = first; block < end; ++block) {
            const Rect part{work.left, rows.blockTop(block), work.right, rows.blockTop(block + 1)};
            PaddedRowRing<RasterSurface> ring(target, rows, block, part, radius, Channels);
            for (int32_t y = part.top; y < part.bottom; ++y) {
                ring.moveTo(y);
                const uint8_t* m = nullptr;
                if constexpr (Rule != MaskRule::None)
                    m = mask->row(y - maskOrigin.y) + (work.left - maskOrigin.x);
                convolveRow<Channels, Rule>(target.row(y) + int64_t(work.left) * Channels, ring.window(), work.width(),
                                            radius, taps, toByte, m, sums.data());
            }
        }
    });
}

template <int Channels, class Sum>
void convolveMasked(RasterSurface& target, const Rect& work, int32_t radius, const std::vector<Tap>& taps,
                    const SumToByte& toByte, const Surface8* mask, Point maskOrigin) {
    constexpr MaskRule kPartial = Channels == 3 ? MaskRule::Rgb : MaskRule::Gray;
    if (!mask)
        convolveRect<Channels, MaskRule::None, Sum>(target, work, radius, taps, toByte, mask, maskOrigin);
    else
        convolveRect<Channels, kPartial, Sum>(target, work, radius, taps, toByte, mask, maskOrigin);
}

// Whether every sum the kernel can produce fits in 16 bits.
bool fitsInt16(const std::vector<int32_t>& kernel) {
    int64_t low = 0, high = 0;
    for (int32_t w : kernel)
        (w < 0 ? low : high) += int64_t(w) * 255;
    return low >= INT16_MIN && high <= INT16_MAX;
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
    const std::vector<Tap> taps = kernelTaps(kernel_, size_);
    const bool narrow = fitsInt16(kernel_);
    if (channels == 3) {
        if (narrow)
            convolveMasked<3, int16_t>(target, work, radius(), taps, toByte, mask(), maskOrigin());
        else
            convolveMasked<3, int32_t>(target, work, radius(), taps, toByte, mask(), maskOrigin());
    } else {
        if (narrow)
            convolveMasked<1, int16_t>(target, work, radius(), taps, toByte, mask(), maskOrigin());
        else
            convolveMasked<1, int32_t>(target, work, radius(), taps, toByte, mask(), maskOrigin());
    }
    return true;
}

bool ConvolutionFilter::applyRgb(Surface24& target) { return convolve(target, 3); }

bool ConvolutionFilter::applyGray(Surface8& target) { return convolve(target, 1); }

} // namespace pict
