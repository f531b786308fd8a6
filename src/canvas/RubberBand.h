#pragma once
// The marching dashed frame shown while the marquee or the Zoom In tool drags. It is drawn
// by inverting window pixels where a 16 x 8 one-bit pattern is set; the pattern's origin
// moves one pixel per timer tick, so the stripes march.

#include "canvas/CanvasRenderer.h"
#include "common/Geometry.h"

#include <array>
#include <cstdint>

namespace pict {

using BandPattern = std::array<uint8_t, 8>;
// Pattern A draws and erases the band; inverting through B at the same phase turns A at
// phase p into A at phase p + 1.
inline constexpr BandPattern kBandPatternA = {0x87, 0x0F, 0x1E, 0x3C, 0x78, 0xF0, 0xE1, 0xC3};
inline constexpr BandPattern kBandPatternB = {0x44, 0x88, 0x11, 0x22, 0x44, 0x88, 0x11, 0x22};

constexpr bool bandPatternBit(const BandPattern& pattern, int32_t x, int32_t y, int32_t phase) {
    const int32_t column = ((x - phase) % 8 + 8) % 8;
    return (pattern[static_cast<size_t>(((y % 8) + 8) % 8)] >> (7 - column)) & 1;
}

// Inverts the color bits of the frame pixels of rect (left and right columns, top and bottom
// rows) where the pattern is set; a rectangle 2 pixels wide or high or less is inverted
// whole. Clipped to the buffer.
void invertBandFrame(ViewBuffer& buffer, const Rect& rect, const BandPattern& pattern, int32_t phase);

// The band's state: its window rectangle and the pattern phase. The window shows it by
// inverting the frame through pattern A at phase() over the rendered picture.
class RubberBand {
public:
    void start(const Rect& rect) {
        rect_ = rect;
        phase_ = 0;
        active_ = true;
    }
    // A changed rectangle keeps the phase; the same rectangle is no change.
    bool update(const Rect& rect);
    // Timer 1200: the stripes move on by one pixel while the rectangle stands still.
    void tick() {
        if (active_)
            phase_ = (phase_ + 1) % 8;
    }
    void stop() { active_ = false; }

    bool isActive() const { return active_; }
    const Rect& rect() const { return rect_; }
    int32_t phase() const { return phase_; }
    void drawInto(ViewBuffer& buffer) const {
        if (active_)
            invertBandFrame(buffer, rect_, kBandPatternA, phase_);
    }

private:
    Rect rect_;
    int32_t phase_ = 0;
    bool active_ = false;
};

} // namespace pict
