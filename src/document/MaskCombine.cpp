#include "document/MaskCombine.h"

#include <algorithm>
#include <cstring>

namespace pict {

namespace {

template <CombineMode Mode>
void combineRow(uint8_t* d, const uint8_t* s, int32_t width) {
    for (int32_t x = 0; x < width; ++x) {
        if constexpr (Mode == CombineMode::Add)
            d[x] = uint8_t(std::min(d[x] + s[x], 255));
        else if constexpr (Mode == CombineMode::Subtract)
            d[x] = uint8_t(std::max(d[x] - s[x], 0));
        else
            d[x] = std::min(d[x], s[x]);
    }
}

using CombineRow = void (*)(uint8_t*, const uint8_t*, int32_t);
// Indexed by mode; New is a plain row copy.
constexpr CombineRow kCombineRows[kCombineModeCount] = {nullptr, combineRow<CombineMode::Add>,
                                                        combineRow<CombineMode::Subtract>,
                                                        combineRow<CombineMode::Intersect>};

} // namespace

bool combineMasks(Surface8& destination, const Surface8& source, int32_t mode) {
    if (!destination.isValid() || !source.isValid() || destination.size() != source.size() ||
        mode >= kCombineModeCount)
        return false;
    const int32_t width = destination.width();
    for (int32_t y = 0; y < destination.height(); ++y) {
        if (mode <= static_cast<int32_t>(CombineMode::New))
            std::memcpy(destination.row(y), source.row(y), size_t(width));
        else
            kCombineRows[mode](destination.row(y), source.row(y), width);
    }
    return true;
}

} // namespace pict
