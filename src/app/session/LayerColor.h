#pragma once
// The application keeps colors as Color32 (0x00RRGGBB, as the settings and dialogs show
// them); layer fills take words with red in the low byte. One conversion for both ways.

#include <cstdint>

namespace pict {

constexpr uint32_t swapRedAndBlue(uint32_t color) {
    return (color >> 16 & 0xFFu) | (color & 0xFF00u) | (color & 0xFFu) << 16;
}

// 0x00RRGGBB -> 0x00BBGGRR (the alpha byte is dropped).
constexpr uint32_t layerColorWord(uint32_t color32) { return swapRedAndBlue(color32 & 0xFFFFFFu); }

} // namespace pict
