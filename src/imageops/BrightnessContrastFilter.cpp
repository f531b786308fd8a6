#include "imageops/BrightnessContrastFilter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pict {

BrightnessContrastFilter::BrightnessContrastFilter(const BrightnessContrastSettings& settings)
    : TablePointFilter(GrayTable::Red),
      settings_{BrightnessContrastSettings::kBrightness.clamp(settings.brightness),
                BrightnessContrastSettings::kContrast.clamp(settings.contrast)} {
    const int32_t brightness = settings_.brightness;
    const int32_t contrast = settings_.contrast;
    const double k = std::min(contrast * 0.01, 0.999);
    const double slope = std::tan((k + 1.0) * 0.7853981633974483);
    for (int i = 0; i < 256; ++i)
        tables_.red[i] = truncToByte(slope * double(i + brightness - 128) + 128.0);
    std::memcpy(tables_.green, tables_.red, 256);
    std::memcpy(tables_.blue, tables_.red, 256);
}

} // namespace pict
