#pragma once
// The "TIFF Options" dialog without its window: compression, depth and color, starting from
// the last choices. Choices that cannot go together are never both made: the color decides
// first, then the compression, then the depth. Every color can be chosen, and choosing one
// moves the compression and depth to ones that fit it; a compression that fits no depth of
// the color is not offered, and choosing one moves the depth to one that fits; a depth that
// does not fit both is not offered.

#include "codecs/tiff/TiffCodec.h"

#include <string>

namespace pict {

// The choices in the order the dialog lists them, with their labels.
inline constexpr const char* kTiffCompressionLabels[kTiffCompressionCount] = {"None", "LZW", "Deflate", "PackBits",
                                                                            "JPEG"};
inline constexpr const char* kTiffDepthLabels[kTiffDepthCount] = {"8-bit", "16-bit"};
inline constexpr const char* kTiffColorLabels[kTiffColorCount] = {"RGB", "Grayscale", "Palette", "Black and white"};

class TiffOptionsModel {
public:
    // hasTransparency: whether the picture to be saved has see-through pixels.
    TiffOptionsModel(const TiffSaveSettings& remembered, bool hasTransparency);

    const TiffSaveSettings& settings() const { return settings_; }

    void setColor(TiffColor color);
    // Choices that are not offered are ignored.
    void setCompression(TiffCompression compression);
    void setDepth(TiffDepth depth);

    // Why a choice is not offered with the others as they are; empty when it is.
    std::string compressionRefusal(TiffCompression compression) const;
    std::string depthRefusal(TiffDepth depth) const;
    bool compressionOffered(TiffCompression compression) const { return compressionRefusal(compression).empty(); }
    bool depthOffered(TiffDepth depth) const { return depthRefusal(depth).empty(); }

    // The picture is see-through somewhere and these choices keep no transparency: those
    // parts are written over white.
    bool flattensTransparency() const { return hasTransparency_ && !tiffKeepsTransparency(settings_); }

private:
    // Moves the compression, then the depth, to the first that fits what decides before it.
    void settle();

    TiffSaveSettings settings_;
    bool hasTransparency_;
};

} // namespace pict
