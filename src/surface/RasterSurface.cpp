#include "surface/RasterSurface.h"

#include "surface/PixelThreads.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace pict {

bool RasterSurface::create(int32_t width, int32_t height, int depth, int32_t colors, bool bitFields) {
    destroy();
    if (width <= 0 || height <= 0 || !isCreatableDepth(depth))
        return false;
    const int stored = depth == 15 ? 16 : depth;
    std::vector<uint8_t> block(sizeof(SurfaceHeader) + 12 + 4 * 256, 0);
    SurfaceHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = static_cast<uint16_t>(stored);
    size_t offset = sizeof header;
    if (bitFields && (stored == 16 || stored == 32)) {
        header.compression = kCompressionBitFields;
        const uint32_t masks[3] = {stored == 16 ? 0xF800u : 0xFF0000u, stored == 16 ? 0x07E0u : 0x00FF00u,
                                   stored == 16 ? 0x001Fu : 0x0000FFu};
        std::memcpy(block.data() + offset, masks, sizeof masks);
        offset += sizeof masks;
    }
    if (stored <= 8) {
        const int32_t full = 1 << stored;
        if (colors <= 0 || colors >= full) {
            const ColorTable table = defaultPalette(stored);
            std::memcpy(block.data() + offset, table.data(), 4 * size_t(full));
        } else {
            header.clrUsed = static_cast<uint32_t>(colors); // that many black entries
        }
    }
    std::memcpy(block.data(), &header, sizeof header);
    auto buffer = createBuffer(block.data(), block.size());
    if (!buffer)
        return false;
    if (!accepts(*buffer))
        return false;
    buffer_ = std::move(buffer);
    return true;
}

bool RasterSurface::createFromHeader(const uint8_t* header, size_t available) {
    destroy();
    auto buffer = createBuffer(header, available);
    if (!buffer || !accepts(*buffer))
        return false;
    buffer_ = std::move(buffer);
    return true;
}

bool RasterSurface::createFromHeader(const SurfaceHeader& header) {
    std::vector<uint8_t> block(sizeof header + 12 + 4 * 256, 0);
    std::memcpy(block.data(), &header, sizeof header);
    if (header.bitCount <= 8)
        std::memcpy(block.data() + sizeof header, defaultPalette(header.bitCount).data(),
                    4 * size_t(defaultPalette(header.bitCount).count()));
    return createFromHeader(block.data(), block.size());
}

bool RasterSurface::createLike(const RasterSurface& source) {
    if (source.isEmpty())
        return true;
    if (&source == this)
        return true;
    // The copy is made aside so that a refused or failed one leaves this surface as it was.
    auto copy = copyBuffer(*source.buffer_);
    if (!copy || !accepts(*copy))
        return false;
    buffer_ = std::move(copy);
    return true;
}

bool RasterSurface::attach(std::unique_ptr<SurfaceBuffer> buffer) {
    if (!buffer) {
        buffer_.reset();
        return true;
    }
    if (buffer->magic != kSurfaceMagic || !accepts(*buffer))
        return false;
    buffer_ = std::move(buffer);
    return true;
}

void SurfaceStore::ownPixelsOrThrow() {
    if (insideParallelStrips()) {
        // Another strip may be reading the row table this would rewrite: a caller forgot
        // ensureOwnPixels() before starting the strips. Stopping beats corrupting a picture.
        std::fputs("pictorane: a shared surface was written from parallel strips\n", stderr);
        std::abort();
    }
    if (!ownPixels(*buffer_))
        throw std::bad_alloc();
}

bool RasterSurface::renewSharedPixels(RasterSurface& old) {
    old.destroy();
    const SurfaceStore& store = buffer_;
    if (!store.isShared() || !old.accepts(*store) || insideParallelStrips())
        return false;
    auto previous = buffer_.renewShared();
    return previous && old.attach(std::move(previous));
}

bool RasterSurface::shareFrom(const RasterSurface& source) {
    if (source.isEmpty()) {
        destroy();
        return true;
    }
    if (&source == this)
        return true;
    auto view = shareBuffer(*source.buffer());
    if (!view || !accepts(*view))
        return false;
    buffer_ = std::move(view);
    return true;
}

bool RasterSurface::swap(RasterSurface& other) {
    // Read through const: a buffer shared with a view changes hands as it is, without the
    // copy a write would take first.
    const SurfaceStore& mine = buffer_;
    const SurfaceStore& theirs = other.buffer_;
    if (mine && !other.accepts(*mine))
        return false;
    if (theirs && !accepts(*theirs))
        return false;
    std::swap(buffer_, other.buffer_);
    return true;
}

void RasterSurface::setSmoothStretch(bool on) {
    if (!buffer_)
        return;
    if (on)
        buffer_->flags |= kSmoothStretch;
    else
        buffer_->flags &= ~kSmoothStretch;
}

bool RasterSurface::setColorTable(const ColorTable& table) {
    if (!isValid() || depth() > 8 || table.isEmpty())
        return false;
    // The pixel memory can only index 2^depth entries; more are not accepted.
    const int32_t n = std::min(table.count(), int32_t(1) << depth());
    buffer_->palette.resize(static_cast<size_t>(n));
    std::memcpy(buffer_->palette.data(), table.data(), 4 * size_t(n));
    return true;
}

bool AnySurface::accepts(const SurfaceBuffer& buffer) const { return isStoredDepth(buffer.depth()); }

AnySurface AnySurface::clone() const {
    AnySurface copy;
    copy.createLike(*this);
    return copy;
}

uint8_t Surface8::valueAt(int32_t x, int32_t y) const {
    if (!buffer_ || x < 0 || y < 0 || x >= width() || y >= height())
        return 0;
    return buffer_->row(y)[x];
}

void Surface8::setValueAt(int32_t x, int32_t y, uint8_t value) {
    if (!buffer_ || x < 0 || y < 0 || x >= width() || y >= height())
        return;
    buffer_->row(y)[x] = value;
}

bool Surface8::isAll(uint8_t value) const {
    const int32_t w = width();
    for (int32_t y = 0; y < height(); ++y) {
        const uint8_t* r = row(y);
        for (int32_t x = 0; x < w; ++x)
            if (r[x] != value)
                return false;
    }
    return true;
}

bool Surface8::fillValue(uint8_t value) {
    if (!isValid())
        return false;
    std::memset(buffer_->bits, value, static_cast<size_t>(imageSize()));
    return true;
}

} // namespace pict
