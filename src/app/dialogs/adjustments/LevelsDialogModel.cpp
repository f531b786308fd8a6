#include "app/dialogs/adjustments/LevelsDialogModel.h"

#include "app/dialogs/adjustments/SliderMappings.h"

#include <algorithm>
#include <cmath>

namespace pict {

LevelsDialogModel::LevelsDialogModel(DocumentSession& session, const Histogram& histogram)
    : AdjustmentDialogModel(session), histogram_(histogram) {}

void LevelsDialogModel::setChannel(int32_t channel) {
    if (channel >= 0 && channel < kToneChannelCount)
        channel_ = channel;
}

void LevelsDialogModel::store(const LevelsChannel& next) {
    if (next == values())
        return;
    edited() = next;
    changed();
}

void LevelsDialogModel::setInputBlack(int32_t level) {
    LevelsChannel next = values();
    next.inputBlack = std::clamp(level, 0, next.inputWhite - kInputGap);
    store(next);
}

void LevelsDialogModel::setInputWhite(int32_t level) {
    LevelsChannel next = values();
    next.inputWhite = std::clamp(level, next.inputBlack + kInputGap, 255);
    store(next);
}

void LevelsDialogModel::setGamma(double gamma) {
    if (!std::isfinite(gamma))
        return;
    LevelsChannel next = values();
    next.gamma = LevelsChannel::kGamma.clamp(std::round(gamma * 100.0) / 100.0);
    store(next);
}

void LevelsDialogModel::setOutputBlack(int32_t level) {
    LevelsChannel next = values();
    next.outputBlack = LevelsChannel::kLevel.clamp(level);
    store(next);
}

void LevelsDialogModel::setOutputWhite(int32_t level) {
    LevelsChannel next = values();
    next.outputWhite = LevelsChannel::kLevel.clamp(level);
    store(next);
}

int32_t LevelsDialogModel::gammaSliderPosition() const {
    return levelsSliderFromGamma(values().gamma, values().inputBlack, values().inputWhite);
}

void LevelsDialogModel::setGammaFromSlider(int32_t position) {
    setGamma(levelsGammaFromSlider(position, values().inputBlack, values().inputWhite));
}

std::array<uint32_t, 256> LevelsDialogModel::displayedCounts() const {
    // Tone channels count composite, red, green, blue; the histogram's channels are red,
    // green, blue or all three.
    const int32_t source = channel_ == kToneComposite ? Histogram::kAllChannels : channel_ - 1;
    std::array<uint32_t, 256> counts{};
    for (int32_t level = 0; level < 256; ++level)
        counts[size_t(level)] = histogram_.levelCount(source, level);
    return counts;
}

std::unique_ptr<ImageFilter> LevelsDialogModel::makeFilter() const { return std::make_unique<LevelsFilter>(settings_); }

void LevelsDialogModel::resetValues() {
    settings_ = {};
    channel_ = kToneComposite;
}

} // namespace pict
