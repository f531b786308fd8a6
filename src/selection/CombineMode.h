#pragma once
// How one canvas-sized mask is merged into another: Load Selection merges a saved channel
// into the selection, Save Selection merges the selection into a channel.

#include "surface/RasterSurface.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace pict {

class SelectionMask;

enum class CombineMode : int32_t {
    New = 0,       // d' = s
    Add = 1,       // d' = min(d + s, 255)
    Subtract = 2,  // d' = max(d - s, 0)
    Intersect = 3, // d' = min(d, s)
};

// Any value outside 1..3 (negative ones included) means New.
CombineMode combineModeFromInt(int32_t value);

// The radio-button texts of the Load Selection and Save Selection dialogs, in mode order.
struct CombineModeWording {
    CombineMode mode;
    std::string_view loadText;
    std::string_view saveText;
};
inline constexpr std::array<CombineModeWording, 4> kCombineModeWording{{
    {CombineMode::New, "N&ew selection", "N&ew channel"},
    {CombineMode::Add, "&Add to selection", "&Add to channel"},
    {CombineMode::Subtract, "&Subtract from selection", "&Subtract from channel"},
    {CombineMode::Intersect, "&Intersect with selection", "&Intersect with channel"},
}};
// What the first Save Selection button reads while an existing channel is chosen.
inline constexpr std::string_view kReplaceChannelText = "R&eplace channel";

// Merges source into destination pixel by pixel. Both must be valid and of equal size;
// otherwise nothing changes and the result is false.
bool combineMasks(Surface8& destination, const Surface8& source, CombineMode mode);

// Replaces target by a copy of source with every value v turned into 255 - v.
bool invertedCopy(const Surface8& source, Surface8& target);

// The Load Selection command's pixel work: the channel (inverted first when asked) replaces
// the selection (New) or is combined into the selection placed on the canvas. A channel
// whose size is not the canvas size fails and changes nothing.
bool loadSelectionFromChannel(SelectionMask& selection, const Surface8& channel, CombineMode mode, bool invert);

} // namespace pict
