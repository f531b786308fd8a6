#pragma once
// An opaque color with named channels. Colors travel in three byte orders, and a bare integer
// never says which one it holds, so each order has one named conversion here:
//  - rgb():       0x00RRGGBB, the way the screen, the settings file and the dialogs write colors;
//  - fillWord():  0x00BBGGRR, red in the low byte, the word layer fills and the surface drawing
//                 primitives take;
//  - memory:      blue, green, red bytes, the way a 24-bit surface stores a pixel. The 32-bit
//                 pixel word 0xAARRGGBB (pixelWord()) lays out as blue, green, red, alpha in
//                 memory on the little-endian machines the program runs on.
// Any byte outside the three channels is ignored on the way in and zero on the way out (the
// pixel word's alpha is 0xFF).

#include <cstdint>

namespace pict {

struct Color {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    static constexpr Color fromRgb(uint32_t rgb) {
        return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb)};
    }
    static constexpr Color fromFillWord(uint32_t word) {
        return {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word >> 16)};
    }
    // Alpha is dropped.
    static constexpr Color fromPixelWord(uint32_t argb) { return fromRgb(argb); }
    static constexpr Color fromBgrBytes(const uint8_t* bgr) { return {bgr[2], bgr[1], bgr[0]}; }

    constexpr uint32_t rgb() const { return uint32_t(red) << 16 | uint32_t(green) << 8 | blue; }
    constexpr uint32_t fillWord() const { return uint32_t(blue) << 16 | uint32_t(green) << 8 | red; }
    // Opaque: 0xFFRRGGBB.
    constexpr uint32_t pixelWord() const { return 0xFF000000u | rgb(); }
    constexpr void storeBgr(uint8_t* bgr) const {
        bgr[0] = blue;
        bgr[1] = green;
        bgr[2] = red;
    }

    friend constexpr bool operator==(const Color&, const Color&) = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};

} // namespace pict
