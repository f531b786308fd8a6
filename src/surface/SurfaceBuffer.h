#pragma once
// The pixel store behind every surface: pixel memory kept bottom-up with rows padded to
// four bytes, a row table that presents row 0 at the top, channel masks, a palette,
// flags and a validity magic.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace pict {

// Bit depth of a buffer. Creation additionally accepts 15, meaning 16 bits in 5-5-5 layout.
enum class SurfaceFormat : int32_t {
    Bits1 = 1,
    Bits4 = 4,
    Bits8 = 8,
    Bits16 = 16,
    Bits24 = 24,
    Bits32 = 32,
};

constexpr bool isStoredDepth(int depth) {
    return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}
constexpr bool isCreatableDepth(int depth) { return isStoredDepth(depth) || depth == 15; }

enum Compression : uint32_t {
    kCompressionNone = 0,
    kCompressionRle8 = 1,
    kCompressionRle4 = 2,
    kCompressionBitFields = 3,
};

// The 40-byte bitmap-info header; the 56-, 108- and 124-byte forms continue it with masks
// (red, green, blue, alpha at offsets 40..52) and further fields this program does not use.
struct SurfaceHeader {
    uint32_t size = 40;
    int32_t width = 0;
    int32_t height = 0; // positive: bottom-up
    uint16_t planes = 1;
    uint16_t bitCount = 0;
    uint32_t compression = kCompressionNone;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
};
static_assert(sizeof(SurfaceHeader) == 40);

constexpr bool isAcceptedHeaderSize(uint32_t size) { return size == 40 || size == 56 || size == 108 || size == 124; }

// Bytes per row for a depth and width, padded to a multiple of 4. 64-bit so that no
// product of stride and height can overflow for any accepted width.
constexpr int64_t strideFor(int depth, int64_t width) { return ((depth * width + 31) / 32) * 4; }

// Palette entries are 4-byte words with bytes blue, green, red, reserved in memory order
// (0x00RRGGBB as a number). Out-of-range reads give black, out-of-range writes are ignored.
class ColorTable {
public:
    ColorTable() = default;
    explicit ColorTable(size_t count) : entries_(count, 0) {}
    ColorTable(std::initializer_list<uint32_t> list) : entries_(list) {}

    int32_t count() const { return static_cast<int32_t>(entries_.size()); }
    bool isEmpty() const { return entries_.empty(); }
    uint32_t at(int32_t index) const {
        return index >= 0 && index < count() ? entries_[static_cast<size_t>(index)] : 0u;
    }
    void set(int32_t index, uint32_t entry) {
        if (index >= 0 && index < count())
            entries_[static_cast<size_t>(index)] = entry;
    }
    void resize(size_t count) { entries_.resize(count, 0); }
    const uint32_t* data() const { return entries_.data(); }
    uint32_t* data() { return entries_.data(); }
    friend bool operator==(const ColorTable&, const ColorTable&) = default;

private:
    std::vector<uint32_t> entries_;
};

// What the pixel memory was created with; stands in for the platform's section record.
struct SurfaceDescription {
    int32_t width = 0;
    int32_t height = 0; // as requested, so negative for a top-down request
    int64_t stride = 0;
    uint16_t planes = 1;
    uint16_t bitsPerPixel = 0;
    SurfaceHeader header;
    uint32_t bitFields[3] = {0, 0, 0};
};

constexpr uint32_t kSurfaceMagic = 0x2B424944; // "DIB+" in memory order
constexpr uint32_t kSmoothStretch = 4;

enum Channel { kRed = 0, kGreen = 1, kBlue = 2, kAlpha = 3 };

// Pixel memory (from malloc) with a count of its owners. A buffer normally owns its memory
// alone; shareBuffer gives a second, read-only buffer over the same memory, and the first
// buffer's surface copies the memory before it next writes (RasterSurface), so that another
// thread can read the shared pixels without locks while the original goes on changing.
class PixelMemory {
public:
    PixelMemory() = default;
    PixelMemory(const PixelMemory&) = delete;
    PixelMemory& operator=(const PixelMemory&) = delete;
    PixelMemory(PixelMemory&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
    PixelMemory& operator=(PixelMemory&& other) noexcept;
    ~PixelMemory() { release(); }

    // Takes bytes (malloc'd; freed here on failure); null empties. Throws std::bad_alloc.
    void reset(uint8_t* bytes = nullptr);
    uint8_t* get() const { return block_ ? block_->bytes : nullptr; }
    explicit operator bool() const { return block_ != nullptr; }
    // Another owner of the same bytes.
    PixelMemory share() const;
    // Some other owner still holds the bytes. Seeing false means every other owner's reads
    // have finished (the release by the last of them happens before this returns).
    bool isShared() const { return block_ && block_->owners.load(std::memory_order_acquire) > 1; }

private:
    struct Block {
        std::atomic<int32_t> owners{1};
        uint8_t* bytes = nullptr;
    };
    void release();
    Block* block_ = nullptr;
};

struct SurfaceBuffer {
    std::vector<uint8_t*> rows; // rows[0] is the top image row
    uint8_t* bits = nullptr;    // start of the pixel memory (the bottom row)
    PixelMemory memory;         // owns bits; zero-filled at creation
    SurfaceDescription section;
    int32_t shift[4] = {0, 0, 0, 0}; // red, green, blue, alpha
    int32_t loss[4] = {0, 0, 0, 0};
    uint32_t mask[4] = {0, 0, 0, 0};
    ColorTable palette;
    uint32_t flags = 0;
    uint32_t magic = kSurfaceMagic;

    int32_t width() const { return section.width; }
    int32_t height() const { return section.height < 0 ? -section.height : section.height; }
    int32_t depth() const { return section.bitsPerPixel; }
    int64_t stride() const { return section.stride; }
    int64_t imageSize() const { return stride() * height(); }
    uint32_t compression() const { return section.header.compression; }
    uint8_t* row(int32_t y) const { return rows[static_cast<size_t>(y)]; }

    // Records the four masks and derives each channel's shift and loss.
    void setMasks(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha);
};

// Builds a buffer from a header followed by its masks and color table. `available` is the
// number of readable bytes at `header` (masks and palette included); anything that would
// read beyond it, an unsupported size or depth, or a failed allocation gives null.
std::unique_ptr<SurfaceBuffer> createBuffer(const uint8_t* header, size_t available);

// Upper bound on the pixel memory of one buffer (default 64 GiB); larger requests fail.
void setMaxSurfaceBytes(int64_t bytes);
int64_t maxSurfaceBytes();

// A copy with the same layout and pixels; null when memory runs out or the copy would pass
// maxSurfaceBytes().
std::unique_ptr<SurfaceBuffer> copyBuffer(const SurfaceBuffer& source);

// A buffer with the source's layout over the source's own pixel memory, for reading only
// (the memory stays alive as long as either buffer holds it). Null when memory runs out.
std::unique_ptr<SurfaceBuffer> shareBuffer(const SurfaceBuffer& source);
// Gives a buffer whose memory is shared a copy of its own (rows and bits follow); nothing
// to do for one that owns its memory alone. False when memory runs out.
bool ownPixels(SurfaceBuffer& buffer);
// For work about to write every byte of a buffer whose memory is shared with a view: the
// buffer takes new memory of its own whose bytes are left unwritten (rows and bits follow),
// and the returned buffer reads the old memory, for the work to take the old pixels from.
// Null, the buffer unchanged, when its memory is not shared or memory runs out.
std::unique_ptr<SurfaceBuffer> renewSharedPixels(SurfaceBuffer& buffer);

// Mask shift and loss as the buffer stores them: the lowest set bit, and 8 minus the run
// of set bits above it (0 for an empty mask).
int32_t maskShift(uint32_t mask);
int32_t maskLoss(uint32_t mask);

// The default palette of a depth (2, 16 or 256 entries).
ColorTable defaultPalette(int depth);

} // namespace pict
