// Format conversions between depths. Every conversion builds its result in a new buffer and
// hands it to the target only when complete, so the source (which may be the target itself)
// is never modified and a failure leaves the target as it was.
#include "surface/BlendModes.h"
#include "surface/PixelCodec.h"
#include "surface/RasterSurface.h"
#include "surface/SurfaceConversions.h"

namespace pict {

namespace {

using BufferPtr = std::unique_ptr<SurfaceBuffer>;

bool isValidBuffer(const SurfaceBuffer* b) { return b && b->magic == kSurfaceMagic && isStoredDepth(b->depth()); }

constexpr uint32_t kMask555[3] = {0x7C00, 0x03E0, 0x001F};
constexpr uint32_t kMask565[3] = {0xF800, 0x07E0, 0x001F};

bool hasMasks(const SurfaceBuffer& b, const uint32_t (&m)[3]) {
    return b.mask[kRed] == m[0] && b.mask[kGreen] == m[1] && b.mask[kBlue] == m[2];
}

// A buffer made through the ordinary creation rules (default palettes, bit-field masks).
BufferPtr createdBuffer(int32_t width, int32_t height, int depth, int32_t colors = 0, bool bitFields = false) {
    AnySurface s;
    if (!s.create(width, height, depth, colors, bitFields))
        return nullptr;
    return s.detach();
}

// A 16- or 32-bit pixel composited over white with its own alpha.
template <class ReadColor>
BufferPtr overWhite(const SurfaceBuffer& src, ReadColor&& read) {
    BufferPtr out = createPlainBuffer(src.width(), src.height(), 24);
    if (!out)
        return nullptr;
    for (int32_t y = 0; y < src.height(); ++y) {
        uint8_t* d = out->row(y);
        for (int32_t x = 0; x < src.width(); ++x, d += 3) {
            const uint32_t c = read(src.row(y), x);
            const uint8_t color[3] = {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)};
            d[0] = d[1] = d[2] = 255;
            coverageBlend(d, color, uint8_t(c >> 24));
        }
    }
    return out;
}

BufferPtr indexedBuffer(const SurfaceBuffer& src, int depth, const ColorTable& palette) {
    const int32_t full = 1 << depth;
    BufferPtr out = createdBuffer(src.width(), src.height(), depth, palette.count() < full ? palette.count() : 0);
    if (!out)
        return nullptr;
    const int32_t n = std::min(palette.count(), full);
    out->palette.resize(size_t(n));
    std::memcpy(out->palette.data(), palette.data(), 4 * size_t(n));
    return out;
}

// Error diffusion to black and white over a gray working copy: below 129 writes 0, else 1,
// and the error spreads 8/32 and 4/32 to the right, 2, 4, 8, 4, 2 /32 on the next row.
BufferPtr diffuseToBilevel(const SurfaceBuffer& gray) {
    const int32_t w = gray.width(), h = gray.height();
    BufferPtr out = createdBuffer(w, h, 1);
    if (!out)
        return nullptr;
    std::vector<int32_t> current(size_t(w) + 4), next(size_t(w) + 4); // two guard columns per side
    for (int32_t x = 0; x < w; ++x)
        current[size_t(x) + 2] = gray.row(0)[x];
    auto receive = [](int32_t& cell, int32_t amount) { cell = std::clamp(cell + amount, 0, 255); };
    for (int32_t y = 0; y < h; ++y) {
        const bool hasNext = y + 1 < h;
        if (hasNext)
            for (int32_t x = 0; x < w; ++x)
                next[size_t(x) + 2] = gray.row(y + 1)[x];
        uint8_t* row = out->row(y);
        for (int32_t x = 0; x < w; ++x) {
            const int32_t value = current[size_t(x) + 2];
            const bool white = value >= 129;
            setRawAt(row, 1, x, white ? 1u : 0u);
            const int32_t e = white ? value - 255 : value;
            int32_t* c = &current[size_t(x) + 2];
            if (x + 1 < w)
                receive(c[1], e * 8 / 32);
            if (x + 2 < w)
                receive(c[2], e * 4 / 32);
            if (!hasNext)
                continue;
            int32_t* n = &next[size_t(x) + 2];
            constexpr int32_t kBelow[5] = {2, 4, 8, 4, 2};
            for (int32_t k = -2; k <= 2; ++k)
                if (x + k >= 0 && x + k < w)
                    receive(n[k], e * kBelow[k + 2] / 32);
        }
        std::swap(current, next);
    }
    return out;
}

} // namespace

// ---- buffer-level conversions shared with the palette code ----

bool normalizeBuffer(BufferPtr& buffer) {
    if (!isValidBuffer(buffer.get()) || buffer->compression() != kCompressionBitFields)
        return isValidBuffer(buffer.get());
    SurfaceBuffer& b = *buffer;
    if (b.depth() == 32) {
        if (b.mask[kRed] == 0xFF0000 && b.mask[kGreen] == 0x00FF00 && b.mask[kBlue] == 0x0000FF)
            return true;
        bool anyAlpha = false;
        for (int32_t y = 0; y < b.height(); ++y) {
            uint8_t* p = b.row(y);
            for (int32_t x = 0; x < b.width(); ++x, p += 4) {
                uint32_t word;
                std::memcpy(&word, p, 4);
                const uint32_t alpha = b.mask[kAlpha] ? maskedChannel(b, word, kAlpha) : 0;
                p[0] = uint8_t(maskedChannel(b, word, kBlue));
                p[1] = uint8_t(maskedChannel(b, word, kGreen));
                p[2] = uint8_t(maskedChannel(b, word, kRed));
                p[3] = uint8_t(alpha);
                anyAlpha = anyAlpha || alpha != 0;
            }
        }
        if (!anyAlpha) // no alpha at all means opaque, not invisible
            for (int32_t y = 0; y < b.height(); ++y)
                for (int32_t x = 0; x < b.width(); ++x)
                    b.row(y)[4 * int64_t(x) + 3] ^= 0xFF;
        b.setMasks(0xFF0000, 0x00FF00, 0x0000FF, 0);
        b.section.bitFields[0] = 0xFF0000;
        b.section.bitFields[1] = 0x00FF00;
        b.section.bitFields[2] = 0x0000FF;
        return true;
    }
    if (b.depth() == 16) {
        if (hasMasks(b, kMask555))
            return true;
        BufferPtr out = createPlainBuffer(b.width(), b.height(), 16);
        if (!out)
            return false;
        for (int32_t y = 0; y < b.height(); ++y)
            for (int32_t x = 0; x < b.width(); ++x) {
                const uint32_t word = rawAt(b.row(y), 16, x);
                const uint32_t packed = (maskedChannel(b, word, kRed) >> 3) << 10 |
                                        (maskedChannel(b, word, kGreen) >> 3) << 5 | maskedChannel(b, word, kBlue) >> 3;
                setRawAt(out->row(y), 16, x, packed);
            }
        out->flags = b.flags;
        buffer = std::move(out);
    }
    return true;
}

BufferPtr colorBufferOf(const SurfaceBuffer& src) {
    switch (src.depth()) {
    case 24:
        return copyBuffer(src);
    case 16:
        return overWhite(src, [&](const uint8_t* row, int32_t x) { return colorOfRaw(src, rawAt(row, 16, x)); });
    case 32: {
        BufferPtr working = copyBuffer(src);
        if (!working || !normalizeBuffer(working))
            return nullptr;
        const SurfaceBuffer& w = *working;
        return overWhite(w, [](const uint8_t* row, int32_t x) { return rawAt(row, 32, x); });
    }
    default: {
        BufferPtr out = createPlainBuffer(src.width(), src.height(), 24);
        if (out)
            copyPixels(src, Rect::fromSize(src.width(), src.height()), *out, {0, 0});
        return out;
    }
    }
}

BufferPtr grayBufferOf(const SurfaceBuffer& src) {
    BufferPtr converted;
    const SurfaceBuffer* color = &src;
    if (src.depth() != 24) {
        converted = colorBufferOf(src);
        if (!converted)
            return nullptr;
        color = converted.get();
    }
    BufferPtr out = createPlainBuffer(src.width(), src.height(), 8);
    if (!out)
        return nullptr;
    for (int32_t y = 0; y < src.height(); ++y) {
        const uint8_t* s = color->row(y);
        uint8_t* d = out->row(y);
        for (int32_t x = 0; x < src.width(); ++x, s += 3)
            d[x] = uint8_t((59 * s[1] + 30 * s[2] + 11 * s[0] + 50) / 100);
    }
    return out;
}

BufferPtr widenedBuffer(const SurfaceBuffer& src, int depth) {
    if (src.depth() > 8 || depth > 8 || depth < src.depth() || !isStoredDepth(depth))
        return nullptr;
    BufferPtr out = indexedBuffer(src, depth, src.palette);
    if (!out)
        return nullptr;
    for (int32_t y = 0; y < src.height(); ++y)
        for (int32_t x = 0; x < src.width(); ++x)
            setRawAt(out->row(y), depth, x, rawAt(src.row(y), src.depth(), x));
    return out;
}

// Nearest palette entry per pixel; with dithering the error (working - written) spreads
// 7/16 to the right and 2/16, 4/16, 1/16 below, each receiver clamped to 0..255.
BufferPtr mappedBuffer(const SurfaceBuffer& source, int depth, const ColorTable& palette, bool dither) {
    if ((depth != 1 && depth != 4 && depth != 8) || depth >= source.depth() || palette.isEmpty())
        return nullptr;
    BufferPtr normalized;
    const SurfaceBuffer* src = &source;
    if (source.depth() == 32 && source.compression() == kCompressionBitFields) {
        normalized = copyBuffer(source);
        if (!normalized || !normalizeBuffer(normalized))
            return nullptr;
        src = normalized.get();
    }
    BufferPtr out = indexedBuffer(*src, depth, palette);
    if (!out)
        return nullptr;
    const int32_t w = src->width(), h = src->height();
    NearestPaletteIndex nearest(out->palette, int64_t(w) * h);
    // Working colors of this row and the next, three channels each, with one guard pixel per side.
    std::vector<int32_t> current(3 * (size_t(w) + 2)), next(3 * (size_t(w) + 2));
    auto load = [&](int32_t y, std::vector<int32_t>& line) {
        const uint8_t* row = src->row(y);
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t c = colorOfRaw(*src, rawAt(row, src->depth(), x));
            int32_t* p = &line[3 * (size_t(x) + 1)];
            p[0] = int32_t(c & 0xFF);
            p[1] = int32_t(c >> 8 & 0xFF);
            p[2] = int32_t(c >> 16 & 0xFF);
        }
    };
    auto receive = [](int32_t* cell, const int32_t* error, int32_t weight) {
        for (int c = 0; c < 3; ++c)
            cell[c] = std::clamp(cell[c] + error[c] * weight / 16, 0, 255);
    };
    load(0, current);
    for (int32_t y = 0; y < h; ++y) {
        const bool hasNext = dither && y + 1 < h;
        if (hasNext)
            load(y + 1, next);
        uint8_t* row = out->row(y);
        for (int32_t x = 0; x < w; ++x) {
            int32_t* p = &current[3 * (size_t(x) + 1)];
            const uint32_t color = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | uint32_t(p[0]);
            const int32_t index = nearest(color);
            setRawAt(row, depth, x, uint32_t(index));
            if (!dither)
                continue;
            const uint32_t written = out->palette.at(index);
            const int32_t error[3] = {p[0] - int32_t(written & 0xFF), p[1] - int32_t(written >> 8 & 0xFF),
                                      p[2] - int32_t(written >> 16 & 0xFF)};
            if (error[0] == 0 && error[1] == 0 && error[2] == 0)
                continue;
            if (x + 1 < w)
                receive(p + 3, error, 7);
            if (!hasNext)
                continue;
            int32_t* n = &next[3 * (size_t(x) + 1)];
            if (x > 0)
                receive(n - 3, error, 2);
            receive(n, error, 4);
            if (x + 1 < w)
                receive(n + 3, error, 1);
        }
        std::swap(current, next);
    }
    return out;
}

// ---- the surface operations ----

bool AnySurface::normalize() {
    if (!isValid())
        return false;
    return failSafe([&] { return normalizeBuffer(buffer_.writable()); });
}

bool AnySurface::toGray(RasterSurface& target) const {
    return isValid() && failSafe([&] {
        BufferPtr out = grayBufferOf(*buffer_);
        return out && target.attach(std::move(out));
    });
}

bool AnySurface::toBilevel(RasterSurface& target) const {
    return isValid() && failSafe([&] {
        if (depth() == 1) {
            BufferPtr copy = copyBuffer(*buffer_);
            return copy && target.attach(std::move(copy));
        }
        BufferPtr gray = grayBufferOf(*buffer_);
        BufferPtr out = gray ? diffuseToBilevel(*gray) : nullptr;
        return out && target.attach(std::move(out));
    });
}

bool AnySurface::toBilevelThreshold(RasterSurface& target, int level) const {
    return isValid() && failSafe([&] {
        BufferPtr out = createdBuffer(width(), height(), 1);
        if (!out)
            return false;
        if (level <= 0) {
            std::memset(out->bits, 0xFF, size_t(out->imageSize()));
        } else if (level < 255) {
            BufferPtr gray = grayBufferOf(*buffer_);
            if (!gray)
                return false;
            for (int32_t y = 0; y < height(); ++y)
                for (int32_t x = 0; x < width(); ++x)
                    setRawAt(out->row(y), 1, x, gray->row(y)[x] >= level ? 1u : 0u);
        }
        return target.attach(std::move(out));
    });
}

bool AnySurface::to24(RasterSurface& target) const {
    return isValid() && failSafe([&] {
        BufferPtr out = colorBufferOf(*buffer_);
        return out && target.attach(std::move(out));
    });
}

bool AnySurface::to32(RasterSurface& target) const {
    return isValid() && failSafe([&] {
        if (depth() == 32) {
            BufferPtr copy = copyBuffer(*buffer_);
            return copy && target.attach(std::move(copy));
        }
        BufferPtr out = createPlainBuffer(width(), height(), 32);
        if (!out)
            return false;
        const SurfaceBuffer& src = *buffer_;
        for (int32_t y = 0; y < height(); ++y)
            for (int32_t x = 0; x < width(); ++x) {
                uint32_t c = colorOfRaw(src, rawAt(src.row(y), src.depth(), x));
                if (src.depth() != 16)
                    c |= 0xFF000000u; // palette entries carry no alpha
                setRawAt(out->row(y), 32, x, c);
            }
        return target.attach(std::move(out));
    });
}

bool AnySurface::to16(RasterSurface& target, bool fiveFiveFive) const {
    return isValid() && failSafe([&] {
        if (depth() == 16 && hasMasks(*buffer_, fiveFiveFive ? kMask555 : kMask565)) {
            BufferPtr copy = copyBuffer(*buffer_);
            return copy && target.attach(std::move(copy));
        }
        BufferPtr color = colorBufferOf(*buffer_);
        BufferPtr out = createdBuffer(width(), height(), fiveFiveFive ? 15 : 16, 0, !fiveFiveFive);
        if (!color || !out)
            return false;
        copyPixels(*color, bounds(), *out, {0, 0});
        return target.attach(std::move(out));
    });
}

bool AnySurface::convert(RasterSurface& target, int depth) const {
    switch (depth) {
    case 1:
        return toBilevel(target);
    case 4:
        return toIndexed4(target, 16);
    case 8:
        return toIndexed8(target, 256);
    case 15:
        return to16(target, true);
    case 16:
        return to16(target, false);
    case 24:
        return to24(target);
    case 32:
        return to32(target);
    default:
        return false;
    }
}

bool AnySurface::widenIndexed(RasterSurface& target, int depth) const {
    return isValid() && failSafe([&] {
        BufferPtr out = widenedBuffer(*buffer_, depth);
        return out && target.attach(std::move(out));
    });
}

bool AnySurface::mapToPalette(RasterSurface& target, int depth, const ColorTable& palette, bool dither) const {
    return isValid() && failSafe([&] {
        BufferPtr out = mappedBuffer(*buffer_, depth, palette, dither);
        return out && target.attach(std::move(out));
    });
}

bool Surface32::compositeOver(Surface24& target, uint32_t background) const {
    return isValid() && failSafe([&] {
        BufferPtr working = copyBuffer(*buffer_);
        BufferPtr out = createPlainBuffer(width(), height(), 24);
        if (!working || !normalizeBuffer(working) || !out)
            return false;
        const uint32_t fill = colorOfColorRef(background);
        const uint8_t back[3] = {uint8_t(fill), uint8_t(fill >> 8), uint8_t(fill >> 16)};
        for (int32_t y = 0; y < height(); ++y) {
            const uint8_t* s = working->row(y);
            uint8_t* d = out->row(y);
            for (int32_t x = 0; x < width(); ++x, s += 4, d += 3) {
                d[0] = back[0];
                d[1] = back[1];
                d[2] = back[2];
                coverageBlend(d, s, s[3]);
            }
        }
        return target.attach(std::move(out));
    });
}

} // namespace pict
