#include "codecs/PixelPacking.h"

#include <array>
#include <cstring>
#include <utility>

namespace pict {

namespace {

// The painting blend: coverage 255 takes the new value, 0 keeps the old one, otherwise
// old + ((coverage * (new - old)) >> 8) with a flooring shift.
inline uint8_t coverageBlend(int old, int value, int coverage) {
    if (coverage == 255)
        return uint8_t(value);
    return uint8_t(old + ((coverage * (value - old)) >> 8));
}

using Bgr = std::array<uint8_t, 3>;

std::array<Bgr, 256> paletteColors(const RasterSurface& source) {
    std::array<Bgr, 256> table{};
    const ColorTable* palette = source.palette();
    for (int32_t i = 0; i < 256; ++i) {
        const uint32_t entry = palette ? palette->at(i) : 0u; // black beyond the palette
        table[size_t(i)] = {uint8_t(entry), uint8_t(entry >> 8), uint8_t(entry >> 16)};
    }
    return table;
}

template <int Depth>
void indexedRowTo24(const uint8_t* in, uint8_t* out, int32_t width, const std::array<Bgr, 256>& colors) {
    for (int32_t x = 0; x < width; ++x) {
        uint32_t index;
        if constexpr (Depth == 8)
            index = in[x];
        else if constexpr (Depth == 4)
            index = (x & 1) ? (in[x >> 1] & 0x0F) : (in[x >> 1] >> 4);
        else
            index = (in[x >> 3] >> (7 - (x & 7))) & 1;
        std::memcpy(out + 3 * x, colors[index].data(), 3);
    }
}

template <int Depth>
void indexedTo24(const RasterSurface& source, Surface24& target) {
    const auto colors = paletteColors(source);
    for (int32_t y = 0; y < source.height(); ++y)
        indexedRowTo24<Depth>(source.row(y), target.row(y), source.width(), colors);
}

struct ChannelReader {
    uint32_t mask[4];
    int32_t shift[4];
    int32_t loss[4];
    explicit ChannelReader(const SurfaceBuffer& buffer) {
        for (int c = 0; c < 4; ++c) {
            mask[c] = buffer.mask[c];
            shift[c] = buffer.shift[c];
            loss[c] = buffer.loss[c];
        }
    }
    uint8_t channel(uint32_t word, int c) const { return uint8_t(maskedChannel(word, mask[c], shift[c], loss[c])); }
};

template <bool WithAlpha>
void sixteenRows(const RasterSurface& source, RasterSurface& target) {
    const ChannelReader reader(*source.buffer());
    const uint32_t alphaMax = reader.mask[kAlpha] >> reader.shift[kAlpha];
    constexpr int outBytes = WithAlpha ? 4 : 3;
    for (int32_t y = 0; y < source.height(); ++y) {
        const uint8_t* in = source.row(y);
        uint8_t* out = target.row(y);
        for (int32_t x = 0; x < source.width(); ++x, out += outBytes) {
            const uint32_t word = uint32_t(in[2 * x]) | (uint32_t(in[2 * x + 1]) << 8);
            out[0] = reader.channel(word, kBlue);
            out[1] = reader.channel(word, kGreen);
            out[2] = reader.channel(word, kRed);
            if constexpr (WithAlpha) {
                const uint32_t field = (word & reader.mask[kAlpha]) >> reader.shift[kAlpha];
                out[3] = alphaMax ? uint8_t(field * 255 / alphaMax) : 255;
            }
        }
    }
}

void compositeRowsOverWhite(const RasterSurface& source, Surface24& target) {
    for (int32_t y = 0; y < source.height(); ++y) {
        const uint8_t* in = source.row(y);
        uint8_t* out = target.row(y);
        for (int32_t x = 0; x < source.width(); ++x, in += 4, out += 3) {
            const int a = in[3];
            for (int c = 0; c < 3; ++c)
                out[c] = coverageBlend(255, in[c], a);
        }
    }
}

} // namespace

bool toColor24(const RasterSurface& source, Surface24& target) {
    if (source.isEmpty() || !target.create(source.width(), source.height(), 24))
        return false;
    switch (source.depth()) {
    case 1:
        indexedTo24<1>(source, target);
        return true;
    case 4:
        indexedTo24<4>(source, target);
        return true;
    case 8:
        indexedTo24<8>(source, target);
        return true;
    case 16:
        sixteenRows<false>(source, target);
        return true;
    case 24:
        for (int32_t y = 0; y < source.height(); ++y)
            std::memcpy(target.row(y), source.row(y), size_t(source.width()) * 3);
        return true;
    case 32:
        compositeRowsOverWhite(source, target);
        return true;
    default:
        target.destroy();
        return false;
    }
}

bool bitFields16To32(const RasterSurface& source, Surface32& target) {
    if (source.depth() != 16 || !target.create(source.width(), source.height(), 32))
        return false;
    sixteenRows<true>(source, target);
    return true;
}

bool normalizeBitFields32(RasterSurface& surface) {
    SurfaceBuffer* buffer = surface.buffer();
    if (!buffer || surface.depth() != 32 || !surface.isBitFields())
        return false;
    if (buffer->mask[kRed] == 0xFF0000 && buffer->mask[kGreen] == 0x00FF00 && buffer->mask[kBlue] == 0x0000FF)
        return true;
    const ChannelReader reader(*buffer);
    bool anyAlpha = false;
    for (int32_t y = 0; y < surface.height(); ++y) {
        uint8_t* p = surface.row(y);
        for (int32_t x = 0; x < surface.width(); ++x, p += 4) {
            uint32_t word;
            std::memcpy(&word, p, 4);
            p[0] = reader.channel(word, kBlue);
            p[1] = reader.channel(word, kGreen);
            p[2] = reader.channel(word, kRed);
            p[3] = reader.channel(word, kAlpha);
            anyAlpha |= p[3] != 0;
        }
    }
    if (!anyAlpha)
        for (int32_t y = 0; y < surface.height(); ++y) {
            uint8_t* p = surface.row(y);
            for (int32_t x = 0; x < surface.width(); ++x)
                p[4 * x + 3] = 255;
        }
    buffer->setMasks(0xFF0000, 0x00FF00, 0x0000FF, 0);
    buffer->section.bitFields[0] = 0xFF0000;
    buffer->section.bitFields[1] = 0x00FF00;
    buffer->section.bitFields[2] = 0x0000FF;
    return true;
}

uint8_t splitRow(const uint8_t* bgra, int32_t width, uint8_t* color, uint8_t* alpha) {
    uint8_t seen = 0;
    for (int32_t x = 0; x < width; ++x, bgra += 4, color += 3) {
        color[0] = bgra[0];
        color[1] = bgra[1];
        color[2] = bgra[2];
        alpha[x] = bgra[3];
        seen |= bgra[3];
    }
    return seen;
}

void combineRow(const uint8_t* color, const uint8_t* alpha, int32_t width, uint8_t* bgra) {
    for (int32_t x = 0; x < width; ++x, color += 3, bgra += 4) {
        bgra[0] = color[0];
        bgra[1] = color[1];
        bgra[2] = color[2];
        bgra[3] = alpha ? alpha[x] : 255;
    }
}

bool splitColorAlpha(const RasterSurface& bgra, Surface24& color, Surface8& alpha, bool& anyAlpha) {
    anyAlpha = false;
    if (bgra.depth() != 32)
        return false;
    const int32_t w = bgra.width(), h = bgra.height();
    if (!color.create(w, h, 24) || !alpha.create(w, h, 8)) {
        color.destroy();
        alpha.destroy();
        return false;
    }
    uint8_t seen = 0;
    for (int32_t y = 0; y < h; ++y)
        seen |= splitRow(bgra.row(y), w, color.row(y), alpha.row(y));
    anyAlpha = seen != 0;
    return true;
}

bool combineColorAlpha(const Surface24& color, const Surface8& alpha, Surface32& target) {
    if (color.isEmpty())
        return false;
    const int32_t w = color.width(), h = color.height();
    const bool withAlpha = !alpha.isEmpty();
    if (withAlpha && (alpha.width() != w || alpha.height() != h))
        return false;
    if (!target.create(w, h, 32))
        return false;
    for (int32_t y = 0; y < h; ++y)
        combineRow(color.row(y), withAlpha ? alpha.row(y) : nullptr, w, target.row(y));
    return true;
}

bool flattenOverWhite(Surface24& color, const Surface8& alpha) {
    if (color.isEmpty() || alpha.width() != color.width() || alpha.height() != color.height())
        return false;
    for (int32_t y = 0; y < color.height(); ++y) {
        uint8_t* c = color.row(y);
        const uint8_t* a = alpha.row(y);
        for (int32_t x = 0; x < color.width(); ++x, c += 3) {
            const int coverage = 255 - a[x];
            if (coverage == 0)
                continue;
            for (int k = 0; k < 3; ++k)
                c[k] = coverageBlend(c[k], 255, coverage);
        }
    }
    return true;
}

void flipRows(RasterSurface& surface) {
    if (surface.isEmpty())
        return;
    const size_t bytes = size_t(surface.stride());
    std::vector<uint8_t> scratch(bytes);
    for (int32_t top = 0, bottom = surface.height() - 1; top < bottom; ++top, --bottom) {
        std::memcpy(scratch.data(), surface.row(top), bytes);
        std::memcpy(surface.row(top), surface.row(bottom), bytes);
        std::memcpy(surface.row(bottom), scratch.data(), bytes);
    }
}

} // namespace pict
