#include "surface/BlendModes.h"

#include <cstring>

namespace pict {

namespace {

constexpr const char* kBlendModeNames[kBlendModeCount] = {
    "Normal",      "Multiply",   "Screen",     "Overlay",    "Darken",     "Lighten",    "Color Dodge",
    "Soft Dodge",  "Color Burn", "Soft Burn",  "Hard Light", "Soft Light", "Difference", "Exclusion",
    "XOR",         "Hue",        "Saturation", "Color",      "Luminosity",
};

} // namespace

const char* blendModeName(int32_t mode) { return isBlendMode(mode) ? kBlendModeNames[mode] : nullptr; }

int32_t blendModeFromName(const char* name) {
    if (!name)
        return -1;
    for (int32_t mode = 0; mode < kBlendModeCount; ++mode)
        if (std::strcmp(kBlendModeNames[mode], name) == 0)
            return mode;
    return -1;
}

} // namespace pict
