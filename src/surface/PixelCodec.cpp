#include "surface/PixelCodec.h"

#include <algorithm>

namespace pict {

namespace {

int32_t nearestIndexLinear(const ColorTable& palette, uint32_t color) {
    const int32_t b = int32_t(color & 0xFF), g = int32_t(color >> 8 & 0xFF), r = int32_t(color >> 16 & 0xFF);
    int32_t best = 0;
    int64_t bestDistance = INT64_MAX;
    for (int32_t i = 0; i < palette.count(); ++i) {
        const uint32_t e = palette.at(i);
        const int32_t db = int32_t(e & 0xFF) - b, dg = int32_t(e >> 8 & 0xFF) - g, dr = int32_t(e >> 16 & 0xFF) - r;
        const int64_t distance = int64_t(db) * db + int64_t(dg) * dg + int64_t(dr) * dr;
        if (distance == 0)
            return i;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// A field wider than 8 bits has a negative loss: its low bits are dropped instead.
uint32_t channelOfWordImpl(const SurfaceBuffer& buffer, uint32_t word, int channel) {
    const uint32_t field = (word & buffer.mask[channel]) >> buffer.shift[channel];
    const int32_t loss = buffer.loss[channel];
    return (loss >= 0 ? field << loss : field >> -loss) & 0xFFu;
}

uint32_t fieldOfChannel(const SurfaceBuffer& buffer, uint32_t value, int channel) {
    const int32_t loss = buffer.loss[channel];
    const uint32_t field = loss >= 0 ? value >> loss : value << -loss;
    return (field << buffer.shift[channel]) & buffer.mask[channel];
}

} // namespace

uint32_t maskedChannel(const SurfaceBuffer& buffer, uint32_t word, int channel) {
    return channelOfWordImpl(buffer, word, channel);
}

void fillRawRun(uint8_t* row, int depth, int32_t x, int32_t count, uint32_t raw) {
    if (count <= 0)
        return;
    switch (depth) {
    case 8:
        std::memset(row + x, int(raw & 0xFF), size_t(count));
        return;
    case 24: {
        uint8_t* p = row + 3 * int64_t(x);
        const uint8_t b = uint8_t(raw), g = uint8_t(raw >> 8), r = uint8_t(raw >> 16);
        for (int32_t i = 0; i < count; ++i, p += 3) {
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
        return;
    }
    case 16: {
        uint8_t* p = row + 2 * int64_t(x);
        for (int32_t i = 0; i < count; ++i, p += 2) {
            p[0] = uint8_t(raw);
            p[1] = uint8_t(raw >> 8);
        }
        return;
    }
    case 32: {
        uint8_t* p = row + 4 * int64_t(x);
        for (int32_t i = 0; i < count; ++i, p += 4)
            std::memcpy(p, &raw, 4);
        return;
    }
    default:
        for (int32_t i = 0; i < count; ++i)
            setRawAt(row, depth, x + i, raw);
        return;
    }
}

void copyRawRun(const uint8_t* source, int32_t sourceX, uint8_t* dest, int32_t destX, int32_t count, int depth) {
    if (count <= 0)
        return;
    if (depth >= 8) {
        const int64_t bytes = depth / 8;
        std::memmove(dest + destX * bytes, source + sourceX * bytes, size_t(count * bytes));
        return;
    }
    // Sub-byte pixels: walk in the direction that keeps an overlapping copy intact.
    if (source == dest && destX > sourceX) {
        for (int32_t i = count - 1; i >= 0; --i)
            setRawAt(dest, depth, destX + i, rawAt(source, depth, sourceX + i));
    } else {
        for (int32_t i = 0; i < count; ++i)
            setRawAt(dest, depth, destX + i, rawAt(source, depth, sourceX + i));
    }
}

uint32_t colorOfRaw(const SurfaceBuffer& buffer, uint32_t raw) {
    switch (buffer.depth()) {
    case 1:
    case 4:
    case 8:
        return buffer.palette.at(int32_t(raw));
    case 16: {
        uint32_t alpha = 255;
        if (buffer.mask[kAlpha] != 0) {
            const uint32_t maximum = buffer.mask[kAlpha] >> buffer.shift[kAlpha];
            alpha = ((raw & buffer.mask[kAlpha]) >> buffer.shift[kAlpha]) * 255 / maximum;
        }
        return alpha << 24 | channelOfWordImpl(buffer, raw, kRed) << 16 | channelOfWordImpl(buffer, raw, kGreen) << 8 |
               channelOfWordImpl(buffer, raw, kBlue);
    }
    case 24:
        return 0xFF000000u | raw;
    default:
        return raw;
    }
}

uint32_t rawOfColor(const SurfaceBuffer& buffer, uint32_t color) {
    switch (buffer.depth()) {
    case 1:
    case 4:
    case 8:
        return uint32_t(nearestIndexLinear(buffer.palette, color));
    case 16: {
        const uint32_t channels[4] = {color >> 16 & 0xFF, color >> 8 & 0xFF, color & 0xFF, color >> 24};
        uint32_t word = 0;
        for (int c = 0; c < 4; ++c)
            if (buffer.mask[c] != 0)
                word |= fieldOfChannel(buffer, channels[c], c);
        return word;
    }
    case 24:
        return color & 0xFFFFFFu;
    default:
        return color;
    }
}

namespace {

int cacheBitsFor(int64_t lookups) {
    constexpr int kMinBits = 6, kMaxBits = 15;
    int bits = kMinBits;
    while (bits < kMaxBits && (int64_t(1) << bits) < lookups)
        ++bits;
    return bits;
}

} // namespace

NearestPaletteIndex::NearestPaletteIndex(const ColorTable& palette, int64_t lookups)
    : cacheBits_(cacheBitsFor(lookups)), cacheKey_(size_t(1) << cacheBits_, 0), cacheIndex_(size_t(1) << cacheBits_, 0) {
    sorted_.reserve(size_t(palette.count()));
    for (int32_t i = 0; i < palette.count(); ++i) {
        const uint32_t e = palette.at(i);
        sorted_.push_back({int32_t(e & 0xFF), int32_t(e >> 8 & 0xFF), int32_t(e >> 16 & 0xFF), i});
    }
    std::sort(sorted_.begin(), sorted_.end(),
              [](const Entry& a, const Entry& b) { return a.g != b.g ? a.g < b.g : a.index < b.index; });
}

int32_t NearestPaletteIndex::operator()(uint32_t color) {
    const uint32_t key = (color & 0xFFFFFFu) | 0x80000000u;
    const size_t slot = ((color & 0xFFFFFFu) * 2654435761u) >> (32 - cacheBits_);
    if (cacheKey_[slot] == key)
        return cacheIndex_[slot];
    if (sorted_.empty())
        return 0;

    const int32_t b = int32_t(color & 0xFF), g = int32_t(color >> 8 & 0xFF), r = int32_t(color >> 16 & 0xFF);
    int32_t bestIndex = INT32_MAX;
    int32_t bestDistance = INT32_MAX;
    auto consider = [&](const Entry& e) {
        const int32_t db = e.b - b, dg = e.g - g, dr = e.r - r;
        const int32_t distance = db * db + dg * dg + dr * dr;
        if (distance < bestDistance || (distance == bestDistance && e.index < bestIndex)) {
            bestDistance = distance;
            bestIndex = e.index;
        }
    };
    const auto start = std::lower_bound(sorted_.begin(), sorted_.end(), g,
                                        [](const Entry& e, int32_t value) { return e.g < value; });
    // Entries further away in green than the best distance cannot win, nor tie.
    for (auto it = start; it != sorted_.end(); ++it) {
        const int32_t dg = it->g - g;
        if (dg * dg > bestDistance)
            break;
        consider(*it);
    }
    for (auto it = start; it != sorted_.begin();) {
        --it;
        const int32_t dg = g - it->g;
        if (dg * dg > bestDistance)
            break;
        consider(*it);
    }
    cacheKey_[slot] = key;
    cacheIndex_[slot] = bestIndex;
    return bestIndex;
}

std::unique_ptr<SurfaceBuffer> createBufferLike(const SurfaceBuffer& model, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0)
        return nullptr;
    try {
        // A 56-byte header carries all four masks; the palette follows it.
        std::vector<uint8_t> block(56 + 4 * size_t(model.palette.count()), 0);
        SurfaceHeader header = model.section.header;
        header.size = 56;
        header.width = width;
        header.height = height;
        header.bitCount = uint16_t(model.depth());
        header.sizeImage = 0;
        header.clrUsed = uint32_t(model.depth() <= 8 ? model.palette.count() : 0);
        header.clrImportant = 0;
        if (model.depth() <= 8 && header.clrUsed == 0)
            header.clrUsed = 1; // never let the default palette replace an empty one
        std::memcpy(block.data(), &header, sizeof header);
        std::memcpy(block.data() + 40, model.mask, 16);
        if (model.depth() <= 8) {
            if (block.size() < 60)
                block.resize(60, 0);
            if (model.palette.count() > 0)
                std::memcpy(block.data() + 56, model.palette.data(), 4 * size_t(model.palette.count()));
        }
        auto buffer = createBuffer(block.data(), block.size());
        if (buffer)
            buffer->flags = model.flags;
        return buffer;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<SurfaceBuffer> createPlainBuffer(int32_t width, int32_t height, int depth) {
    if (width <= 0 || height <= 0 || !isStoredDepth(depth))
        return nullptr;
    try {
        std::vector<uint8_t> block(40 + 4 * 256, 0);
        SurfaceHeader header;
        header.width = width;
        header.height = height;
        header.bitCount = uint16_t(depth);
        std::memcpy(block.data(), &header, sizeof header);
        if (depth <= 8) {
            const ColorTable table = defaultPalette(depth);
            std::memcpy(block.data() + 40, table.data(), 4 * size_t(table.count()));
        }
        return createBuffer(block.data(), block.size());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void copyPixels(const SurfaceBuffer& source, const Rect& sourceRect, SurfaceBuffer& dest, Point destPoint) {
    const int32_t width = sourceRect.width();
    const int32_t height = sourceRect.height();
    if (width <= 0 || height <= 0)
        return;
    const int depth = dest.depth();
    const bool raw = source.depth() == depth &&
                     (depth <= 8 ? source.palette == dest.palette
                                 : std::equal(source.mask, source.mask + 4, dest.mask));
    // Within one buffer, walk rows so that a downward move does not read what it wrote.
    const bool upward = &source == &dest && destPoint.y > sourceRect.top;
    if (raw) {
        for (int32_t i = 0; i < height; ++i) {
            const int32_t k = upward ? height - 1 - i : i;
            copyRawRun(source.row(sourceRect.top + k), sourceRect.left, dest.row(destPoint.y + k), destPoint.x, width,
                       depth);
        }
        return;
    }
    const int sourceDepth = source.depth();
    if (sourceDepth == 32 && depth == 24) { // the alpha byte is simply dropped
        for (int32_t k = 0; k < height; ++k) {
            const uint8_t* s = source.row(sourceRect.top + k) + 4 * int64_t(sourceRect.left);
            uint8_t* d = dest.row(destPoint.y + k) + 3 * int64_t(destPoint.x);
            for (int32_t x = 0; x < width; ++x, s += 4, d += 3) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
            }
        }
        return;
    }
    NearestPaletteIndex nearest(dest.palette, int64_t(width) * height);
    for (int32_t i = 0; i < height; ++i) {
        const int32_t k = upward ? height - 1 - i : i;
        const uint8_t* s = source.row(sourceRect.top + k);
        uint8_t* d = dest.row(destPoint.y + k);
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t color = colorOfRaw(source, rawAt(s, sourceDepth, sourceRect.left + x));
            const uint32_t value = depth <= 8 ? uint32_t(nearest(color)) : rawOfColor(dest, color);
            setRawAt(d, depth, destPoint.x + x, value);
        }
    }
}

} // namespace pict
