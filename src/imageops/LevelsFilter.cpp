#include "imageops/LevelsFilter.h"

#include <cmath>

namespace pict {
namespace {

constexpr double kOneOver255 = 1.0 / 255.0;

double levelStep(double v, const LevelsChannel& s) {
    v = 255.0 * v - s.inputBlack;
    if (s.inputWhite != s.inputBlack)
        v /= double(s.inputWhite - s.inputBlack);
    if (s.gamma != 0.0) {
        const double exponent = 1.0 / s.gamma;
        v = v >= 0.0 ? std::pow(v, exponent) : -std::pow(-v, exponent);
    }
    if (s.outputWhite < s.outputBlack)
        v = s.outputBlack - v * double(s.outputBlack - s.outputWhite);
    else
        v = v * double(s.outputWhite - s.outputBlack) + s.outputBlack;
    return v * kOneOver255;
}

void buildTable(uint8_t (&table)[256], const LevelsChannel& own, const LevelsChannel& composite) {
    for (int i = 0; i < 256; ++i) {
        double v = i * kOneOver255;
        v = levelStep(v, own);
        v = levelStep(v, composite);
        table[i] = roundToByte(v * 255.0);
    }
}

} // namespace

LevelsFilter::LevelsFilter(const LevelsSettings& settings)
    : TablePointFilter(GrayTable::None) {
    for (int32_t c = 0; c < kToneChannelCount; ++c)
        settings_.channel[c] = settings.channel[c].limited();
    const LevelsChannel& composite = settings_.channel[kToneComposite];
    buildTable(tables_.red, settings_.channel[kToneRed], composite);
    buildTable(tables_.green, settings_.channel[kToneGreen], composite);
    buildTable(tables_.blue, settings_.channel[kToneBlue], composite);
}

} // namespace pict
