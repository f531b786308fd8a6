#pragma once
// The surface class family: one class per bit depth (DepthSurface) over a single owned SurfaceBuffer,
// plus AnySurface, which accepts any depth and forwards pixel work to the depth class.
//
// Surfaces are move-only values held by their owners; clone() makes an explicit copy.
// Every operation checks the buffer first and fails (false, or an empty result) on an
// empty or refused buffer. Out-of-range reads return 0; out-of-range writes are ignored.
//
// Colors for pixel access are 0xAARRGGBB words (bytes blue, green, red, alpha in memory).
// Colors for the drawing primitives are 0x00BBGGRR words (red in the low byte).

#include "common/Geometry.h"
#include "surface/SurfaceBuffer.h"

#include <cstdint>
#include <memory>

namespace pict {

class AnySurface;

// The whole-surface turns and reflections a copy can be made in.
enum class Orientation : uint8_t { Clockwise, CounterClockwise, HalfTurn, Mirrored, Flipped };

// A surface's buffer. Every non-const access first gives a buffer whose pixel memory is
// shared with a read-only view (RasterSurface::shareFrom) a copy of its own, so that a view
// read on another thread never sees a change; const access never copies.
class SurfaceStore {
public:
    SurfaceStore() = default;
    SurfaceStore(SurfaceStore&&) noexcept = default;
    SurfaceStore& operator=(SurfaceStore&&) noexcept = default;
    SurfaceStore& operator=(std::unique_ptr<SurfaceBuffer> buffer) {
        buffer_ = std::move(buffer);
        return *this;
    }

    explicit operator bool() const { return buffer_ != nullptr; }
    const SurfaceBuffer* get() const { return buffer_.get(); }
    SurfaceBuffer* get() { return writable().get(); }
    const SurfaceBuffer* operator->() const { return buffer_.get(); }
    SurfaceBuffer* operator->() { return writable().get(); }
    const SurfaceBuffer& operator*() const { return *buffer_; }
    SurfaceBuffer& operator*() { return *writable(); }
    // The owning pointer, for the operations that rework or replace the buffer as a whole.
    std::unique_ptr<SurfaceBuffer>& writable() {
        if (buffer_ && buffer_->memory.isShared())
            ownPixelsOrThrow();
        return buffer_;
    }
    // Whether the pixel memory is shared with a view (or this is a view still shared).
    bool isShared() const { return buffer_ && buffer_->memory.isShared(); }
    const std::unique_ptr<SurfaceBuffer>& owner() const { return buffer_; }
    // New memory for the buffer and the old memory handed back for reading (renewSharedPixels).
    std::unique_ptr<SurfaceBuffer> renewShared() { return buffer_ ? renewSharedPixels(*buffer_) : nullptr; }
    std::unique_ptr<SurfaceBuffer> release() { return std::move(buffer_); }
    void reset() { buffer_.reset(); }

private:
    void ownPixelsOrThrow(); // std::bad_alloc when the copy cannot be made
    std::unique_ptr<SurfaceBuffer> buffer_;
};

class RasterSurface {
public:
    RasterSurface() = default;
    RasterSurface(const RasterSurface&) = delete;
    RasterSurface& operator=(const RasterSurface&) = delete;
    RasterSurface(RasterSurface&& other) noexcept : buffer_(std::move(other.buffer_)) {}
    RasterSurface& operator=(RasterSurface&& other) noexcept {
        buffer_ = std::move(other.buffer_);
        return *this;
    }
    virtual ~RasterSurface() = default;

    // ---- creation and replacement (each frees the current buffer first, except createLike,
    // which keeps it when the copy fails or this class refuses the source's depth) ----
    bool create(int32_t width, int32_t height, int depth = 24, int32_t colors = 0, bool bitFields = false);
    bool createFromHeader(const uint8_t* header, size_t available);
    bool createFromHeader(const SurfaceHeader& header); // a 40-byte header with no palette or masks
    bool createLike(const RasterSurface& source);
    // Replaces this surface by a 24-bit copy of source (or of rect clipped to it).
    bool copyFrom(const RasterSurface& source);
    bool copyFrom(const RasterSurface& source, const Rect& rect);
    // Takes ownership; refused (false, old buffer kept) when accepts() says no. Null empties.
    bool attach(std::unique_ptr<SurfaceBuffer> buffer);
    bool swap(RasterSurface& other);
    std::unique_ptr<SurfaceBuffer> detach() { return buffer_.release(); }
    // Replaces this surface by a read-only view of source's pixels: no pixel is copied, and
    // whichever of the two is written to first takes a copy of its own before writing, so the
    // view keeps the pixels of this moment (another thread may read it while the source
    // changes). False, the surface unchanged, when memory runs out or the depth is refused.
    bool shareFrom(const RasterSurface& source);
    bool sharesPixels() const { return buffer_.isShared(); }
    // Takes the copy now (when the pixels are shared), before threads write rows of this
    // surface at once: a copy cannot be taken from inside parallel strips.
    void ensureOwnPixels() { buffer_.writable(); }
    // For work about to write every byte of every row (padding included) from the rows' own
    // values: when the pixels are shared with a view, this surface takes new memory without
    // copying the shared pixels into it, and old becomes a read-only view of them to read
    // from, so the work reads and writes the pixels once instead of after a full copy. False
    // (old emptied, this surface unchanged) when the pixels are not shared, old refuses the
    // depth or memory runs out: then the work goes on in place. Not from parallel strips.
    bool renewSharedPixels(RasterSurface& old);
    void destroy() { buffer_.reset(); }

    // ---- accessors ----
    virtual bool accepts(const SurfaceBuffer& buffer) const = 0;
    bool isValid() const { return buffer_ && buffer_->magic == kSurfaceMagic && accepts(*buffer_); }
    bool isEmpty() const { return !buffer_; }
    int32_t width() const { return buffer_ ? buffer_->width() : 0; }
    int32_t height() const { return buffer_ ? buffer_->height() : 0; }
    int depth() const { return buffer_ ? buffer_->depth() : 0; }
    int64_t stride() const { return buffer_ ? buffer_->stride() : 0; }
    int64_t imageSize() const { return buffer_ ? buffer_->imageSize() : 0; }
    Rect bounds() const { return Rect::fromSize(width(), height()); }
    Size size() const { return {width(), height()}; }
    int32_t paletteCount() const { return buffer_ ? buffer_->palette.count() : 0; }
    const ColorTable* palette() const { return buffer_ ? &buffer_->palette : nullptr; }
    bool isBitFields() const { return buffer_ && buffer_->compression() == kCompressionBitFields; }
    bool isRunLength() const {
        return buffer_ && (buffer_->compression() == kCompressionRle8 || buffer_->compression() == kCompressionRle4);
    }
    const uint32_t* masks() const { return buffer_ ? buffer_->mask : nullptr; }
    bool smoothStretch() const { return buffer_ && (buffer_->flags & kSmoothStretch); }
    void setSmoothStretch(bool on);
    bool setColorTable(const ColorTable& table);

    // Row pointers (row 0 at the top) for the pixel loops; y must be in range.
    uint8_t* row(int32_t y) { return buffer_->row(y); }
    const uint8_t* row(int32_t y) const { return buffer_->row(y); }
    SurfaceBuffer* buffer() { return buffer_.get(); }
    const SurfaceBuffer* buffer() const { return buffer_.get(); }

protected:
    SurfaceStore buffer_;
};

// Accepts any valid buffer. Index and color access forward to the class of the buffer's depth.
class AnySurface : public RasterSurface {
public:
    bool accepts(const SurfaceBuffer& buffer) const override;

    AnySurface clone() const;

    // ---- pixel access ----
    virtual bool normalize();
    virtual uint32_t getIndex(int32_t x, int32_t y) const;
    virtual bool setIndex(int32_t x, int32_t y, uint32_t index);
    virtual uint32_t getColor(int32_t x, int32_t y) const;
    virtual bool setColor(int32_t x, int32_t y, uint32_t color);

    // ---- conversions: the target is replaced, the source never changes ----
    virtual bool toBilevel(RasterSurface& target) const;
    virtual bool toBilevelThreshold(RasterSurface& target, int level) const;
    virtual bool toGray(RasterSurface& target) const;
    virtual bool toIndexed4(RasterSurface& target, int colors = 16) const;
    virtual bool toIndexed8(RasterSurface& target, int colors = 256) const;
    virtual bool to16(RasterSurface& target, bool fiveFiveFive) const;
    virtual bool to24(RasterSurface& target) const;
    virtual bool to32(RasterSurface& target) const;
    virtual bool convert(RasterSurface& target, int depth) const;
    virtual bool mapToPalette(RasterSurface& target, int depth, const ColorTable& palette, bool dither) const;
    virtual bool widenIndexed(RasterSurface& target, int depth) const;

    // ---- drawing primitives (colors 0x00BBGGRR; exclude empty means none) ----
    virtual bool scroll(const Rect& rect, int32_t dx, int32_t dy);
    virtual bool invertRect(const Rect& rect, const Rect& exclude = {});
    virtual bool invertAll();
    virtual bool fillAll(uint32_t color);
    virtual bool fillEllipse(const Rect& rect, uint32_t color);
    virtual bool tile(const RasterSurface& pattern);
    virtual bool fillRect(const Rect& rect, uint32_t color, const Rect& exclude = {});
    virtual bool drawLine(Point from, Point to, uint32_t color);
    // fill == -1 leaves the interior alone; otherwise the interior gets the outline color.
    virtual bool drawRectangle(const Rect& rect, uint32_t color, int32_t fill = -1, const Rect& exclude = {});

    // ---- geometry ----
    // The surface becomes rect's size; with keepContent old pixel (x, y) lands on
    // (x - rect.left, y - rect.top). Uncovered pixels are zero, also when only shifting.
    virtual bool setBounds(const Rect& rect, bool keepContent);
    virtual bool trim();
    // The box trim() cuts to: every pixel whose value differs from the top-left pixel's.
    // Empty for a surface of one color (which trim leaves as it is) or an invalid one.
    Rect trimBounds() const;
    virtual bool rotate180();
    virtual bool rotate90Clockwise();
    virtual bool rotate90CounterClockwise();
    virtual bool mirror();
    virtual bool flip();
    virtual bool transpose();
    virtual bool transverse();
    // target becomes a turned or reflected copy of this surface, which does not change: the
    // same pixels as the in-place operation without first copying the original.
    bool orientedInto(RasterSurface& target, Orientation how) const;
    virtual bool resize(Size size, bool smooth);
    virtual bool resizeInto(RasterSurface& target, Size size, bool smooth) const;
    bool resizePlain(Size size) { return resize(size, false); }
    bool resizeSmooth(Size size) { return resize(size, true); }
    bool resizePlainInto(RasterSurface& target, Size size) const { return resizeInto(target, size, false); }
    bool resizeSmoothInto(RasterSurface& target, Size size) const { return resizeInto(target, size, true); }

    // ---- non-virtual operations ----
    // Copies srcRect of source into this surface at destPoint, converting any depth to ours
    // (palette targets take the nearest entry). Clipped on both sides; a copy that misses
    // entirely succeeds without change. False only for an invalid surface.
    bool copyRect(const RasterSurface& source, const Rect& srcRect, Point destPoint);
    // A clipped blit of the whole of this surface into target at destPoint (depth converted).
    bool drawTo(RasterSurface& target, Point destPoint) const;
    // The clipboard form: 40-byte header, masks when bit fields, palette, then the pixels as stored.
    std::vector<uint8_t> toPackedBitmap() const;
};

// The depth classes: each accepts only buffers of its own bit depth and reads and writes
// pixels of that depth directly. Self is the depth class itself, so that clone() keeps it.
// Index access answers only for the palette depths; the others read 0 and refuse writes,
// as AnySurface does for them.
template <int Depth, class Self>
class DepthSurface : public AnySurface {
public:
    static constexpr int kDepth = Depth;
    bool accepts(const SurfaceBuffer& buffer) const override { return buffer.depth() == Depth; }
    Self clone() const {
        Self copy;
        copy.createLike(*this);
        return copy;
    }
    uint32_t getIndex(int32_t x, int32_t y) const override;
    bool setIndex(int32_t x, int32_t y, uint32_t index) override;
    uint32_t getColor(int32_t x, int32_t y) const override;
    bool setColor(int32_t x, int32_t y, uint32_t color) override;
};

class Surface1 : public DepthSurface<1, Surface1> {};

class Surface4 : public DepthSurface<4, Surface4> {
public:
    bool mirror() override;
    bool flip() override;
};

class Surface8 : public DepthSurface<8, Surface8> {
public:
    // Byte access for masks; out of range reads 0 and writes are ignored.
    uint8_t valueAt(int32_t x, int32_t y) const;
    void setValueAt(int32_t x, int32_t y, uint8_t value);
    // Sets every byte of the image (padding included) to value.
    bool fillValue(uint8_t value);
    // Every pixel equals value (true for an empty surface): "entirely opaque" for masks.
    bool isAll(uint8_t value) const;

    bool setBounds(const Rect& rect, bool keepContent) override;
    bool trim() override;
    bool rotate180() override;
    bool rotate90Clockwise() override;
    bool rotate90CounterClockwise() override;
    bool mirror() override;
    bool flip() override;
    virtual bool setSizeWithOffset(Size size, Point offset);
};

class Surface16 : public DepthSurface<16, Surface16> {};

class Surface24 : public DepthSurface<24, Surface24> {
public:
    bool setBounds(const Rect& rect, bool keepContent) override;
    bool trim() override;
    bool rotate180() override;
    bool rotate90Clockwise() override;
    bool rotate90CounterClockwise() override;
    bool mirror() override;
    bool transpose() override;
    bool transverse() override;

    // Writes the color (0x00BBGGRR) as blue, green, red bytes into rect ∩ bounds outside exclude.
    bool fillSolid24(const Rect& rect, uint32_t color, const Rect& exclude = {});
    bool gradientHorizontal(const Rect& rect, uint32_t from, uint32_t to, bool gammaOn, double gamma);
    bool gradientVertical(const Rect& rect, uint32_t from, uint32_t to, bool gammaOn, double gamma);
    // c becomes c * m / 255 for the mask m placed at offset, mixed by opacity.
    bool darkenByMask(Point offset, const Surface8& mask, uint8_t opacity);
};

class Surface32 : public DepthSurface<32, Surface32> {
public:
    // A 24-bit surface of the background color (0x00BBGGRR) with every pixel blended over it
    // by its own alpha.
    bool compositeOver(Surface24& target, uint32_t background) const;
};

// The pixel access members are compiled once, in SurfacePixels.cpp.
extern template class DepthSurface<1, Surface1>;
extern template class DepthSurface<4, Surface4>;
extern template class DepthSurface<8, Surface8>;
extern template class DepthSurface<16, Surface16>;
extern template class DepthSurface<24, Surface24>;
extern template class DepthSurface<32, Surface32>;

// The 24-bit working surface of the canvas and painting code.
class PaintSurface24 : public Surface24 {
public:
    // Blends the color (0x00BBGGRR) into every pixel with one coverage value.
    bool paintCoverage(uint32_t color, uint8_t coverage);
    // Blends the color with the coverage of each pixel taken from mask placed at offset.
    bool paintMasked(const Surface8& mask, Point offset, uint32_t color);
};

} // namespace pict
