#pragma once
// Blur, Blur More, Sharpen and Sharpen More: a square integer kernel, an integer divisor
// (truncating) and an offset, with the image's border pixels repeated beyond its edges.

#include "imageops/ImageFilter.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace pict {

class ConvolutionFilter : public NeighborhoodFilter {
public:
    // One of Blur, BlurMore, Sharpen, SharpenMore with its fixed kernel; any other kind
    // gives an empty kernel, which leaves surfaces unchanged.
    explicit ConvolutionFilter(FilterKind kind);

    FilterKind kind() const override { return kind_; }
    std::unique_ptr<NeighborhoodFilter> clone() const override;

    // Replaces the kernel: size * size weights, row-major, the first row above the pixel.
    // An even size, a weight count that does not match, or weights large enough to overflow
    // the sums are refused and keep the previous kernel.
    bool setKernel(const std::vector<int32_t>& weights, int32_t size);
    void setDivisor(int32_t divisor) { divisor_ = divisor <= 0 ? 1 : divisor; }
    void setOffset(int32_t offset) { offset_ = offset; }

    int32_t radius() const { return size_ / 2; }
    int32_t size() const { return size_; }
    int32_t divisor() const { return divisor_; }
    int32_t offset() const { return offset_; }
    const std::vector<int32_t>& kernel() const { return kernel_; }

protected:
    ConvolutionFilter(const ConvolutionFilter&) = default;
    bool applyRgb(Surface24& target) override;
    bool applyGray(Surface8& target) override;

private:
    template <class Surface>
    bool convolve(Surface& target, int channels);

    FilterKind kind_;
    std::vector<int32_t> kernel_;
    int32_t size_ = 0;
    int32_t divisor_ = 1;
    int32_t offset_ = 0;
};

} // namespace pict
