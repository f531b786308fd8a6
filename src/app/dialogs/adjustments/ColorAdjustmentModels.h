#pragma once
// The models of the "Brightness/Contrast..." and "Color Balance..." dialogs: their values,
// limited to the ranges of the settings records, and the filter those values make.

#include "app/dialogs/adjustments/AdjustmentDialogModel.h"
#include "imageops/BrightnessContrastFilter.h"
#include "imageops/ColorBalanceFilter.h"

namespace pict {

class BrightnessContrastDialogModel final : public AdjustmentDialogModel {
public:
    using AdjustmentDialogModel::AdjustmentDialogModel;

    const BrightnessContrastSettings& settings() const { return settings_; }
    // Limited to -100..100.
    void setBrightness(int32_t value);
    void setContrast(int32_t value);

protected:
    std::unique_ptr<ImageFilter> makeFilter() const override;
    void resetValues() override { settings_ = {}; }

private:
    BrightnessContrastSettings settings_;
};

// Each tone keeps its own three values; the sliders show those of the chosen tone.
class ColorBalanceDialogModel final : public AdjustmentDialogModel {
public:
    using AdjustmentDialogModel::AdjustmentDialogModel;

    const ColorBalanceSettings& settings() const { return settings_; }
    // "Tone Balance": Shadows, Midtones (at start), Highlights. Out of range is ignored.
    int32_t tone() const { return tone_; }
    void setTone(int32_t tone);
    // The chosen tone's value on one axis (cyan-red, magenta-green, yellow-blue).
    double value(int32_t axis) const;
    // Limited to -100..100; an axis out of range is ignored.
    void setValue(int32_t axis, double value);
    void setPreserveLuminosity(bool on);

protected:
    std::unique_ptr<ImageFilter> makeFilter() const override;
    void resetValues() override;

private:
    ColorBalanceSettings settings_;
    int32_t tone_ = kMidtones;
};

} // namespace pict
