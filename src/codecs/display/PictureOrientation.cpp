#include "codecs/display/PictureOrientation.h"

#include "codecs/ExifEditing.h"

namespace pict {

namespace {

constexpr size_t kHeaderBytes = 8, kEntryBytes = 12;

struct Reader {
    const uint8_t* b;
    size_t size;
    bool little;
    uint32_t get16(size_t at) const { return little ? b[at] | b[at + 1] << 8 : b[at] << 8 | b[at + 1]; }
    uint32_t get32(size_t at) const {
        return little ? get16(at) | get16(at + 2) << 16 : get16(at) << 16 | get16(at + 2);
    }
};

// What each stored orientation needs to be shown upright, as one surface operation.
enum class Upright : uint8_t { Keep, Mirror, HalfTurn, Flip, Transpose, Clockwise, Transverse, CounterClockwise };
constexpr Upright kUpright[9] = {Upright::Keep,      Upright::Keep,       Upright::Mirror,
                                 Upright::HalfTurn,  Upright::Flip,       Upright::Transpose,
                                 Upright::Clockwise, Upright::Transverse, Upright::CounterClockwise};

bool turn(AnySurface& surface, Upright how) {
    switch (how) {
    case Upright::Keep: return true;
    case Upright::Mirror: return surface.mirror();
    case Upright::HalfTurn: return surface.rotate180();
    case Upright::Flip: return surface.flip();
    case Upright::Transpose: return surface.transpose();
    case Upright::Clockwise: return surface.rotate90Clockwise();
    case Upright::Transverse: return surface.transverse();
    case Upright::CounterClockwise: return surface.rotate90CounterClockwise();
    }
    return false;
}

} // namespace

int32_t tiffOrientation(const uint8_t* tiff, size_t size) {
    if (!tiff || size < kHeaderBytes || !((tiff[0] == 'I' && tiff[1] == 'I') || (tiff[0] == 'M' && tiff[1] == 'M')))
        return 1;
    const Reader r{tiff, size, tiff[0] == 'I'};
    if (r.get16(2) != 42)
        return 1;
    const size_t directory = r.get32(4);
    if (directory < kHeaderBytes || directory + 2 > size)
        return 1;
    const size_t count = r.get16(directory);
    for (size_t i = 0; i < count && directory + 2 + (i + 1) * kEntryBytes <= size; ++i) {
        const size_t entry = directory + 2 + i * kEntryBytes;
        if (r.get16(entry) != exif_tag::kOrientation)
            continue;
        const uint32_t value = r.get16(entry + 2) == 3 ? r.get16(entry + 8) : r.get32(entry + 8);
        return value >= 1 && value <= 8 ? int32_t(value) : 1;
    }
    return 1;
}

bool applyOrientation(Surface24& color, Surface8& alpha, int32_t orientation) {
    const Upright how = orientation >= 1 && orientation <= 8 ? kUpright[orientation] : Upright::Keep;
    if (how == Upright::Keep)
        return true;
    Surface24 turnedColor;
    Surface8 turnedAlpha;
    // Copies first, so that running out of memory halfway leaves both surfaces as they were.
    if (!turnedColor.createLike(color) || (!alpha.isEmpty() && !turnedAlpha.createLike(alpha)) ||
        !turn(turnedColor, how) || (!alpha.isEmpty() && !turn(turnedAlpha, how)))
        return false;
    color = std::move(turnedColor);
    if (!alpha.isEmpty())
        alpha = std::move(turnedAlpha);
    return true;
}

} // namespace pict
