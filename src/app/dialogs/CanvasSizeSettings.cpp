#include "app/dialogs/CanvasSizeSettings.h"

namespace pict {

Point anchorOffset(Size oldSize, Size newSize, int32_t anchor) {
    if (anchor < 0 || anchor >= kAnchorCount)
        anchor = kCenterAnchor;
    const int32_t column = anchor % 3;
    const int32_t row = anchor / 3;
    const int32_t dw = oldSize.width - newSize.width;
    const int32_t dh = oldSize.height - newSize.height;
    // Integer division truncates toward zero, which is the rule for odd differences.
    const int32_t x[3] = {0, -(dw / 2), -dw};
    const int32_t y[3] = {0, -(dh / 2), -dh};
    return {x[column], y[row]};
}

bool isAcceptable(const CanvasSizeSettings& s) {
    return isValidCanvasSide(s.width) && isValidCanvasSide(s.height);
}

int64_t canvasPixelsFromEntry(double value, CanvasLengthUnit unit, bool relative, int32_t currentPixels,
                              double resolution, ResolutionUnit resolutionUnit) {
    int64_t pixels = 0;
    switch (unit) {
    case CanvasLengthUnit::Percent: pixels = pixelsFromPercent(value, currentPixels); break;
    case CanvasLengthUnit::Pixels:
        pixels = pixelsFromPercent(value * 100.0, 1);
        break;
    case CanvasLengthUnit::Inches:
        pixels = pixelsFromDocumentLength(value, 0, resolution, resolutionUnit, DocumentLengthUnit::Inches);
        break;
    case CanvasLengthUnit::Centimeters:
        pixels = pixelsFromDocumentLength(value, 0, resolution, resolutionUnit, DocumentLengthUnit::Centimeters);
        break;
    case CanvasLengthUnit::Millimeters:
        pixels = pixelsFromDocumentLength(value, 0, resolution, resolutionUnit, DocumentLengthUnit::Millimeters);
        break;
    }
    return relative ? currentPixels + pixels : pixels;
}

double canvasEntryFromPixels(int32_t pixels, CanvasLengthUnit unit, bool relative, int32_t currentPixels,
                             double resolution, ResolutionUnit resolutionUnit) {
    // Relative fields show the change; percent of a change is relative to the current size.
    const int32_t shown = relative ? pixels - currentPixels : pixels;
    switch (unit) {
    case CanvasLengthUnit::Percent: return percentFromPixels(shown, currentPixels);
    case CanvasLengthUnit::Pixels: return shown;
    case CanvasLengthUnit::Inches:
        return documentLengthFromPixels(shown, 0, resolution, resolutionUnit, DocumentLengthUnit::Inches);
    case CanvasLengthUnit::Centimeters:
        return documentLengthFromPixels(shown, 0, resolution, resolutionUnit, DocumentLengthUnit::Centimeters);
    case CanvasLengthUnit::Millimeters:
        return documentLengthFromPixels(shown, 0, resolution, resolutionUnit, DocumentLengthUnit::Millimeters);
    }
    return shown;
}

std::string canvasMemoryText(int32_t width, int32_t height) {
    return memorySizeText(imageMemoryBytes(width, height));
}

std::string pixelCountText(int32_t pixels) { return std::to_string(pixels) + " pixels"; }

} // namespace pict
