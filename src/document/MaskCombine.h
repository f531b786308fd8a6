#pragma once
// Combining one 8-bit coverage mask into another of the same size. The one combine behind
// Load Selection (a channel into the selection) and Save Selection (the selection into a
// channel).

#include "surface/RasterSurface.h"

#include <cstdint>

namespace pict {

enum class CombineMode : int32_t {
    New = 0,       // d' = s
    Add = 1,       // d' = min(d + s, 255)
    Subtract = 2,  // d' = max(d − s, 0)
    Intersect = 3, // d' = min(d, s)
};
inline constexpr int32_t kCombineModeCount = 4;

// Combines source into destination. Fails, changing nothing, when either is invalid, the
// sizes differ or the mode is above 3; a negative mode behaves as New. Dialog answers are
// mapped to a mode before they get here (see combineModeFromInt), so only a caller's own
// mistake reaches the refusal.
bool combineMasks(Surface8& destination, const Surface8& source, int32_t mode);
inline bool combineMasks(Surface8& destination, const Surface8& source, CombineMode mode) {
    return combineMasks(destination, source, static_cast<int32_t>(mode));
}

} // namespace pict
