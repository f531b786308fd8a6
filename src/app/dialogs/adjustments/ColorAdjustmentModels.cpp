#include "app/dialogs/adjustments/ColorAdjustmentModels.h"

namespace pict {

namespace {

constexpr int32_t kToneCount = 3;
constexpr int32_t kAxisCount = 3;

bool isIndex(int32_t value, int32_t count) { return value >= 0 && value < count; }

} // namespace

// ---- Brightness/Contrast ----

void BrightnessContrastDialogModel::setBrightness(int32_t value) {
    value = BrightnessContrastSettings::kBrightness.clamp(value);
    if (value == settings_.brightness)
        return;
    settings_.brightness = value;
    changed();
}

void BrightnessContrastDialogModel::setContrast(int32_t value) {
    value = BrightnessContrastSettings::kContrast.clamp(value);
    if (value == settings_.contrast)
        return;
    settings_.contrast = value;
    changed();
}

std::unique_ptr<ImageFilter> BrightnessContrastDialogModel::makeFilter() const {
    return std::make_unique<BrightnessContrastFilter>(settings_);
}

// ---- Color Balance ----

void ColorBalanceDialogModel::setTone(int32_t tone) {
    if (isIndex(tone, kToneCount))
        tone_ = tone;
}

double ColorBalanceDialogModel::value(int32_t axis) const {
    return isIndex(axis, kAxisCount) ? settings_.value[size_t(axis)][size_t(tone_)] : 0.0;
}

void ColorBalanceDialogModel::setValue(int32_t axis, double value) {
    if (!isIndex(axis, kAxisCount))
        return;
    value = ColorBalanceSettings::kValue.clamp(value);
    double& stored = settings_.value[size_t(axis)][size_t(tone_)];
    if (value == stored)
        return;
    stored = value;
    changed();
}

void ColorBalanceDialogModel::setPreserveLuminosity(bool on) {
    if (on == settings_.preserveLuminosity)
        return;
    settings_.preserveLuminosity = on;
    changed();
}

std::unique_ptr<ImageFilter> ColorBalanceDialogModel::makeFilter() const {
    return std::make_unique<ColorBalanceFilter>(settings_);
}

void ColorBalanceDialogModel::resetValues() {
    settings_ = {};
    tone_ = kMidtones;
}

} // namespace pict
