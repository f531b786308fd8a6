#pragma once
// Declaring a filter parameter once: its range and default, read by the filter (which limits
// what it is given), the dialogs (slider ranges, Reset) and the batch tool (argument checks).

#include <cmath>
#include <cstdint>

namespace pict {

template <class T>
struct ParamRange {
    T min;
    T max;
    T defaultValue;

    // False for NaN.
    constexpr bool contains(T value) const { return value >= min && value <= max; }
    // Limits to min..max; NaN becomes the default.
    constexpr T clamp(T value) const {
        if (!(value == value))
            return defaultValue;
        return value < min ? min : (value > max ? max : value);
    }
};

// Conversions from floating point to a channel value: truncate toward zero, then clamp.
// NaN gives 0.
inline uint8_t truncToByte(double value) {
    if (!(value > 0.0))
        return 0;
    if (value >= 255.0)
        return 255;
    return static_cast<uint8_t>(static_cast<int32_t>(value));
}

// "Round": add 0.5, then truncate toward zero and clamp.
inline uint8_t roundToByte(double value) { return truncToByte(value + 0.5); }

inline int32_t clampToByteRange(int32_t value) { return value < 0 ? 0 : (value > 255 ? 255 : value); }

} // namespace pict
