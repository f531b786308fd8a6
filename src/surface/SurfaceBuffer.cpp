#include "surface/SurfaceBuffer.h"

#include "surface/LargePages.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>

namespace pict {

namespace {

// Largest pixel memory we try to allocate; anything above is refused outright so that a
// hostile header cannot ask for an absurd amount. Fuzzers lower it.
int64_t gMaxImageBytes = int64_t(1) << 36;
constexpr int32_t kMaxDimension = 1 << 20;

constexpr uint32_t kDefault16[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

uint32_t readU32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void copyLayout(const SurfaceBuffer& source, SurfaceBuffer& buffer) {
    buffer.section = source.section;
    std::memcpy(buffer.shift, source.shift, sizeof buffer.shift);
    std::memcpy(buffer.loss, source.loss, sizeof buffer.loss);
    std::memcpy(buffer.mask, source.mask, sizeof buffer.mask);
    buffer.palette = source.palette;
    buffer.flags = source.flags;
}

// Pixel memory of bytes (one byte for an empty picture) left unwritten, in large pages where
// it is large; empty when malloc fails. Throws std::bad_alloc as PixelMemory::reset does.
PixelMemory unwrittenPixels(int64_t bytes) {
    PixelMemory memory;
    memory.reset(static_cast<uint8_t*>(std::malloc(static_cast<size_t>(bytes > 0 ? bytes : 1))));
    if (memory)
        preferLargePages(memory.get(), static_cast<size_t>(bytes));
    return memory;
}

// The buffer's rows point at the same offsets in memory, which becomes the buffer's own.
void moveRowsInto(SurfaceBuffer& buffer, PixelMemory&& memory) {
    for (uint8_t*& row : buffer.rows)
        row = memory.get() + (row - buffer.bits);
    buffer.bits = memory.get();
    buffer.memory = std::move(memory);
}

} // namespace

// Large pixel memory is asked to live in 2 MiB pages: without them, page faults were a third
// of the time of decoding a 6000 x 4000 picture.
constexpr size_t kLargePageBytes = size_t(2) << 20;
constexpr size_t kLargePageThreshold = 4 * kLargePageBytes;

void preferLargePages(uint8_t* memory, size_t bytes) {
    if (!memory || bytes < kLargePageThreshold)
        return;
    const uintptr_t start = (reinterpret_cast<uintptr_t>(memory) + kLargePageBytes - 1) & ~(kLargePageBytes - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(memory) + bytes) & ~(kLargePageBytes - 1);
    if (end > start)
        (void)::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

void setMaxSurfaceBytes(int64_t bytes) { gMaxImageBytes = bytes; }
int64_t maxSurfaceBytes() { return gMaxImageBytes; }

PixelMemory& PixelMemory::operator=(PixelMemory&& other) noexcept {
    if (this != &other) {
        release();
        block_ = other.block_;
        other.block_ = nullptr;
    }
    return *this;
}

void PixelMemory::reset(uint8_t* bytes) {
    release();
    if (!bytes)
        return;
    try {
        block_ = new Block;
    } catch (...) {
        std::free(bytes);
        throw;
    }
    block_->bytes = bytes;
}

PixelMemory PixelMemory::share() const {
    PixelMemory other;
    if (block_) {
        block_->owners.fetch_add(1, std::memory_order_relaxed);
        other.block_ = block_;
    }
    return other;
}

void PixelMemory::release() {
    if (!block_)
        return;
    // acq_rel: this owner's reads of the bytes happen before whoever sees the count drop.
    if (block_->owners.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        std::free(block_->bytes);
        delete block_;
    }
    block_ = nullptr;
}

int32_t maskShift(uint32_t mask) { return mask == 0 ? 0 : std::countr_zero(mask); }

int32_t maskLoss(uint32_t mask) {
    if (mask == 0)
        return 0;
    return 8 - std::countr_one(mask >> maskShift(mask));
}

void SurfaceBuffer::setMasks(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha) {
    const uint32_t values[4] = {red, green, blue, alpha};
    for (int c = 0; c < 4; ++c) {
        mask[c] = values[c];
        shift[c] = maskShift(values[c]);
        loss[c] = maskLoss(values[c]);
    }
}

ColorTable defaultPalette(int depth) {
    switch (depth) {
    case 1:
        return ColorTable{0x000000, 0xFFFFFF};
    case 4: {
        ColorTable t(16);
        for (int i = 0; i < 16; ++i)
            t.set(i, kDefault16[i]);
        return t;
    }
    case 8: {
        ColorTable t(256);
        for (uint32_t i = 0; i < 256; ++i)
            t.set(static_cast<int32_t>(i), (i << 16) | (i << 8) | i);
        return t;
    }
    default:
        return {};
    }
}

std::unique_ptr<SurfaceBuffer> createBuffer(const uint8_t* data, size_t available) {
    if (!data || available < sizeof(SurfaceHeader))
        return nullptr;
    SurfaceHeader header;
    std::memcpy(&header, data, sizeof header);
    if (!isAcceptedHeaderSize(header.size) || available < header.size)
        return nullptr;
    const int depth = header.bitCount;
    if (!isStoredDepth(depth) || header.width <= 0 || header.height == 0 || header.height == INT32_MIN)
        return nullptr;
    const int32_t height = header.height < 0 ? -header.height : header.height;
    if (header.width > kMaxDimension || height > kMaxDimension)
        return nullptr;
    const int64_t stride = strideFor(depth, header.width);
    if (stride * height > gMaxImageBytes)
        return nullptr;

    // Run-length data is decoded by the reader; the buffer itself is always uncompressed.
    if (header.compression == kCompressionRle8 || header.compression == kCompressionRle4)
        header.compression = kCompressionNone;

    size_t offset = header.size;
    uint32_t fields[4] = {0, 0, 0, 0};
    if (header.compression == kCompressionBitFields) {
        if (header.size == 40) {
            if (available < offset + 12)
                return nullptr;
            for (int c = 0; c < 3; ++c)
                fields[c] = readU32(data + offset + 4 * c);
            offset += 12;
        } else {
            for (int c = 0; c < 4; ++c)
                fields[c] = readU32(data + 40 + 4 * c);
        }
    }

    size_t paletteCount = 0;
    if (header.clrUsed != 0 || depth <= 8) {
        paletteCount = header.clrUsed != 0 ? header.clrUsed : (size_t(1) << depth);
        if (depth <= 8 && paletteCount > (size_t(1) << depth))
            paletteCount = size_t(1) << depth;
        if (depth > 8)
            paletteCount = 0; // a color table on a direct-color buffer describes nothing we keep
        if (available < offset + 4 * paletteCount)
            return nullptr;
    }

    try {
        auto buffer = std::make_unique<SurfaceBuffer>();
        const int64_t bytes = stride * height;
        buffer->memory.reset(static_cast<uint8_t*>(std::calloc(static_cast<size_t>(bytes), 1)));
        if (!buffer->memory)
            return nullptr;
        preferLargePages(buffer->memory.get(), static_cast<size_t>(bytes));
        buffer->bits = buffer->memory.get();
        buffer->section.width = header.width;
        buffer->section.height = header.height;
        buffer->section.stride = stride;
        buffer->section.bitsPerPixel = static_cast<uint16_t>(depth);
        buffer->section.header = header;
        buffer->section.header.size = 40;

        buffer->rows.resize(static_cast<size_t>(height));
        for (int32_t i = 0; i < height; ++i)
            buffer->rows[static_cast<size_t>(i)] = buffer->bits + int64_t(height - 1 - i) * stride;

        if (header.compression == kCompressionBitFields) {
            if (header.size == 40)
                fields[3] = 0;
            if (fields[0] | fields[1] | fields[2] | fields[3])
                buffer->setMasks(fields[0], fields[1], fields[2], fields[3]);
            for (int c = 0; c < 3; ++c)
                buffer->section.bitFields[c] = fields[c];
        } else if (depth == 16) {
            buffer->setMasks(0x7C00, 0x03E0, 0x001F, 0);
        }

        if (paletteCount > 0) {
            buffer->palette.resize(paletteCount);
            std::memcpy(buffer->palette.data(), data + offset, 4 * paletteCount);
        }
        return buffer;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<SurfaceBuffer> copyBuffer(const SurfaceBuffer& source) {
    // The limit binds copies too: it may have been lowered since the source was made.
    const int64_t bytes = source.imageSize();
    if (bytes > gMaxImageBytes)
        return nullptr;
    try {
        auto buffer = std::make_unique<SurfaceBuffer>();
        buffer->memory = unwrittenPixels(bytes);
        if (!buffer->memory)
            return nullptr;
        buffer->bits = buffer->memory.get();
        std::memcpy(buffer->bits, source.bits, static_cast<size_t>(bytes));
        buffer->rows.resize(source.rows.size());
        for (size_t i = 0; i < source.rows.size(); ++i)
            buffer->rows[i] = buffer->bits + (source.rows[i] - source.bits);
        copyLayout(source, *buffer);
        return buffer;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<SurfaceBuffer> shareBuffer(const SurfaceBuffer& source) {
    try {
        auto buffer = std::make_unique<SurfaceBuffer>();
        buffer->rows = source.rows;
        copyLayout(source, *buffer);
        buffer->memory = source.memory.share();
        buffer->bits = source.bits;
        return buffer;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool ownPixels(SurfaceBuffer& buffer) {
    if (!buffer.memory.isShared())
        return true;
    const int64_t bytes = buffer.imageSize();
    try {
        PixelMemory own = unwrittenPixels(bytes);
        if (!own)
            return false;
        std::memcpy(own.get(), buffer.bits, static_cast<size_t>(bytes));
        moveRowsInto(buffer, std::move(own));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::unique_ptr<SurfaceBuffer> renewSharedPixels(SurfaceBuffer& buffer) {
    if (!buffer.memory.isShared())
        return nullptr;
    const int64_t bytes = buffer.imageSize();
    try {
        auto old = shareBuffer(buffer);
        if (!old)
            return nullptr;
        PixelMemory fresh = unwrittenPixels(bytes);
        if (!fresh)
            return nullptr;
        moveRowsInto(buffer, std::move(fresh));
        return old;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace pict
