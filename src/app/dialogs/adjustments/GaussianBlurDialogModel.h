#pragma once
// The model of the "Gaussian Blur..." dialog: the "&Radius:" field and its slider, coupled
// both ways. The field holds what the user typed; the radius is the number it holds.

#include "app/dialogs/adjustments/AdjustmentDialogModel.h"
#include "imageops/GaussianBlurFilter.h"

#include <string>

namespace pict {

class GaussianBlurDialogModel final : public AdjustmentDialogModel {
public:
    static constexpr int32_t kSliderMax = 200;
    static constexpr int32_t kFieldLength = 6;

    explicit GaussianBlurDialogModel(DocumentSession& session);

    double radius() const { return settings_.radius; }
    const std::string& text() const { return text_; }
    int32_t sliderPosition() const { return slider_; }

    // The slider moved: the radius follows its curve, shown with at most two decimals,
    // and the field shows that radius.
    void setSliderPosition(int32_t position);
    // The field was edited: while it holds a number within 0..250 the radius takes it and
    // the slider moves to the nearest position.
    void setText(const std::string& text);
    // OK is enabled only while the field holds such a number.
    bool canConfirm() const { return textValid_; }

    // The radius as the field shows it: at most two decimals, no trailing zeros.
    static std::string formatRadius(double radius);
    // The slider position whose radius is nearest.
    static int32_t sliderForRadius(double radius);

protected:
    std::unique_ptr<ImageFilter> makeFilter() const override;
    void resetValues() override;

private:
    GaussianBlurSettings settings_;
    std::string text_;
    int32_t slider_ = 0;
    bool textValid_ = true;
};

} // namespace pict
