#include "app/dialogs/ImageSizeSettings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace pict {

namespace {

constexpr double kCentimetersPerInch = 2.54;

int64_t roundToPixels(double value) {
    if (!std::isfinite(value))
        return 0;
    // Clamped first so that absurd entries stay invalid instead of overflowing. Negative
    // values (relative entries) round symmetrically, so that -20 stays -20.
    value = std::clamp(value, -1e12, 1e12);
    return value < 0 ? -static_cast<int64_t>(-value + 0.5) : static_cast<int64_t>(value + 0.5);
}

bool equalsIgnoringCase(std::string_view text, std::string_view name) {
    if (text.size() != name.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char a = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
        char b = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
        if (a == '-')
            a = ' ';
        if (a != b)
            return false;
    }
    return true;
}

} // namespace

int32_t clampResampleMethod(int32_t method) {
    return std::clamp<int32_t>(method, 0, static_cast<int32_t>(kResampleMethodNames.size()) - 1);
}

bool parseResampleMethod(std::string_view text, int32_t& method) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '5') {
        method = text[0] - '0';
        return true;
    }
    for (size_t i = 0; i < kResampleMethodNames.size(); ++i) {
        if (equalsIgnoringCase(text, kResampleMethodNames[i])) {
            method = static_cast<int32_t>(i);
            return true;
        }
    }
    return false;
}

bool isAcceptable(const ImageSizeSettings& s) {
    return isValidCanvasSide(s.width) && isValidCanvasSide(s.height) && isValidResolution(s.resolution) &&
           isValidResolutionUnit(s.resolutionUnit);
}

bool changesDocument(const ImageSizeSettings& s, float currentResolution, ResolutionUnit currentUnit) {
    if (s.width != s.oldWidth || s.height != s.oldHeight)
        return true;
    if (std::fabs(static_cast<double>(s.resolution) - static_cast<double>(currentResolution)) >= kResolutionTolerance)
        return true;
    return s.resolutionUnit != currentUnit;
}

int64_t pixelsFromPercent(double percent, int32_t oldPixels) {
    return roundToPixels(percent * oldPixels * 0.01);
}

double percentFromPixels(int32_t pixels, int32_t oldPixels) {
    return oldPixels > 0 ? 100.0 * pixels / oldPixels : 0.0;
}

int32_t proportionalHeight(int32_t oldWidth, int32_t oldHeight, int32_t newWidth) {
    if (oldWidth <= 0)
        return 1;
    int64_t h = roundToPixels(static_cast<double>(oldHeight) * newWidth / oldWidth);
    return static_cast<int32_t>(std::clamp<int64_t>(h, 1, INT32_MAX));
}

int32_t proportionalWidth(int32_t oldWidth, int32_t oldHeight, int32_t newHeight) {
    return proportionalHeight(oldHeight, oldWidth, newHeight);
}

Size thumbnailSize(Size picture, int32_t box) {
    if (box < 1 || (picture.width <= box && picture.height <= box))
        return picture;
    // The other side follows as "Constrain proportions" would make it follow.
    if (picture.width >= picture.height)
        return {box, std::min(box, proportionalHeight(picture.width, picture.height, box))};
    return {std::min(box, proportionalWidth(picture.width, picture.height, box)), box};
}

DocumentLengthUnit initialDocumentLengthUnit(ResolutionUnit resolutionUnit) {
    return resolutionUnit == ResolutionUnit::PixelsPerCentimeter ? DocumentLengthUnit::Centimeters
                                                                 : DocumentLengthUnit::Inches;
}

double documentLengthFromPixels(int32_t pixels, int32_t oldPixels, double resolution,
                                ResolutionUnit resolutionUnit, DocumentLengthUnit unit) {
    if (unit == DocumentLengthUnit::Percent)
        return percentFromPixels(pixels, oldPixels);
    double ppi = pixelsPerInch(resolution, resolutionUnit);
    if (ppi <= 0)
        return 0.0;
    double inches = pixels / ppi;
    switch (unit) {
    case DocumentLengthUnit::Inches: return inches;
    case DocumentLengthUnit::Centimeters: return inches * kCentimetersPerInch;
    case DocumentLengthUnit::Millimeters: return inches * kCentimetersPerInch * 10.0;
    case DocumentLengthUnit::Percent: break;
    }
    return 0.0;
}

int64_t pixelsFromDocumentLength(double length, int32_t oldPixels, double resolution,
                                 ResolutionUnit resolutionUnit, DocumentLengthUnit unit) {
    double ppi = pixelsPerInch(resolution, resolutionUnit);
    switch (unit) {
    case DocumentLengthUnit::Percent: return pixelsFromPercent(length, oldPixels);
    case DocumentLengthUnit::Inches: return roundToPixels(length * ppi);
    case DocumentLengthUnit::Centimeters: return roundToPixels(length / kCentimetersPerInch * ppi);
    case DocumentLengthUnit::Millimeters: return roundToPixels(length / (10.0 * kCentimetersPerInch) * ppi);
    }
    return 0;
}

double resolutionForDocumentSize(int32_t width, int32_t height, double documentWidth, double documentHeight) {
    double area = documentWidth * documentHeight;
    if (!(area > 0))
        return 0.0;
    return std::sqrt(static_cast<double>(width) * height / area);
}

double resolutionForDocumentPercent(double oldResolution, double percent) {
    return percent > 0 ? oldResolution / percent * 100.0 : 0.0;
}

int64_t imageMemoryBytes(int64_t width, int64_t height) {
    return width > 0 && height > 0 ? width * height * 3 : 0;
}

std::string memorySizeText(int64_t bytes) {
    char text[32];
    if (bytes < 1024 * 1024)
        std::snprintf(text, sizeof text, "%lldK", static_cast<long long>((bytes + 1023) / 1024));
    else
        std::snprintf(text, sizeof text, "%.2fM", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

std::string pixelDimensionsText(const ImageSizeSettings& s) {
    if (!isAcceptable(s))
        return "--";
    std::string now = memorySizeText(imageMemoryBytes(s.width, s.height));
    if (s.width == s.oldWidth && s.height == s.oldHeight)
        return now;
    return now + " (was " + memorySizeText(imageMemoryBytes(s.oldWidth, s.oldHeight)) + ")";
}

} // namespace pict
