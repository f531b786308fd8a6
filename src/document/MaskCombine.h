#pragma once
// Combining one 8-bit coverage mask into another of the same size, as Load Selection and
// Save Selection into a channel do.

#include "surface/RasterSurface.h"

#include <cstdint>

namespace pict {

enum CombineMode : int32_t {
    kCombineReplace = 0,   // d' = s
    kCombineAdd = 1,       // d' = min(d + s, 255)
    kCombineSubtract = 2,  // d' = max(d − s, 0)
    kCombineIntersect = 3, // d' = min(d, s)
};
inline constexpr int32_t kCombineModeCount = 4;

// Combines source into destination. Fails, changing nothing, when either is invalid, the
// sizes differ or the mode is above 3; a negative mode behaves as replace.
bool combineMasks(Surface8& destination, const Surface8& source, int32_t mode);

} // namespace pict
