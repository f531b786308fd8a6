#include "app/dialogs/ImageSizeDialogModel.h"

#include "app/dialogs/DialogNumbers.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace pict {

namespace {

constexpr double kAnyNumber = std::numeric_limits<double>::max();

// Places shown per printed unit; resolutions get three, as the limit 9999.999 has.
int decimalsOf(DocumentLengthUnit unit) {
    return unit == DocumentLengthUnit::Percent || unit == DocumentLengthUnit::Millimeters ? 2 : 3;
}
constexpr int kResolutionDecimals = 3;

// A printed length in the resolution's own unit (inches for pixels/inch, cm for pixels/cm).
double lengthInResolutionUnit(double length, DocumentLengthUnit unit, ResolutionUnit resolutionUnit) {
    double cm = 0;
    switch (unit) {
    case DocumentLengthUnit::Inches: cm = length * 2.54; break;
    case DocumentLengthUnit::Centimeters: cm = length; break;
    case DocumentLengthUnit::Millimeters: cm = length / 10.0; break;
    case DocumentLengthUnit::Percent: return 0;
    }
    return resolutionUnit == ResolutionUnit::PixelsPerCentimeter ? cm : cm / 2.54;
}

} // namespace

ImageSizeDialogModel::ImageSizeDialogModel(int32_t width, int32_t height, float resolution,
                                           ResolutionUnit resolutionUnit)
    : oldWidth_(width), oldHeight_(height), oldResolution_(resolution), oldResolutionUnit_(resolutionUnit),
      width_(width), height_(height), resolution_(resolution), resolutionUnit_(resolutionUnit),
      documentUnit_(initialDocumentLengthUnit(resolutionUnit)) {
    showAll();
}

void ImageSizeDialogModel::edit(ImageSizeField field, std::string_view text) {
    const size_t i = index(field);
    texts_[i] = std::string(text);
    const std::optional<double> value = parseDecimalNumber(text, -kAnyNumber, kAnyNumber);
    readable_[i] = value.has_value();
    if (!value)
        return;
    switch (field) {
    case ImageSizeField::PixelWidth: editPixels(true, *value); break;
    case ImageSizeField::PixelHeight: editPixels(false, *value); break;
    case ImageSizeField::DocumentWidth: editDocumentLength(true, *value); break;
    case ImageSizeField::DocumentHeight: editDocumentLength(false, *value); break;
    case ImageSizeField::Resolution: resolution_ = *value; break; // the pixels stay, the print size follows
    }
    show(field);
}

void ImageSizeDialogModel::editPixels(bool horizontal, double value) {
    if (!resample_)
        return;
    const int32_t old = horizontal ? oldWidth_ : oldHeight_;
    const int64_t pixels = pixelUnit_ == PixelEntryUnit::Percent ? pixelsFromPercent(value, old)
                                                                 : pixelsFromPercent(value * 100.0, 1);
    (horizontal ? width_ : height_) = pixels;
    followProportions(horizontal);
}

void ImageSizeDialogModel::editDocumentLength(bool horizontal, double value) {
    if (resample_) {
        const int32_t old = horizontal ? oldWidth_ : oldHeight_;
        (horizontal ? width_ : height_) =
            pixelsFromDocumentLength(value, old, resolution_, resolutionUnit_, documentUnit_);
        followProportions(horizontal);
        return;
    }
    // The pixels are fixed and proportions kept, so one side alone fixes the resolution.
    if (documentUnit_ == DocumentLengthUnit::Percent) {
        resolution_ = resolutionForDocumentPercent(convertResolution(oldResolution_, oldResolutionUnit_,
                                                                     resolutionUnit_),
                                                   value);
        return;
    }
    const double length = lengthInResolutionUnit(value, documentUnit_, resolutionUnit_);
    const int64_t side = horizontal ? width_ : height_;
    const int64_t other = horizontal ? height_ : width_;
    const double otherLength = side > 0 ? length * double(other) / double(side) : 0;
    resolution_ = resolutionForDocumentSize(int32_t(width_), int32_t(height_), horizontal ? length : otherLength,
                                            horizontal ? otherLength : length);
}

void ImageSizeDialogModel::followProportions(bool fromWidth) {
    if (!constrain() || !isValidCanvasSide(fromWidth ? width_ : height_))
        return;
    if (fromWidth)
        height_ = proportionalHeight(oldWidth_, oldHeight_, int32_t(width_));
    else
        width_ = proportionalWidth(oldWidth_, oldHeight_, int32_t(height_));
}

void ImageSizeDialogModel::setPixelUnit(PixelEntryUnit unit) {
    pixelUnit_ = unit;
    showAll();
}

void ImageSizeDialogModel::setDocumentUnit(DocumentLengthUnit unit) {
    documentUnit_ = unit;
    showAll();
}

void ImageSizeDialogModel::setResolutionUnit(ResolutionUnit unit) {
    if (!isValidResolutionUnit(unit))
        return;
    resolution_ = convertResolution(resolution_, resolutionUnit_, unit);
    resolutionUnit_ = unit;
    showAll();
}

void ImageSizeDialogModel::setConstrain(bool on) {
    constrain_ = on;
    followProportions(true);
    showAll();
}

void ImageSizeDialogModel::setResample(bool on) {
    resample_ = on;
    if (!resample_) {
        width_ = oldWidth_;
        height_ = oldHeight_;
    }
    showAll();
}

bool ImageSizeDialogModel::acceptable() const {
    for (bool readable : readable_)
        if (!readable)
            return false;
    return isValidCanvasSide(width_) && isValidCanvasSide(height_) && isValidResolution(resolution_);
}

std::string ImageSizeDialogModel::pixelDimensionsLine() const {
    return acceptable() ? pixelDimensionsText(settings()) : "--";
}

ImageSizeSettings ImageSizeDialogModel::settings() const {
    ImageSizeSettings s;
    s.width = int32_t(std::clamp<int64_t>(width_, 0, kMaxCanvasSide + 1));
    s.height = int32_t(std::clamp<int64_t>(height_, 0, kMaxCanvasSide + 1));
    s.resolution = float(resolution_);
    s.resolutionUnit = resolutionUnit_;
    s.oldWidth = oldWidth_;
    s.oldHeight = oldHeight_;
    s.method = method_;
    return s;
}

std::string ImageSizeDialogModel::pixelText(int64_t pixels, int32_t oldPixels) const {
    if (pixelUnit_ == PixelEntryUnit::Percent)
        return formatDecimal(percentFromPixels(int32_t(pixels), oldPixels), 2);
    return std::to_string(pixels);
}

std::string ImageSizeDialogModel::documentText(int64_t pixels, int32_t oldPixels) const {
    return formatDecimal(
        documentLengthFromPixels(int32_t(pixels), oldPixels, resolution_, resolutionUnit_, documentUnit_),
        decimalsOf(documentUnit_));
}

void ImageSizeDialogModel::show(ImageSizeField except) {
    // Values that cannot be shown sensibly (a side out of range) leave their entry alone.
    const bool sidesValid = isValidCanvasSide(width_) && isValidCanvasSide(height_);
    const auto put = [&](ImageSizeField field, std::string text) {
        if (field == except)
            return;
        texts_[index(field)] = std::move(text);
        readable_[index(field)] = true;
    };
    if (sidesValid) {
        put(ImageSizeField::PixelWidth, pixelText(width_, oldWidth_));
        put(ImageSizeField::PixelHeight, pixelText(height_, oldHeight_));
        if (isValidResolution(resolution_)) {
            put(ImageSizeField::DocumentWidth, documentText(width_, oldWidth_));
            put(ImageSizeField::DocumentHeight, documentText(height_, oldHeight_));
        }
    }
    put(ImageSizeField::Resolution, formatDecimal(resolution_, kResolutionDecimals));
}

void ImageSizeDialogModel::showAll() {
    show(static_cast<ImageSizeField>(kImageSizeFieldCount));
}

} // namespace pict
