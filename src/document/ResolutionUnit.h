#pragma once
// The unit a document's resolution is given in. The numbers are the ones files and the
// settings file store, so they never change.

#include <cstdint>

namespace pict {

enum class ResolutionUnit : int32_t { PixelsPerInch = 0, PixelsPerCentimeter = 1 };

constexpr bool isValidResolutionUnit(int32_t value) {
    return value == 0 || value == 1;
}
constexpr bool isValidResolutionUnit(ResolutionUnit unit) {
    return isValidResolutionUnit(static_cast<int32_t>(unit));
}

// A resolution given in `from` expressed in `to`. The factors are the ones the dialogs have
// always shown (0.39370078 is 1 / 2.54 to eight places), so a value converted back and forth
// comes back as the user left it.
constexpr double convertResolution(double value, ResolutionUnit from, ResolutionUnit to) {
    if (from == to)
        return value;
    return to == ResolutionUnit::PixelsPerCentimeter ? value * 0.39370078 : value * 2.54;
}

constexpr double pixelsPerInch(double resolution, ResolutionUnit unit) {
    return convertResolution(resolution, unit, ResolutionUnit::PixelsPerInch);
}

} // namespace pict
