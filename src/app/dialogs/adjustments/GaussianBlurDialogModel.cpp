#include "app/dialogs/adjustments/GaussianBlurDialogModel.h"

#include "app/dialogs/DialogNumbers.h"
#include "app/dialogs/adjustments/SliderMappings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace pict {

namespace {

// At most kFieldLength characters holding a number within 0..250.
std::optional<double> parseRadiusText(const std::string& text) {
    if (text.size() > size_t(GaussianBlurDialogModel::kFieldLength))
        return std::nullopt;
    return parseDecimalNumber(text, 0.0, GaussianBlurSettings::kRadius.max);
}

} // namespace

GaussianBlurDialogModel::GaussianBlurDialogModel(DocumentSession& session) : AdjustmentDialogModel(session) {
    resetValues();
}

std::string GaussianBlurDialogModel::formatRadius(double radius) { return formatDecimal(radius, 2); }

int32_t GaussianBlurDialogModel::sliderForRadius(double radius) {
    int32_t best = 0;
    double bestDistance = std::abs(gaussianRadiusFromSlider(0) - radius);
    for (int32_t s = 1; s <= kSliderMax; ++s) {
        const double distance = std::abs(gaussianRadiusFromSlider(s) - radius);
        if (distance < bestDistance) {
            best = s;
            bestDistance = distance;
        }
    }
    return best;
}

void GaussianBlurDialogModel::setSliderPosition(int32_t position) {
    slider_ = std::clamp(position, 0, kSliderMax);
    text_ = formatRadius(gaussianRadiusFromSlider(slider_));
    textValid_ = true;
    const double radius = std::strtod(text_.c_str(), nullptr);
    if (radius == settings_.radius)
        return;
    settings_.radius = radius;
    changed();
}

void GaussianBlurDialogModel::setText(const std::string& text) {
    text_ = text;
    const std::optional<double> parsed = parseRadiusText(text);
    textValid_ = parsed.has_value();
    if (!textValid_)
        return;
    const double radius = *parsed;
    slider_ = sliderForRadius(radius);
    if (radius == settings_.radius)
        return;
    settings_.radius = radius;
    changed();
}

std::unique_ptr<ImageFilter> GaussianBlurDialogModel::makeFilter() const {
    return std::make_unique<GaussianBlurFilter>(settings_);
}

void GaussianBlurDialogModel::resetValues() {
    settings_ = {};
    slider_ = 0;
    text_ = formatRadius(settings_.radius);
    textValid_ = true;
}

} // namespace pict
