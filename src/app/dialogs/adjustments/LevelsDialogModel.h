#pragma once
// The model of the "Levels..." dialog: one channel's five values at a time ("RGB", "Red",
// "Green", "Blue"), the middle input slider that stands for gamma, and the histogram of the
// layer within the selection that the dialog draws behind the input sliders.

#include "app/dialogs/adjustments/AdjustmentDialogModel.h"
#include "imageops/Histogram.h"
#include "imageops/LevelsFilter.h"

#include <array>

namespace pict {

class LevelsDialogModel final : public AdjustmentDialogModel {
public:
    // The input black and white points stay this far apart, so that the middle slider has
    // room between them and the table never divides by zero.
    static constexpr int32_t kInputGap = 2;

    LevelsDialogModel(DocumentSession& session, const Histogram& histogram);

    const LevelsSettings& settings() const { return settings_; }
    int32_t channel() const { return channel_; }
    // Out of range is ignored.
    void setChannel(int32_t channel);
    const LevelsChannel& values() const { return settings_.channel[size_t(channel_)]; }

    // Input levels 0..255, black kept below white by kInputGap (the other point does not
    // move); gamma 0.1..9.99 in steps of 0.01; output levels 0..255 in either order (white
    // below black inverts).
    void setInputBlack(int32_t level);
    void setInputWhite(int32_t level);
    void setGamma(double gamma);
    void setOutputBlack(int32_t level);
    void setOutputWhite(int32_t level);

    // The middle input slider, between the black and white positions.
    int32_t gammaSliderPosition() const;
    void setGammaFromSlider(int32_t position);

    // The counts the histogram shows for the chosen channel ("RGB": the three summed).
    std::array<uint32_t, 256> displayedCounts() const;

protected:
    std::unique_ptr<ImageFilter> makeFilter() const override;
    void resetValues() override;

private:
    LevelsChannel& edited() { return settings_.channel[size_t(channel_)]; }
    void store(const LevelsChannel& next);

    Histogram histogram_;
    LevelsSettings settings_;
    int32_t channel_ = kToneComposite;
};

} // namespace pict
