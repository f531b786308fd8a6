#include "codecs/openraster/OpenRasterBlendModes.h"

#include "surface/BlendModes.h"

#include <array>

namespace pict {

namespace {

// Indexed by blend mode, in the order of the mode list.
constexpr std::array<std::string_view, kBlendModeCount> kCompositeOps = {
    "svg:src-over",   "svg:multiply",      "svg:screen",     "svg:overlay",          "svg:darken",
    "svg:lighten",    "svg:color-dodge",   "pictorane:soft-dodge", "svg:color-burn", "pictorane:soft-burn",
    "svg:hard-light", "svg:soft-light",    "svg:difference", "pictorane:exclusion",  "pictorane:xor",
    "svg:hue",        "svg:saturation",    "svg:color",      "svg:luminosity",
};

} // namespace

std::string_view compositeOpOfBlendMode(int32_t mode) {
    return isBlendMode(mode) ? kCompositeOps[size_t(mode)] : kCompositeOps[0];
}

std::optional<int32_t> blendModeOfCompositeOp(std::string_view op) {
    for (size_t i = 0; i < kCompositeOps.size(); ++i)
        if (kCompositeOps[i] == op)
            return int32_t(i);
    return std::nullopt;
}

} // namespace pict
