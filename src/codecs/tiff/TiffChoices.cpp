#include "codecs/tiff/TiffChoices.h"

namespace pict {

std::string tiffSettingsRefusal(const TiffSaveSettings& settings) {
    const TiffCompressionTraits& compression = traitsOf(settings.compression);
    const TiffColorTraits& color = traitsOf(settings.color);
    const bool sixteen = settings.depth == TiffDepth::Bits16;
    if (sixteen && !color.sixteenBits)
        return std::string(color.name) + " holds " + color.fixedDepth + ", not 16-bit samples";
    if (compression.toneOnly && !color.continuousTone)
        return std::string(compression.name) + " is for RGB and grayscale files, not " + color.name;
    if (sixteen && !compression.sixteenBits)
        return std::string(compression.name) + " holds 8-bit samples only, not 16-bit";
    return {};
}

bool tiffKeepsTransparency(const TiffSaveSettings& settings) {
    return traitsOf(settings.color).transparency && traitsOf(settings.compression).transparency;
}

} // namespace pict
