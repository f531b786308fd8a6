#pragma once
// The Image Size command's parameter record and the arithmetic of its dialog, free of any
// user interface so that the editor's dialog and the batch tool compute the same values.

#include "common/Geometry.h"
#include "document/DocumentInfo.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pict {

// The resolution units as the lists show them, in ResolutionUnit's order.
inline constexpr std::array<std::string_view, 2> kResolutionUnitNames = {"pixels/inch", "pixels/cm"};
constexpr std::string_view resolutionUnitName(ResolutionUnit unit) {
    return kResolutionUnitNames[unit == ResolutionUnit::PixelsPerCentimeter ? 1 : 0];
}

// The six choices of "Resample image:". Every choice but the first shares the smooth stretch.
inline constexpr std::array<std::string_view, 6> kResampleMethodNames = {
    "Nearest Neighbor", "Bilinear", "Bicubic Smooth", "Bicubic Sharp", "BSpline", "Lanczos"};
inline constexpr int32_t kNearestNeighborMethod = 0;
inline constexpr int32_t kDefaultResampleMethod = 2;

// Canvas limits shared by Image Size and Canvas Size (the upper ones are the document's).
inline constexpr int32_t kMinCanvasSide = 1;
// Resolutions closer than this count as equal when deciding whether anything changed.
inline constexpr double kResolutionTolerance = 0.0001;

struct ImageSizeSettings {
    int32_t width = 1;  // 1..30000
    int32_t height = 1; // 1..30000
    float resolution = 72.0f; // 1..9999.999
    ResolutionUnit resolutionUnit = ResolutionUnit::PixelsPerInch;
    int32_t oldWidth = 1;
    int32_t oldHeight = 1;
    int32_t method = kDefaultResampleMethod; // 0..5, see kResampleMethodNames
};

// The method as the list shows it: values outside 0..5 move to the nearest end.
int32_t clampResampleMethod(int32_t method);
constexpr bool isSmoothResampling(int32_t method) { return method != kNearestNeighborMethod; }
// Accepts 0..5 or a method name (case-insensitive; spaces may be written as hyphens).
bool parseResampleMethod(std::string_view text, int32_t& method);

constexpr bool isValidCanvasSide(int64_t pixels) { return pixels >= kMinCanvasSide && pixels <= kMaxCanvasSide; }
constexpr bool isValidResolution(double resolution) {
    return resolution >= kMinResolution && resolution <= kMaxResolution;
}
// OK is enabled only for values within every field's range.
bool isAcceptable(const ImageSizeSettings& settings);
// Whether confirming the record changes the document: a new pixel size, a resolution
// differing by the tolerance or more, or another unit.
bool changesDocument(const ImageSizeSettings& settings, float currentResolution, ResolutionUnit currentUnit);

// The size of a thumbnail that fits the picture into box x box pixels with its proportions:
// the longer side becomes box, the shorter one follows (rounded, never below one pixel). A
// picture that already fits keeps its size; thumbnails are never enlarged.
Size thumbnailSize(Size picture, int32_t box);

// ---- the dialog's conversions ----
// A percentage of an old pixel size: trunc(p * old * 0.01 + 0.5).
int64_t pixelsFromPercent(double percent, int32_t oldPixels);
double percentFromPixels(int32_t pixels, int32_t oldPixels);

// "Constrain proportions": the other side follows, never below one pixel.
int32_t proportionalHeight(int32_t oldWidth, int32_t oldHeight, int32_t newWidth);
int32_t proportionalWidth(int32_t oldWidth, int32_t oldHeight, int32_t newHeight);

// Units of the printed document size.
enum class DocumentLengthUnit : int32_t { Percent = 0, Inches = 1, Centimeters = 2, Millimeters = 3 };
// The document size unit the dialog starts with for a resolution unit.
DocumentLengthUnit initialDocumentLengthUnit(ResolutionUnit resolutionUnit);

// Pixels shown as a printed length (Percent is relative to oldPixels).
double documentLengthFromPixels(int32_t pixels, int32_t oldPixels, double resolution,
                                ResolutionUnit resolutionUnit, DocumentLengthUnit unit);
// A printed length back to pixels, rounded to nearest.
int64_t pixelsFromDocumentLength(double length, int32_t oldPixels, double resolution,
                                 ResolutionUnit resolutionUnit, DocumentLengthUnit unit);

// With "Resample image" off the pixels stay and the resolution follows the printed size:
// sqrt(w * h / (docW * docH)) with the lengths in the resolution's own unit (inches or cm).
double resolutionForDocumentSize(int32_t width, int32_t height, double documentWidth, double documentHeight);
// The same for a printed size given in percent: the old resolution / percent * 100.
double resolutionForDocumentPercent(double oldResolution, double percent);

// Bytes of a 24-bit image of that size and the dialog's text for it.
int64_t imageMemoryBytes(int64_t width, int64_t height);
std::string memorySizeText(int64_t bytes);
// The line next to "Pixel Dimensions:": the new size, "(was ...)" when it differs, "--" when invalid.
std::string pixelDimensionsText(const ImageSizeSettings& settings);

} // namespace pict
