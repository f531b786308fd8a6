#include "selection/CombineMode.h"

#include "selection/SelectionMask.h"

#include <algorithm>

namespace pict {

namespace {

struct AddValues {
    static uint8_t apply(uint8_t d, uint8_t s) { return static_cast<uint8_t>(std::min(d + s, 255)); }
};
struct SubtractValues {
    static uint8_t apply(uint8_t d, uint8_t s) { return static_cast<uint8_t>(std::max(d - s, 0)); }
};
struct IntersectValues {
    static uint8_t apply(uint8_t d, uint8_t s) { return std::min(d, s); }
};
struct CopyValues {
    static uint8_t apply(uint8_t, uint8_t s) { return s; }
};

template <class Op>
void combineRows(Surface8& destination, const Surface8& source) {
    const int32_t width = destination.width();
    for (int32_t y = 0; y < destination.height(); ++y) {
        uint8_t* d = destination.row(y);
        const uint8_t* s = source.row(y);
        for (int32_t x = 0; x < width; ++x)
            d[x] = Op::apply(d[x], s[x]);
    }
}

} // namespace

CombineMode combineModeFromInt(int32_t value) {
    switch (value) {
    case 1:
        return CombineMode::Add;
    case 2:
        return CombineMode::Subtract;
    case 3:
        return CombineMode::Intersect;
    default:
        return CombineMode::New;
    }
}

bool combineMasks(Surface8& destination, const Surface8& source, CombineMode mode) {
    if (!destination.isValid() || !source.isValid() || destination.size() != source.size())
        return false;
    switch (mode) {
    case CombineMode::New:
        combineRows<CopyValues>(destination, source);
        break;
    case CombineMode::Add:
        combineRows<AddValues>(destination, source);
        break;
    case CombineMode::Subtract:
        combineRows<SubtractValues>(destination, source);
        break;
    case CombineMode::Intersect:
        combineRows<IntersectValues>(destination, source);
        break;
    }
    return true;
}

bool invertedCopy(const Surface8& source, Surface8& target) {
    if (!source.isValid())
        return false;
    Surface8 copy = source.clone();
    if (!copy.isValid())
        return false;
    const int32_t width = copy.width();
    for (int32_t y = 0; y < copy.height(); ++y) {
        uint8_t* row = copy.row(y);
        for (int32_t x = 0; x < width; ++x)
            row[x] = static_cast<uint8_t>(255 - row[x]);
    }
    target = std::move(copy);
    return true;
}

bool loadSelectionFromChannel(SelectionMask& selection, const Surface8& channel, CombineMode mode, bool invert) {
    if (!channel.isValid() || channel.width() != selection.canvasWidth() || channel.height() != selection.canvasHeight())
        return false;
    Surface8 inverted;
    if (invert && !invertedCopy(channel, inverted))
        return false;
    const Surface8& source = invert ? inverted : channel;
    if (mode == CombineMode::New)
        return selection.load(source);
    Surface8 merged;
    if (!selection.toCanvasSurface(merged) || !combineMasks(merged, source, mode))
        return false;
    return selection.load(merged);
}

} // namespace pict
