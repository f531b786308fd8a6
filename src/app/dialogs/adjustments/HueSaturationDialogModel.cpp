#include "app/dialogs/adjustments/HueSaturationDialogModel.h"

namespace pict {

void HueSaturationDialogModel::setColorize(bool on) {
    if (on == colorize_)
        return;
    colorize_ = on;
    range_ = kMaster;
    changed();
}

void HueSaturationDialogModel::setEditRange(int32_t range) {
    if (colorize_ || range < 0 || range >= kHueRangeCount)
        return;
    range_ = range;
}

ParamRange<int32_t> HueSaturationDialogModel::range(Field field) const {
    static constexpr ParamRange<int32_t> kNormal[kFieldCount] = {
        HueSaturationSettings::kHue, HueSaturationSettings::kSaturation, HueSaturationSettings::kLightness};
    static constexpr ParamRange<int32_t> kColorize[kFieldCount] = {
        ColorizeSettings::kHue, ColorizeSettings::kSaturation, ColorizeSettings::kLightness};
    const int32_t index = field >= 0 && field < kFieldCount ? field : kHue;
    return colorize_ ? kColorize[index] : kNormal[index];
}

template <class Self>
auto* HueSaturationDialogModel::slotOf(Self& self, Field field) {
    auto& colorize = self.colorizeSettings_;
    auto& normal = self.hueSaturation_;
    const auto k = size_t(self.range_);
    switch (field) {
    case kHue: return self.colorize_ ? &colorize.hue : &normal.hue[k];
    case kSaturation: return self.colorize_ ? &colorize.saturation : &normal.saturation[k];
    case kLightness: break;
    }
    return self.colorize_ ? &colorize.lightness : &normal.lightness[k];
}

int32_t HueSaturationDialogModel::value(Field field) const { return *slotOf(*this, field); }

void HueSaturationDialogModel::setValue(Field field, int32_t value) {
    int32_t* stored = slotOf(*this, field);
    value = range(field).clamp(value);
    if (value == *stored)
        return;
    *stored = value;
    changed();
}

std::unique_ptr<ImageFilter> HueSaturationDialogModel::makeFilter() const {
    if (colorize_)
        return std::make_unique<ColorizeFilter>(colorizeSettings_);
    return std::make_unique<HueSaturationFilter>(hueSaturation_);
}

void HueSaturationDialogModel::resetValues() {
    hueSaturation_ = {};
    colorizeSettings_ = {};
    colorize_ = false;
    range_ = kMaster;
}

} // namespace pict
