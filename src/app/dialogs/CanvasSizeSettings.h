#pragma once
// The Canvas Size command's parameter record and its dialog's arithmetic: the units of
// the size fields, the anchor and the extension color choice.

#include "app/dialogs/FillContents.h"
#include "app/dialogs/ImageSizeSettings.h"
#include "common/Geometry.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pict {

struct CanvasSizeSettings {
    int32_t width = 1;  // 1..30000
    int32_t height = 1; // 1..30000
    float resolution = 72.0f; // for unit conversion only
    ResolutionUnit resolutionUnit = ResolutionUnit::PixelsPerInch;
    int32_t oldWidth = 1;
    int32_t oldHeight = 1;
    Point anchorOffset;             // where the old top-left corner lands in the new canvas
    Color extensionColor = kWhite;
};

// Anchors are row * 3 + column, 0 top-left .. 8 bottom-right.
inline constexpr int32_t kAnchorCount = 9;
inline constexpr int32_t kCenterAnchor = 4;

// With dw = old - new (and dh likewise): column 0 -> 0, 1 -> -trunc(dw / 2), 2 -> -dw.
// Anchors outside 0..8 are treated as the centre.
Point anchorOffset(Size oldSize, Size newSize, int32_t anchor);

bool isAcceptable(const CanvasSizeSettings& settings);
constexpr bool changesCanvas(const CanvasSizeSettings& s) { return s.width != s.oldWidth || s.height != s.oldHeight; }

// Units of the Width and Height fields.
enum class CanvasLengthUnit : int32_t { Percent = 0, Pixels = 1, Inches = 2, Centimeters = 3, Millimeters = 4 };
inline constexpr std::array<std::string_view, 5> kCanvasLengthUnitNames = {"percent", "pixels", "inches", "cm",
                                                                           "mm"};
// A field's value as pixels; with relative on it is the change to the current size.
// The result may lie outside 1..30000, which the dialog refuses.
int64_t canvasPixelsFromEntry(double value, CanvasLengthUnit unit, bool relative, int32_t currentPixels,
                              double resolution, ResolutionUnit resolutionUnit);
// The value a field shows for a size in pixels (the reverse, for switching units or
// "Relative"): percent of the current size, pixels, or the printed length.
double canvasEntryFromPixels(int32_t pixels, CanvasLengthUnit unit, bool relative, int32_t currentPixels,
                             double resolution, ResolutionUnit resolutionUnit);

// "Current Size:" and "New Size:": the memory size of a 24-bit image of that size, and a
// side as the dialog writes it ("640 pixels").
std::string canvasMemoryText(int32_t width, int32_t height);
std::string pixelCountText(int32_t pixels);

} // namespace pict
