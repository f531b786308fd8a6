#include "imageops/ColorBalanceFilter.h"

#include "imageops/HslConversion.h"
#include "imageops/HslTables.h"

#include <cmath>

namespace pict {
namespace {

struct TransferCurves {
    // [tone][0] is the curve for positive values, [tone][1] for the others.
    double curve[3][2][256];
};

TransferCurves makeTransferCurves() {
    TransferCurves t{};
    for (int i = 0; i < 256; ++i) {
        const double low = 1.075 - 1.0 / (i * 0.0625 + 1.0);
        const double d = (i - 127) * 0.007874015748031496;
        const double mid = 0.667 * (1.0 - d * d);
        t.curve[kShadows][0][i] = low;
        t.curve[kShadows][1][255 - i] = low;
        t.curve[kMidtones][0][i] = mid;
        t.curve[kMidtones][1][i] = mid;
        t.curve[kHighlights][0][255 - i] = low;
        t.curve[kHighlights][1][i] = low;
    }
    return t;
}

void buildChannel(uint8_t (&table)[256], const std::array<double, 3>& tones, const TransferCurves& t) {
    for (int i = 0; i < 256; ++i) {
        int32_t v = i;
        for (int32_t tone = kShadows; tone <= kHighlights; ++tone) {
            const double amount = tones[tone];
            const double* curve = t.curve[tone][amount > 0.0 ? 0 : 1];
            v = clampToByteRange(v + static_cast<int32_t>(std::trunc(amount * curve[v])));
        }
        table[i] = static_cast<uint8_t>(v);
    }
}

} // namespace

ColorBalanceFilter::ColorBalanceFilter(const ColorBalanceSettings& settings)
    : settings_(settings.limited()), hsl_(&HslTables::get()) {
    const TransferCurves curves = makeTransferCurves();
    buildChannel(tables_.red, settings_.value[kCyanRed], curves);
    buildChannel(tables_.green, settings_.value[kMagentaGreen], curves);
    buildChannel(tables_.blue, settings_.value[kYellowBlue], curves);
}

void ColorBalanceFilter::pixelRgb(uint8_t* bgr) const {
    const int32_t b = bgr[0], g = bgr[1], r = bgr[2];
    int32_t nr = tables_.red[r], ng = tables_.green[g], nb = tables_.blue[b];
    if (settings_.preserveLuminosity) {
        const Hsl adjusted = hsl_->toHsl(nr, ng, nb);
        hsl_->toBgr(adjusted.h, adjusted.s, hslLightness(r, g, b), bgr);
        return;
    }
    bgr[0] = static_cast<uint8_t>(nb);
    bgr[1] = static_cast<uint8_t>(ng);
    bgr[2] = static_cast<uint8_t>(nr);
}

} // namespace pict
