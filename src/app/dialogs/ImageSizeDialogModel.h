#pragma once
// The Image Size dialog without its widgets: the five entries (pixel width and height,
// printed width and height, resolution) in their units, "Constrain proportions" and
// "Resample image", and the record OK confirms. An edit recomputes the other entries; the
// entry being typed into keeps the text as typed.

#include "app/dialogs/ImageSizeSettings.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pict {

enum class PixelEntryUnit : int32_t { Pixels = 0, Percent = 1 };
inline constexpr std::array<std::string_view, 2> kPixelEntryUnitNames = {"pixels", "percent"};
inline constexpr std::array<std::string_view, 4> kDocumentLengthUnitNames = {"percent", "inches", "cm", "mm"};

enum class ImageSizeField : int32_t { PixelWidth, PixelHeight, DocumentWidth, DocumentHeight, Resolution };
inline constexpr size_t kImageSizeFieldCount = 5;

class ImageSizeDialogModel {
public:
    // The document as it is: its size, resolution and resolution unit.
    ImageSizeDialogModel(int32_t width, int32_t height, float resolution, ResolutionUnit resolutionUnit);

    // Text typed into an entry.
    void edit(ImageSizeField field, std::string_view text);
    void setPixelUnit(PixelEntryUnit unit);
    void setDocumentUnit(DocumentLengthUnit unit);
    void setResolutionUnit(ResolutionUnit unit);
    void setConstrain(bool on);
    // Off: the pixels go back to the document's and stay; the printed size sets the resolution.
    void setResample(bool on);
    void setMethod(int32_t method) { method_ = clampResampleMethod(method); }

    const std::string& text(ImageSizeField field) const { return texts_[index(field)]; }
    PixelEntryUnit pixelUnit() const { return pixelUnit_; }
    DocumentLengthUnit documentUnit() const { return documentUnit_; }
    ResolutionUnit resolutionUnit() const { return resolutionUnit_; }
    bool constrain() const { return constrain_ || !resample_; }
    bool resample() const { return resample_; }
    int32_t method() const { return method_; }
    // With resampling off the pixel entries, the method and the constrain box are fixed.
    bool pixelEntriesEnabled() const { return resample_; }

    // OK: every entry reads as a number and the values lie within their ranges.
    bool acceptable() const;
    // The memory line of "Pixel Dimensions:".
    std::string pixelDimensionsLine() const;
    ImageSizeSettings settings() const;

private:
    static size_t index(ImageSizeField field) { return static_cast<size_t>(field); }
    void editPixels(bool horizontal, double value);
    void editDocumentLength(bool horizontal, double value);
    void followProportions(bool fromWidth);
    // Rewrites every entry but `except` from the values.
    void show(ImageSizeField except);
    void showAll();
    std::string pixelText(int64_t pixels, int32_t oldPixels) const;
    std::string documentText(int64_t pixels, int32_t oldPixels) const;

    int32_t oldWidth_;
    int32_t oldHeight_;
    double oldResolution_; // in resolutionUnit_ units
    ResolutionUnit oldResolutionUnit_;
    int64_t width_;
    int64_t height_;
    double resolution_;
    ResolutionUnit resolutionUnit_;
    PixelEntryUnit pixelUnit_ = PixelEntryUnit::Pixels;
    DocumentLengthUnit documentUnit_;
    bool constrain_ = true;
    bool resample_ = true;
    int32_t method_ = kDefaultResampleMethod;
    std::array<std::string, kImageSizeFieldCount> texts_;
    std::array<bool, kImageSizeFieldCount> readable_{true, true, true, true, true};
};

} // namespace pict
