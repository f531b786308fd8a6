#pragma once
// The selection side of combining masks (the combine itself is the document's, shared with
// Save Selection into a channel): dialog values, wording, and Load Selection's pixel work.

#include "document/MaskCombine.h"
#include "surface/RasterSurface.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace pict {

class SelectionMask;

// Any value outside 1..3 (negative ones included) means New.
CombineMode combineModeFromInt(int32_t value);

// The radio-button texts of the Load Selection and Save Selection dialogs, in mode order.
struct CombineModeWording {
    CombineMode mode;
    std::string_view loadText;
    std::string_view saveText;
};
inline constexpr std::array<CombineModeWording, kCombineModeCount> kCombineModeWording{{
    {CombineMode::New, "N&ew selection", "N&ew channel"},
    {CombineMode::Add, "&Add to selection", "&Add to channel"},
    {CombineMode::Subtract, "&Subtract from selection", "&Subtract from channel"},
    {CombineMode::Intersect, "&Intersect with selection", "&Intersect with channel"},
}};
// What the first Save Selection button reads while an existing channel is chosen.
inline constexpr std::string_view kReplaceChannelText = "R&eplace channel";

// Replaces target by a copy of source with every value v turned into 255 - v.
bool invertedCopy(const Surface8& source, Surface8& target);

// The Load Selection command's pixel work: the channel (inverted first when asked) replaces
// the selection (New) or is combined into the selection placed on the canvas. A channel
// whose size is not the canvas size fails and changes nothing.
bool loadSelectionFromChannel(SelectionMask& selection, const Surface8& channel, CombineMode mode, bool invert);

} // namespace pict
