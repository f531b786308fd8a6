#include "app/core/GaussianBlurDialogModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace pict {

namespace {

// Digits with at most one decimal point, at most kFieldLength characters, within 0..250.
bool parseRadiusText(const std::string& text, double& radius) {
    if (text.empty() || text.size() > size_t(GaussianBlurDialogModel::kFieldLength))
        return false;
    int32_t points = 0;
    int32_t digits = 0;
    for (char c : text) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return false;
    }
    if (points > 1 || digits == 0)
        return false;
    const double value = std::strtod(text.c_str(), nullptr);
    if (!(value >= 0.0 && value <= GaussianBlurSettings::kRadius.max))
        return false;
    radius = value;
    return true;
}

} // namespace

GaussianBlurDialogModel::GaussianBlurDialogModel(DocumentSession& session) : AdjustmentDialogModel(session) {
    resetValues();
}

std::string GaussianBlurDialogModel::formatRadius(double radius) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", radius);
    std::string text = buffer;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

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
    double radius = 0.0;
    textValid_ = parseRadiusText(text, radius);
    if (!textValid_)
        return;
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
