#pragma once
// The model of the "Hue/Saturation..." dialog: Master and the six hue ranges, or, with
// "C&olorize" checked, the one hue, saturation and lightness of the Colorize filter. Each
// mode keeps its own values; switching to Colorize sets "&Edit:" back to Master.

#include "app/dialogs/adjustments/AdjustmentDialogModel.h"
#include "imageops/HueSaturationFilter.h"

namespace pict {

class HueSaturationDialogModel final : public AdjustmentDialogModel {
public:
    // The three sliders, in the dialog's order.
    enum Field : int32_t { kHue = 0, kSaturation = 1, kLightness = 2 };
    static constexpr int32_t kFieldCount = 3;

    using AdjustmentDialogModel::AdjustmentDialogModel;

    bool isColorize() const { return colorize_; }
    void setColorize(bool on);
    // "&Edit:": Master or one of the six ranges; fixed at Master while colorizing.
    int32_t editRange() const { return range_; }
    bool canChooseRange() const { return !colorize_; }
    void setEditRange(int32_t range);

    // The field's range in the current mode (Colorize: hue 0..360, saturation 0..100).
    ParamRange<int32_t> range(Field field) const;
    // The field's value for the edited range (or the Colorize value).
    int32_t value(Field field) const;
    // Limited to the field's range.
    void setValue(Field field, int32_t value);

    const HueSaturationSettings& hueSaturation() const { return hueSaturation_; }
    const ColorizeSettings& colorize() const { return colorizeSettings_; }

protected:
    std::unique_ptr<ImageFilter> makeFilter() const override;
    void resetValues() override;

private:
    // The stored value a field edits now (int32_t* or const int32_t*).
    template <class Self>
    static auto* slotOf(Self& self, Field field);

    HueSaturationSettings hueSaturation_;
    ColorizeSettings colorizeSettings_;
    bool colorize_ = false;
    int32_t range_ = kMaster;
};

} // namespace pict
